// Control-font table files from outside: any bytes as the table file, every row's command
// parsed as the Edit button parses it, and the table written again. What is written must
// read back as the same table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "core/controlfont/control_font_table.h"

namespace {

// A reader cuts the blanks at a value's ends, so a value that kept them inside quotes loses
// them when written again; nothing else may change.
bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f';
}

std::u16string_view Trimmed(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameTable(const zr640::ControlFontTable& a, const zr640::ControlFontTable& b) {
    for (size_t i = 0; i < zr640::kControlFontRows; ++i) {
        if (Trimmed(a.row(i).command) != Trimmed(b.row(i).command)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using zr640::ControlFontTable;
    ControlFontTable table = ControlFontTable::Parse(std::span<const uint8_t>(data, size));

    for (size_t i = 0; i < zr640::kControlFontRows; ++i) {
        if (table.row(i).command.size() > zr640::kMaxCommandText) std::abort();
        (void)table.CommandOf(i);
    }

    const auto bytes = table.FileBytes();
    if (!bytes || !SameTable(ControlFontTable::Parse(*bytes), table)) std::abort();

    // Each edited row is kept in the normalised form, and that form writes and reads back.
    for (size_t i = 0; i < zr640::kControlFontRows; ++i) {
        if (const auto command = table.CommandOf(i)) {
            if (!table.SetCommand(i, *command)) std::abort();
            if (table.CommandOf(i) != command) std::abort();
        }
    }
    const auto edited = table.FileBytes();
    if (!edited) std::abort();
    {
        const ControlFontTable reread = ControlFontTable::Parse(*edited);
        for (size_t i = 0; i < zr640::kControlFontRows; ++i) {
            if (reread.CommandOf(i) != table.CommandOf(i)) std::abort();
        }
    }
    return 0;
}
