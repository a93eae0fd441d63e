// The control font's character translation table: a printer command for each printable
// character code 0x20 to 0x7F, kept in the file ZR640CONTROL.dat in the spooler's driver
// folder, where the driver's printing side reads it with the private-profile functions.
//
// The file is an INI file of one section, "Character Translation Table". Each key is a code
// in upper-case hexadecimal without leading zeros ("20" to "7F"); its value is the command
// as hex command text. Only codes with a command have a key.
//
// The file is written as code-page (ANSI) text: the platform creates a new profile file in
// the code page and writes UTF-16 only into a file that already starts with FF FE, and the
// table's editor always writes a new file. Keys and edited values are ASCII, so every code
// page reads them alike. Other characters of a code-page file are read and written in the
// code page given (the system's in the plug-in, as the profile functions read them), so an
// unedited value is written back as the same bytes. Only a table with a character that no
// code-page byte stands for is written as UTF-16 (with FF FE), so that nothing is lost.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.h"
#include "core/localisation/ini_file.h"

namespace zr640 {

inline constexpr std::u16string_view kControlFontFileName = u"ZR640CONTROL.dat";
// The file's folder below the Windows directory, the same on 32-bit and 64-bit systems.
inline constexpr std::u16string_view kControlFontFolder = u"\\system32\\spool\\drivers\\w32x86\\3";
// The file's full Windows path under the Windows directory (as GetWindowsDirectoryW gives
// it, with or without a closing backslash).
std::u16string ControlFontFilePath(std::u16string_view windowsDirectory);

inline constexpr std::u16string_view kControlFontSection = u"Character Translation Table";

inline constexpr uint8_t kFirstControlCode = 0x20;
inline constexpr uint8_t kLastControlCode = 0x7F;
inline constexpr size_t kControlFontRows = 96;

// A command's text is read from the file and from the translator's edit up to this many
// characters; a command holds at most kMaxControlCommand bytes.
inline constexpr size_t kMaxCommandText = 399;
inline constexpr size_t kMaxControlCommand = 128;
// A table of 96 commands is about 40 KB; a file far larger is not a table and is not read.
inline constexpr uint64_t kMaxControlFontFile = uint64_t{1} << 20;

// The built-in texts of the table dialog (shown with the MB_ERROR caption): a row whose
// command is too long to edit, and a table that could not be written.
inline constexpr std::u16string_view kCommandLengthError = u"Command length error";
inline constexpr std::u16string_view kTableWriteError =
    u"Please check if user has administrator privileges!";

// The text of the "Hex" column and the file's key of a code: "%X".
std::u16string ControlCodeKey(uint8_t code);

// The command bytes of a command text, or nothing when they are more than 128. The text is
// read up to its first 399 characters, as the dialogs read it. Unknown characters count as
// the digit 0, as they do wherever command text is parsed.
std::optional<std::vector<uint8_t>> ParseControlCommand(std::u16string_view text);

// The normalised command text of bytes: two upper-case digits and a space per byte.
std::u16string FormatControlCommand(std::span<const uint8_t> bytes);

struct ControlFontRow {
    uint8_t code = 0;
    std::u16string command;  // as stored in the file, or as formatted after an edit
    bool operator==(const ControlFontRow&) const = default;
};

class ControlFontTable {
public:
    // 96 rows without commands.
    ControlFontTable();

    // The rows of a file's bytes: each key's value as a string read returns it (at most 399
    // characters), unchanged otherwise. Never fails; unknown sections and keys are ignored.
    static ControlFontTable Parse(std::span<const uint8_t> bytes,
                                  const CodePage& codePage = Latin1CodePage());
    static ControlFontTable FromIni(const IniFile& file);

    // The table of a file; a missing file is an empty table. A path that is not a regular
    // file, or a file that cannot be read whole (unreadable, or larger than any table could
    // be: kMaxControlFontFile), is refused.
    static Result<ControlFontTable> Load(const std::filesystem::path& path,
                                         const CodePage& codePage = Latin1CodePage());

    std::span<const ControlFontRow, kControlFontRows> rows() const { return rows_; }
    const ControlFontRow& row(size_t index) const { return rows_[index]; }

    // The row of a code 0x20 to 0x7F.
    static std::optional<size_t> RowOf(uint8_t code);

    // Edit: the row's command bytes, or nothing when the row's text parses to more than
    // 128 bytes (the dialog then shows kCommandLengthError and opens no editor).
    std::optional<std::vector<uint8_t>> CommandOf(size_t index) const;

    // A confirmed edit: the row then shows and keeps the normalised text of the bytes.
    // More than 128 bytes are refused (false) and change nothing.
    bool SetCommand(size_t index, std::span<const uint8_t> bytes);
    void ClearCommand(size_t index);

    bool empty() const;

    // The file's bytes: the section and one key per row with a command, in code order,
    // each value as the row holds it.
    Result<std::vector<uint8_t>> FileBytes(const CodePage& codePage = Latin1CodePage()) const;

    bool operator==(const ControlFontTable&) const = default;

private:
    Result<std::vector<uint8_t>> FileBytes(IniFile::Encoding encoding,
                                           const CodePage& codePage) const;

    std::array<ControlFontRow, kControlFontRows> rows_;
};

// Writes the whole table: the new file is written beside the old one and replaces it only
// when complete, so a failure keeps the old table. A table without commands leaves no file.
// A path that exists but is not a regular file is never replaced or removed.
Result<bool> SaveControlFontTable(const std::filesystem::path& path, const ControlFontTable& table,
                                  const CodePage& codePage = Latin1CodePage());

}  // namespace zr640
