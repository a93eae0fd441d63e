// zr640 control-font: the control font's character translation table file, shown and
// edited one row at a time as the table dialog edits it. Every change rewrites the whole
// file atomically; a table left without commands leaves no file.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/common/text.h"
#include "core/controlfont/control_font_table.h"
#include "core/operation/hex_command.h"
#include "tools/zr640/command_line.h"
#include "tools/zr640/commands.h"

namespace zr640::cli {
namespace {

// A code as the "Hex" column shows it ("7F"), in either case, with or without "0x".
std::optional<size_t> RowNamed(const std::string& text) {
    std::string digits = text;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits = digits.substr(2);
    }
    if (digits.empty() || digits.size() > 2) return std::nullopt;
    unsigned code = 0;
    for (const char c : digits) {
        const auto digit = HexDigitOf(static_cast<unsigned char>(c));
        if (!digit) return std::nullopt;
        code = code * 16 + *digit;
    }
    return ControlFontTable::RowOf(static_cast<uint8_t>(code));
}

// The Char column: the character itself; DEL has no picture, so it is named.
std::string CharColumn(uint8_t code) {
    return code == 0x7F ? "DEL" : std::string(1, static_cast<char>(code));
}

int Show(const std::vector<std::string>& files) {
    if (files.size() != 1) return Usage();
    const auto table = ControlFontTable::Load(files[0]);
    if (!table) return Fail(table.error());
    std::printf("Hex  Char Command\n");
    for (const ControlFontRow& row : table->rows()) {
        char columns[16];
        std::snprintf(columns, sizeof columns, "%-4s %-4s ",
                      Utf16ToUtf8(ControlCodeKey(row.code)).c_str(), CharColumn(row.code).c_str());
        std::string line = columns + Utf16ToUtf8(row.command);
        if (row.command.empty()) line.erase(line.find_last_not_of(' ') + 1);
        std::printf("%s\n", line.c_str());
    }
    return 0;
}

// Command text as the translator's edit lets it be typed: hexadecimal digits, spaces, and
// "-" and "." (which count as 0).
bool IsCommandText(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return c == '-' || c == '.' || IsHexCommandCharacter(static_cast<unsigned char>(c));
    });
}

int Edit(const std::vector<std::string>& words, bool set) {
    if (words.size() != (set ? 3u : 2u)) return Usage();
    const auto row = RowNamed(words[1]);
    if (!row) return UsageError("CODE takes a character code from 20 to 7F in hexadecimal");

    std::vector<uint8_t> bytes;
    if (set) {
        if (!IsCommandText(words[2])) {
            return Fail(
                "the command text holds characters other than hexadecimal digits and spaces");
        }
        const auto parsed = ParseControlCommand(Utf8ToUtf16(words[2]));
        // A text longer than the editor takes is too long a command as well.
        if (!parsed || words[2].size() > kMaxCommandText) {
            return Fail(Utf16ToUtf8(kCommandLengthError));
        }
        bytes = *parsed;
    }

    auto table = ControlFontTable::Load(words[0]);
    if (!table) return Fail(table.error());
    if (bytes.empty()) {
        table->ClearCommand(*row);
    } else {
        table->SetCommand(*row, bytes);
    }
    const auto saved = SaveControlFontTable(words[0], *table);
    return saved ? 0 : Fail(saved.error());
}

}  // namespace

int RunControlFont(std::vector<std::string> words) {
    if (words.empty()) return Usage();
    const std::string action = words.front();
    const std::vector<std::string> rest(words.begin() + 1, words.end());
    if (action == "show") return Show(rest);
    if (action == "set") return Edit(rest, true);
    if (action == "clear") return Edit(rest, false);
    return Usage();
}

}  // namespace zr640::cli
