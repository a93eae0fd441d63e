// The hex command text: how raw printer bytes are shown and typed in a command edit (the
// event operations and the control-font translator share it). Bytes show as two upper-case
// hexadecimal digits and a space each; typed text is read back in tokens of one or two
// digits.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zr640 {

// "1D 56 42 00 " for the bytes 1D 56 42 00 (with the trailing space); no bytes give "".
std::u16string FormatHexCommand(std::span<const uint8_t> bytes);
std::string FormatHexCommandNarrow(std::span<const uint8_t> bytes);

// Reads the bytes of a command text, however many there are (the caller applies its own
// limit). Spaces separate tokens; any other character starts a byte and takes the next
// character too unless that is a space or the text ends there, so "1D5642" gives 1D 56 42,
// "1D 5 4" gives 1D 05 04 and "123" gives 12 03. A character that is not a hexadecimal
// digit counts as the digit 0.
std::vector<uint8_t> ParseHexCommand(std::u16string_view text);
std::vector<uint8_t> ParseHexCommand(std::string_view text);

// How many bytes ParseHexCommand would give, without building them.
size_t CountHexCommandBytes(std::u16string_view text);
size_t CountHexCommandBytes(std::string_view text);

// The value of one hexadecimal digit, 0-9, A-F or a-f; nothing for any other character. Every
// reader of hexadecimal text (command texts, the tool's byte and code arguments) reads its
// digits here.
std::optional<uint8_t> HexDigitOf(char32_t c) noexcept;

// The digit value of one character as a command text reads it: every character that is not a
// hexadecimal digit is 0.
uint8_t HexDigitValue(char32_t c);

// True for the characters a command text is made of when typed: hexadecimal digits and
// the space.
bool IsHexCommandCharacter(char32_t c) noexcept;

// What the command edit does with a typed character (WM_CHAR).
enum class HexKeyAction {
    kPass,         // hand the character to the edit
    kDrop,         // swallow it
    kNextControl,  // swallow it and move the focus to the next control of the dialog
};

// The edit filter's rule. While Tab is held the character only moves the focus; backspace,
// "-" and "." pass; with Ctrl held every character passes, so the clipboard keys work;
// otherwise only hexadecimal digits and the space pass.
HexKeyAction FilterHexCommandKey(char32_t c, bool tabHeld, bool ctrlHeld) noexcept;

}  // namespace zr640
