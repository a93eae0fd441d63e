#include "core/controlfont/control_font_table.h"

#include <algorithm>
#include <system_error>

#include "core/common/file_io.h"
#include "core/localisation/ini_writer.h"
#include "core/operation/hex_command.h"

namespace zr640 {

std::u16string ControlFontFilePath(std::u16string_view windowsDirectory) {
    while (!windowsDirectory.empty() && windowsDirectory.back() == u'\\') {
        windowsDirectory.remove_suffix(1);
    }
    std::u16string path(windowsDirectory);
    path += kControlFontFolder;
    path += u'\\';
    path += kControlFontFileName;
    return path;
}

std::u16string ControlCodeKey(uint8_t code) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string key;
    if (code >= 0x10) key += kDigits[code >> 4];
    key += kDigits[code & 0x0F];
    return key;
}

std::optional<std::vector<uint8_t>> ParseControlCommand(std::u16string_view text) {
    std::vector<uint8_t> bytes = ParseHexCommand(text.substr(0, kMaxCommandText));
    if (bytes.size() > kMaxControlCommand) return std::nullopt;
    return bytes;
}

std::u16string FormatControlCommand(std::span<const uint8_t> bytes) {
    return FormatHexCommand(bytes);
}

ControlFontTable::ControlFontTable() {
    for (size_t i = 0; i < kControlFontRows; ++i) {
        rows_[i].code = static_cast<uint8_t>(kFirstControlCode + i);
    }
}

ControlFontTable ControlFontTable::FromIni(const IniFile& file) {
    ControlFontTable table;
    for (ControlFontRow& row : table.rows_) {
        // The dialog reads each key into a buffer of 400 characters.
        row.command =
            file.GetString(kControlFontSection, ControlCodeKey(row.code), u"", kMaxCommandText + 1);
    }
    return table;
}

ControlFontTable ControlFontTable::Parse(std::span<const uint8_t> bytes, const CodePage& codePage) {
    return FromIni(IniFile::Parse(bytes, codePage));
}

Result<ControlFontTable> ControlFontTable::Load(const std::filesystem::path& path,
                                                const CodePage& codePage) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return ControlFontTable();
    if (ec || status.type() != std::filesystem::file_type::regular) {
        return Error{"cannot read " + path.string() + ": not a regular file"};
    }
    auto file = IniFile::Load(path, kMaxControlFontFile, codePage);
    if (!file) return Error{file.error()};
    return FromIni(*file);
}

std::optional<size_t> ControlFontTable::RowOf(uint8_t code) {
    if (code < kFirstControlCode || code > kLastControlCode) return std::nullopt;
    return size_t{code} - kFirstControlCode;
}

std::optional<std::vector<uint8_t>> ControlFontTable::CommandOf(size_t index) const {
    return ParseControlCommand(rows_.at(index).command);
}

bool ControlFontTable::SetCommand(size_t index, std::span<const uint8_t> bytes) {
    if (bytes.size() > kMaxControlCommand) return false;
    rows_.at(index).command = FormatHexCommand(bytes);
    return true;
}

void ControlFontTable::ClearCommand(size_t index) { rows_.at(index).command.clear(); }

bool ControlFontTable::empty() const {
    return std::all_of(rows_.begin(), rows_.end(),
                       [](const ControlFontRow& row) { return row.command.empty(); });
}

Result<std::vector<uint8_t>> ControlFontTable::FileBytes(IniFile::Encoding encoding,
                                                         const CodePage& codePage) const {
    IniWriter writer(encoding, codePage);
    writer.Section(kControlFontSection);
    for (const ControlFontRow& row : rows_) {
        if (!row.command.empty()) writer.Entry(ControlCodeKey(row.code), row.command);
    }
    return writer.Bytes();
}

Result<std::vector<uint8_t>> ControlFontTable::FileBytes(const CodePage& codePage) const {
    auto bytes = FileBytes(IniFile::Encoding::CodePage, codePage);
    if (bytes) return bytes;
    return FileBytes(IniFile::Encoding::Utf16Le, codePage);
}

Result<bool> SaveControlFontTable(const std::filesystem::path& path, const ControlFontTable& table,
                                  const CodePage& codePage) {
    std::error_code ec;
    const auto status = std::filesystem::symlink_status(path, ec);
    const bool exists = status.type() != std::filesystem::file_type::not_found;
    if (exists && status.type() != std::filesystem::file_type::regular) {
        return Error{"refused " + path.string() + ": not a regular file"};
    }
    if (table.empty()) {
        if (exists && !std::filesystem::remove(path, ec)) {
            return Error{"cannot remove " + path.string() + ": " + ec.message()};
        }
        return true;
    }
    const auto bytes = table.FileBytes(codePage);
    if (!bytes) return Error{path.string() + ": " + bytes.error()};
    return WriteFileAtomically(path, *bytes);
}

}  // namespace zr640
