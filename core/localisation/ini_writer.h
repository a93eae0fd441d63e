// Writing INI files that the platform's private-profile functions (and IniFile) read back
// as written: "[section]" and "key=value" lines ending in CR LF, as the platform writes
// them.
//
// - CodePage files: the text is written through the writer's CodePage, the one its
//   reader uses, so what was read from a code-page file is written back as the same bytes
//   (ASCII reads alike in every code page); a character without a byte form is refused.
//   Utf16Le files start with FF FE and hold any text.
// - Names and values cannot hold line breaks or NUL; a key cannot hold "=" or start with
//   "[" or ";", and neither key nor section name can have blanks at its ends (a reader
//   would cut them). Anything else is refused rather than written into a different file.
// - A value is written as given, as the platform writes it, and a reader cuts blanks at its
//   ends. A reader also takes one pair of enclosing quotes off what is left, so a value that
//   would lose a pair that way is written inside one more pair of double quotes, blanks
//   included, and reads back whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.h"
#include "core/localisation/ini_file.h"

namespace zr640 {

class IniWriter {
public:
    explicit IniWriter(IniFile::Encoding encoding, const CodePage& codePage = Latin1CodePage())
        : encoding_(encoding), codePage_(codePage) {}

    void Section(std::u16string_view name);
    // A key of the last section opened; a key before any section is refused.
    void Entry(std::u16string_view key, std::u16string_view value);

    // The file's bytes, or why a name or value above was refused (the first such).
    Result<std::vector<uint8_t>> Bytes() const;

private:
    void Refuse(const std::string& message);

    IniFile::Encoding encoding_;
    const CodePage& codePage_;
    std::u16string text_;
    bool inSection_ = false;
    std::string error_;
};

}  // namespace zr640
