// The general 1D types of 1D 6B m: the data each type takes, its quiet zones and its
// human-readable text, drawn with the module width, height and HRI settings.
#include <zint.h>

#include <algorithm>
#include <optional>

#include "core/emulator/symbol_parts.h"

namespace zr640::emulator::detail {
namespace {

// m of the 00-terminated form; the counted form of the same types is m + 65 (Code93 and
// Code128 exist only in the counted form).
enum Type : uint8_t {
    kUpcA = 0,
    kUpcE = 1,
    kEan13 = 2,
    kEan8 = 3,
    kCode39 = 4,
    kItf = 5,
    kCodabar = 6,
    kCode93 = 72,
    kCode128 = 73,
};
constexpr uint8_t kCountedForm = 65;

// What zint encodes for one symbol, the quiet zones in modules and the human-readable text
// (zint's own when empty).
struct LinearInput {
    int symbology = 0;
    std::vector<uint8_t> bytes;
    uint32_t quietLeft = 10;
    uint32_t quietRight = 10;
    std::string hri;
};

bool AllDigits(std::span<const uint8_t> data) {
    return std::all_of(data.begin(), data.end(), [](uint8_t b) { return b >= '0' && b <= '9'; });
}

std::vector<uint8_t> Bytes(std::span<const uint8_t> data) { return {data.begin(), data.end()}; }

// Digits of one of the given lengths.
std::optional<Error> CheckDigits(std::string_view type, std::span<const uint8_t> data,
                                 std::initializer_list<size_t> lengths) {
    const bool lengthOk = std::find(lengths.begin(), lengths.end(), data.size()) != lengths.end();
    if (lengthOk && AllDigits(data)) return std::nullopt;
    std::string allowed;
    for (const size_t n : lengths) allowed += (allowed.empty() ? "" : " or ") + std::to_string(n);
    return Error{std::string(type) + " data must be " + allowed + " digits"};
}

// A UPC-A number (11 digits without the check digit) in its zero-suppressed UPC-E form:
// the number system and six digits; nullopt when the number has no such form.
std::optional<std::vector<uint8_t>> SuppressZeros(std::span<const uint8_t> upcA) {
    const auto d = [&](size_t i) { return upcA[i]; };
    const auto zeros = [&](size_t from, size_t to) {
        return std::all_of(upcA.begin() + static_cast<std::ptrdiff_t>(from),
                           upcA.begin() + static_cast<std::ptrdiff_t>(to),
                           [](uint8_t b) { return b == '0'; });
    };
    // Manufacturer digits 1..5, product digits 6..10.
    if (zeros(4, 8) && d(3) <= '2')
        return std::vector<uint8_t>{d(0), d(1), d(2), d(8), d(9), d(10), d(3)};
    if (zeros(4, 9)) return std::vector<uint8_t>{d(0), d(1), d(2), d(3), d(9), d(10), '3'};
    if (zeros(5, 10)) return std::vector<uint8_t>{d(0), d(1), d(2), d(3), d(4), d(10), '4'};
    if (zeros(6, 10) && d(10) >= '5')
        return std::vector<uint8_t>{d(0), d(1), d(2), d(3), d(4), d(5), d(10)};
    return std::nullopt;
}

Result<LinearInput> ReadUpcE(std::span<const uint8_t> data) {
    if (auto refusal = CheckDigits("UPC-E", data, {6, 7, 8, 11, 12})) return *refusal;
    LinearInput input{BARCODE_UPCE, Bytes(data), 9, 7, {}};
    if (data.size() >= 11) {
        auto suppressed = SuppressZeros(data.first(11));
        if (!suppressed) {
            return Error{"UPC-E: the number " + PrintableText(data.first(11)) +
                         " has no zero-suppressed form"};
        }
        if (data.size() == 12) suppressed->push_back(data[11]);  // zint checks it
        input.bytes = std::move(*suppressed);
    }
    return input;
}

// Code 39: a leading '*' is the start character, the next '*' the stop character; the
// printer adds them when they are not sent.
Result<LinearInput> ReadCode39(std::span<const uint8_t> data) {
    if (!data.empty() && data.front() == '*') data = data.subspan(1);
    const auto stop = std::find(data.begin(), data.end(), uint8_t{'*'});
    if (stop != data.end() && stop + 1 != data.end())
        return Error{"Code39: data after the stop character '*'"};
    constexpr std::string_view kCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
    for (auto b = data.begin(); b != stop; ++b) {
        if (kCharacters.find(static_cast<char>(*b)) == std::string_view::npos)
            return Error{"Code39: byte " + std::to_string(*b) + " is not a Code39 character"};
    }
    return LinearInput{BARCODE_CODE39, {data.begin(), stop}, 10, 10, {}};
}

// Codabar: the stop character may also be sent by its other names T, N, * and E.
Result<LinearInput> ReadCodabar(std::span<const uint8_t> data) {
    LinearInput input{BARCODE_CODABAR, Bytes(data), 10, 10, PrintableText(data)};
    if (!input.bytes.empty()) {
        uint8_t& stop = input.bytes.back();
        constexpr std::pair<uint8_t, uint8_t> kOtherNames[] = {
            {'T', 'A'}, {'N', 'B'}, {'*', 'C'}, {'E', 'D'}};
        for (const auto& [name, letter] : kOtherNames) {
            if (stop == name) {
                stop = letter;
                break;
            }
        }
    }
    return input;
}

Result<LinearInput> ReadCode93(std::span<const uint8_t> data) {
    if (std::any_of(data.begin(), data.end(), [](uint8_t b) { return b > 0x7F; }))
        return Error{"Code93 data must be ASCII (bytes 00 to 7F)"};
    return LinearInput{BARCODE_CODE93, Bytes(data), 10, 10, PrintableText(data)};
}

// Code 128 as the printer takes it: "{A", "{B" and "{C" select the code set, "{S" shifts one
// byte to the other of A and B, "{{" is a '{' of code set B, and in code set C every byte is
// a pair of digits (0 to 99). The characters go to zint, which picks its own code sets.
Result<LinearInput> ReadCode128(std::span<const uint8_t> data) {
    if (data.size() < 2 || data[0] != '{')
        return Error{"Code128 data must start with a code set: {A, {B or {C"};
    std::vector<uint8_t> characters;
    const auto inSet = [](uint8_t set, uint8_t b) {
        return set == 'A' ? b <= 0x5F : b >= 0x20 && b <= 0x7F;
    };
    uint8_t set = 0;
    for (size_t i = 0; i < data.size();) {
        const uint8_t b = data[i++];
        if (b == '{') {
            if (i == data.size()) return Error{"Code128 data ends inside a '{' selector"};
            const uint8_t selector = data[i++];
            if (selector == 'A' || selector == 'B' || selector == 'C') {
                set = selector;
            } else if (selector == '{' && set == 'B') {
                characters.push_back('{');
            } else if (selector == 'S' && (set == 'A' || set == 'B') && i < data.size() &&
                       inSet(set == 'A' ? 'B' : 'A', data[i])) {
                characters.push_back(data[i++]);
            } else {
                return Error{"Code128 selector {" + PrintableText(std::span(&selector, 1)) +
                             " cannot be used here"};
            }
        } else if (set == 'C') {
            if (b > 99)
                return Error{"Code128 code set C byte " + std::to_string(b) + " is above 99"};
            characters.push_back(static_cast<uint8_t>('0' + b / 10));
            characters.push_back(static_cast<uint8_t>('0' + b % 10));
        } else if (!inSet(set, b)) {
            return Error{"Code128 byte " + std::to_string(b) + " is not in code set " +
                         std::string(1, static_cast<char>(set))};
        } else {
            characters.push_back(b);
        }
    }
    if (characters.empty()) return Error{"Code128 data holds no characters"};
    std::string hri = PrintableText(characters);
    return LinearInput{BARCODE_CODE128, std::move(characters), 10, 10, std::move(hri)};
}

// The type's name in refusals; empty for a type that is not drawn.
std::string_view TypeName(uint8_t type) {
    switch (type) {
    case kUpcA: return "UPC-A";
    case kUpcE: return "UPC-E";
    case kEan13: return "EAN13";
    case kEan8: return "EAN8";
    case kCode39: return "Code39";
    case kItf: return "ITF";
    case kCodabar: return "Codabar";
    case kCode93: return "Code93";
    case kCode128: return "Code128";
    default: return {};
    }
}

Result<LinearInput> ReadData(uint8_t type, std::span<const uint8_t> data) {
    switch (type) {
    case kUpcA:
        if (auto refusal = CheckDigits("UPC-A", data, {11, 12})) return *refusal;
        return LinearInput{BARCODE_UPCA, Bytes(data), 9, 9, {}};
    case kUpcE: return ReadUpcE(data);
    case kEan13:
        if (auto refusal = CheckDigits("EAN13", data, {12, 13})) return *refusal;
        return LinearInput{
            data.size() == 13 ? BARCODE_EANX_CHK : BARCODE_EANX, Bytes(data), 11, 7, {}};
    case kEan8:
        if (auto refusal = CheckDigits("EAN8", data, {7, 8})) return *refusal;
        return LinearInput{
            data.size() == 8 ? BARCODE_EANX_CHK : BARCODE_EANX, Bytes(data), 7, 7, {}};
    case kCode39: return ReadCode39(data);
    case kItf:
        if (data.empty() || !AllDigits(data)) return Error{"ITF data must be digits"};
        return LinearInput{BARCODE_C25INTER, Bytes(data), 10, 10, {}};
    case kCodabar: return ReadCodabar(data);
    case kCode93: return ReadCode93(data);
    default: return ReadCode128(data);
    }
}

}  // namespace

Result<SymbolDrawing> DrawLinear(uint8_t m, std::span<const uint8_t> data,
                                 const BarcodeSettings& settings, uint32_t paperWidth) {
    if (settings.moduleWidth < 2 || settings.moduleWidth > 6)
        return Unusable("module width", settings.moduleWidth, 2, 6);
    if (settings.height < 1) return Unusable("barcode height", settings.height, 1, 255);
    if (settings.hriPosition > 3) return Unusable("HRI position", settings.hriPosition, 0, 3);
    if (settings.hriFont > 1) return Unusable("HRI font", settings.hriFont, 0, 1);

    const uint8_t type = m >= kCountedForm && m <= kCountedForm + kCodabar ? m - kCountedForm : m;
    const std::string name(TypeName(type));
    if (name.empty()) return Error{"barcode type " + std::to_string(m) + " is not drawn"};
    // The 1D Code page sends Code93 and Code128 once with no data before the real symbol.
    if (data.empty()) return Error{name + ": the data is empty"};
    auto input = ReadData(type, data);
    if (!input) return Error{input.error()};
    EncodedSymbol symbol(input->symbology);
    if (auto encoded = symbol.Encode(input->bytes); !encoded)
        return Error{name + ": " + encoded.error()};

    const ModuleLayout layout{
        paperWidth, settings.moduleWidth, {settings.height}, input->quietLeft, input->quietRight, 0,
        0};
    HriLines hri{settings.hriFont == 1 ? HriFont::kB : HriFont::kA, {}, {}};
    const std::string text = input->hri.empty() ? symbol.Text() : input->hri;
    if (settings.hriPosition == 1 || settings.hriPosition == 3) hri.above.push_back(text);
    if (settings.hriPosition == 2 || settings.hriPosition == 3) hri.below.push_back(text);
    return DrawModules(symbol, layout, hri);
}

}  // namespace zr640::emulator::detail
