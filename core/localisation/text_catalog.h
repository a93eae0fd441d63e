// The catalogue of every text that the plug-in looks up in its string files: section, key,
// English default and buffer capacity, plus which sheet loads it. The string files, the
// Win32 lookup and the tests all work from this one table.
//
// The Win32 side keeps one buffer per key, all in one pool of TextPoolUnits() UTF-16 units;
// a key's buffer starts at BufferOffset(key) and holds Capacity(key) units. Page code then
// reads e.g. Text(Key::Layout_RC_CHECK_ZOOM).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zr640 {
class IniFile;
}

namespace zr640::text {

// Sections of the string files, in the order the files list them.
enum class Section : uint8_t {
    Layout,
    Watermark,
    Operation,
    Document,
    Code1D,
    Code2D,
    Gpd,
    Version,
    Utility,
    Download,
    Font,
    MessageBox,
    DriverLog,
};
inline constexpr size_t kSectionCount = 13;

// Who loads a text when a sheet opens. Pages reload their own section on every paint, the
// Main page also "LAYOUT", "GPD" and the whole "MessageBox", the event-operation dialog
// "DOCUMENT" when it opens; "DRIVERLOG" belongs to the log viewer.
enum SheetMask : uint8_t {
    kNoSheet = 0,
    kDocumentSheet = 1,
    kDeviceSheet = 2,
    kBothSheets = kDocumentSheet | kDeviceSheet,
};

enum class Key : uint16_t {
#define ZR640_TEXT(section, key, capacity, english) section##_##key,
#define ZR640_MESSAGE(key, sheets, english) MessageBox_##key,
#include "core/localisation/text_keys.inc"
#undef ZR640_TEXT
#undef ZR640_MESSAGE
};

inline constexpr uint16_t kCapacities[] = {
#define ZR640_TEXT(section, key, capacity, english) capacity,
#define ZR640_MESSAGE(key, sheets, english) 1024,
#include "core/localisation/text_keys.inc"
#undef ZR640_TEXT
#undef ZR640_MESSAGE
};

inline constexpr size_t kKeyCount = std::size(kCapacities);

struct TextEntry {
    Section section;
    std::u16string_view key;      // "RC_CHECK_ZOOM"
    std::u16string_view english;  // the built-in default; "\n" is a line break
    uint16_t capacity;            // UTF-16 units including the terminator
    uint8_t sheets;               // SheetMask: loaded when that sheet opens
};

struct SectionEntry {
    Section section;
    std::u16string_view name;  // "LAYOUT", "1DCODE", "MessageBox", ...
    Key first;                 // the section's keys are first .. first + count - 1
    uint16_t count;
};

// A control and the text it shows: a caption, a tooltip's help or a list entry.
template <typename TextKey>
struct TextBinding {
    int control;
    TextKey text;
};

// The whole catalogue, in file order.
std::span<const TextEntry> Entries();
const TextEntry& EntryOf(Key key);
std::span<const SectionEntry> Sections();
const SectionEntry& SectionOf(Section section);

// The keys of one section, in file order.
std::span<const TextEntry> EntriesOf(Section section);

// Finds a key by section and key name (both compared exactly as the catalogue spells them).
const TextEntry* Find(std::u16string_view section, std::u16string_view key);

constexpr uint16_t Capacity(Key key) { return kCapacities[static_cast<size_t>(key)]; }

inline constexpr auto kBufferOffsets = [] {
    std::array<size_t, kKeyCount + 1> offsets{};
    for (size_t i = 0; i < kKeyCount; ++i) offsets[i + 1] = offsets[i] + kCapacities[i];
    return offsets;
}();

constexpr size_t BufferOffset(Key key) { return kBufferOffsets[static_cast<size_t>(key)]; }
constexpr size_t TextPoolUnits() { return kBufferOffsets[kKeyCount]; }

// The i-th member of a numbered family: Nth(Key::Document_RC_OPENDRAWER1, 12) is
// RC_OPENDRAWER13. The family's members are consecutive in the catalogue.
constexpr Key Nth(Key first, size_t i) { return static_cast<Key>(static_cast<size_t>(first) + i); }

// Texts loaded by a sheet when it opens (document: "LAYOUT", "OPERATION", "VERSION",
// "WATERMARK", "1DCODE", "2DCODE", "GPD" and its 14 message texts; device: "UTILITY",
// "DOWNLOAD", "FONT", "VERSION" and its 14 message texts).
bool LoadedBy(Key key, SheetMask sheet);

// What the Main page reloads on every paint: its own section, "GPD" and all of
// "MessageBox" (the texts of both sheets' message boxes).
inline constexpr Section kMainPageReload[] = {Section::Layout, Section::Gpd, Section::MessageBox};

// A line break cannot stand in an INI value, so the files keep it as the two characters
// backslash and "n". StoredText() is what a file holds for a text, ShownText() what a
// page shows for a stored value; no other escape exists.
std::u16string StoredText(std::u16string_view text);
std::u16string ShownText(std::u16string_view stored);

// ShownText() on a zero-terminated buffer in place, for the buffers filled by the
// platform's profile lookup. Returns the new length.
size_t ShowLineBreaksInPlace(char16_t* buffer, size_t capacity);

// What a text's buffer holds after its lookup in `file`, as the platform's profile lookup
// fills it: the stored value without enclosing quotes, or the English default when the
// section or key is missing, cut to capacity - 1, with its line breaks shown.
std::u16string LookUpText(const IniFile& file, const TextEntry& entry);

// Names of the language files.
inline constexpr std::u16string_view kLanguageListFile = u"LANGUAGE_ZR640.DAT";
inline constexpr std::u16string_view kEnglishFile = u"ENG_ZR640.res";
inline constexpr std::u16string_view kSimplifiedChineseFile = u"CHN_ZR640.res";
inline constexpr std::u16string_view kTraditionalChineseFile = u"CHF_ZR640.res";

// The version section that every language file carries besides the catalogue's sections.
inline constexpr std::u16string_view kVersionSection = u"FILEVER";
inline constexpr std::u16string_view kVersionKey = u"INIVERSION";

}  // namespace zr640::text
