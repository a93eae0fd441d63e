#include "core/operation/hex_command.h"

namespace zr640 {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

template <typename String>
String Format(std::span<const uint8_t> bytes) {
    String text;
    text.reserve(bytes.size() * 3);
    for (const uint8_t byte : bytes) {
        text.push_back(static_cast<typename String::value_type>(kDigits[byte >> 4]));
        text.push_back(static_cast<typename String::value_type>(kDigits[byte & 0x0F]));
        text.push_back(' ');
    }
    return text;
}

// Walks the tokens of a command text and hands each byte to `emit`.
template <typename Char, typename Emit>
void WalkTokens(std::basic_string_view<Char> text, Emit emit) {
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        const uint8_t high = HexDigitValue(static_cast<char32_t>(text[i]));
        if (i + 1 == text.size() || text[i + 1] == ' ') {
            emit(high);
            i += 1;
        } else {
            const uint8_t low = HexDigitValue(static_cast<char32_t>(text[i + 1]));
            emit(static_cast<uint8_t>(high * 16 + low));
            i += 2;
        }
    }
}

template <typename Char>
std::vector<uint8_t> Parse(std::basic_string_view<Char> text) {
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 2 + 1);
    WalkTokens(text, [&](uint8_t byte) { bytes.push_back(byte); });
    return bytes;
}

template <typename Char>
size_t Count(std::basic_string_view<Char> text) {
    size_t count = 0;
    WalkTokens(text, [&](uint8_t) { ++count; });
    return count;
}

}  // namespace

std::u16string FormatHexCommand(std::span<const uint8_t> bytes) {
    return Format<std::u16string>(bytes);
}

std::string FormatHexCommandNarrow(std::span<const uint8_t> bytes) {
    return Format<std::string>(bytes);
}

std::vector<uint8_t> ParseHexCommand(std::u16string_view text) { return Parse(text); }
std::vector<uint8_t> ParseHexCommand(std::string_view text) { return Parse(text); }

size_t CountHexCommandBytes(std::u16string_view text) { return Count(text); }
size_t CountHexCommandBytes(std::string_view text) { return Count(text); }

std::optional<uint8_t> HexDigitOf(char32_t c) noexcept {
    if (c >= U'0' && c <= U'9') return static_cast<uint8_t>(c - U'0');
    if (c >= U'A' && c <= U'F') return static_cast<uint8_t>(c - U'A' + 10);
    if (c >= U'a' && c <= U'f') return static_cast<uint8_t>(c - U'a' + 10);
    return std::nullopt;
}

uint8_t HexDigitValue(char32_t c) { return HexDigitOf(c).value_or(0); }

bool IsHexCommandCharacter(char32_t c) noexcept { return c == U' ' || HexDigitOf(c).has_value(); }

HexKeyAction FilterHexCommandKey(char32_t c, bool tabHeld, bool ctrlHeld) noexcept {
    if (tabHeld) return HexKeyAction::kNextControl;
    if (c == U'\b' || c == U'-' || c == U'.') return HexKeyAction::kPass;
    if (ctrlHeld) return HexKeyAction::kPass;
    return IsHexCommandCharacter(c) ? HexKeyAction::kPass : HexKeyAction::kDrop;
}

}  // namespace zr640
