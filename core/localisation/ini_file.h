// Reading INI files the way the platform's private-profile functions read them, so that the
// language files can be checked and used without Windows.
//
// What is copied from the platform:
// - A file starting with the bytes FF FE is UTF-16LE; any other file is code-page text,
//   read through a CodePage: Latin-1 unless the caller gives the system's (ASCII is exact
//   either way).
// - Lines end at CR, LF or CR LF. Leading and trailing blanks of names and values go.
// - "[name]" opens a section (the name runs to the last "]" of the line); "key=value" lines
//   belong to the section above them; lines before any section, lines without "=" and
//   lines starting with ";" hold no key.
// - Section and key names compare without regard to ASCII case. The first section of a
//   name is the one searched (a later section of the same name is never reached), and in
//   it the first line of a key wins.
// - A value enclosed in a matching pair of quotes (' or ") loses them when read as a
//   string; a value is cut at an embedded NUL.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/result.h"

namespace zr640 {

// The characters of a code-page file's bytes and back. The platform's profile functions
// convert a whole code-page file with the system code page before they read it, and convert
// each line back when they write it; a reader that must see what they see is given that
// code page (the plug-in's stands on the platform's conversions).
class CodePage {
public:
    virtual ~CodePage() = default;
    // The text of the bytes; never fails.
    virtual std::u16string Decode(std::span<const uint8_t> bytes) const = 0;
    // The bytes of the text, or nothing when a character has no byte form in this code page.
    virtual std::optional<std::vector<uint8_t>> Encode(std::u16string_view text) const = 0;
};

// Each byte is the character of its value (U+0000..U+00FF), and back: any bytes read are
// written again unchanged. Where no system code page is known (the native tool, the tests).
const CodePage& Latin1CodePage();

class IniFile {
public:
    enum class Encoding { Utf16Le, CodePage };

    struct Entry {
        std::u16string key;
        std::u16string value;  // trimmed, quotes kept
    };

    struct Section {
        std::u16string name;
        std::vector<Entry> entries;  // every key line, in file order, duplicates included
    };

    // Never fails: any bytes give some (possibly empty) file.
    static IniFile Parse(std::span<const uint8_t> bytes,
                         const CodePage& codePage = Latin1CodePage());

    // Reads and parses a file; refuses a missing file or one above maxBytes.
    static Result<IniFile> Load(const std::filesystem::path& path,
                                uint64_t maxBytes = uint64_t{16} << 20,
                                const CodePage& codePage = Latin1CodePage());

    Encoding encoding() const { return encoding_; }

    // Every section line, in file order, duplicates included.
    const std::vector<Section>& sections() const { return sections_; }

    // The section that a lookup of this name searches, or null.
    const Section* FindSection(std::u16string_view section) const;

    // The raw value (trimmed, quotes kept) that a lookup finds, or nothing.
    std::optional<std::u16string_view> Find(std::u16string_view section,
                                            std::u16string_view key) const;

    // As the platform's private-profile string read into a buffer of `capacity` units
    // (terminator included): the value without enclosing quotes, cut to capacity - 1, or
    // the default (cut the same way) when the section or key is missing.
    std::u16string GetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view fallback, size_t capacity) const;

private:
    Encoding encoding_ = Encoding::CodePage;
    std::vector<Section> sections_;
};

// The value as a string read returns it: enclosing quotes of the same kind removed.
std::u16string_view UnquoteProfileValue(std::u16string_view value);

// ASCII case-insensitive equality, as section and key names are compared.
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);

}  // namespace zr640
