#include "core/localisation/text_catalog.h"

#include "core/localisation/ini_file.h"

namespace zr640::text {
namespace {

struct SectionInfo {
    std::u16string_view name;
    uint8_t sheets;  // sheets that load the whole section when they open
};

// Indexed by Section.
constexpr std::array<SectionInfo, kSectionCount> kSectionInfo{{
    {u"LAYOUT", kDocumentSheet},
    {u"WATERMARK", kDocumentSheet},
    {u"OPERATION", kDocumentSheet},
    {u"DOCUMENT", kNoSheet},
    {u"1DCODE", kDocumentSheet},
    {u"2DCODE", kDocumentSheet},
    {u"GPD", kDocumentSheet},
    {u"VERSION", kBothSheets},
    {u"UTILITY", kDeviceSheet},
    {u"DOWNLOAD", kDeviceSheet},
    {u"FONT", kDeviceSheet},
    {u"MessageBox", kNoSheet},  // per message, below
    {u"DRIVERLOG", kNoSheet},
}};

constexpr uint8_t SheetsOf(Section section) {
    return kSectionInfo[static_cast<size_t>(section)].sheets;
}

constexpr TextEntry kEntries[] = {
#define ZR640_TEXT(section, key, capacity, english) \
    {Section::section, u"" #key, english, capacity, SheetsOf(Section::section)},
#define ZR640_MESSAGE(key, sheets, english) {Section::MessageBox, u"" #key, english, 1024, sheets},
#include "core/localisation/text_keys.inc"
#undef ZR640_TEXT
#undef ZR640_MESSAGE
};
static_assert(std::size(kEntries) == kKeyCount);

constexpr std::array<SectionEntry, kSectionCount> MakeSections() {
    std::array<SectionEntry, kSectionCount> sections{};
    for (size_t s = 0; s < kSectionCount; ++s) {
        sections[s] = {static_cast<Section>(s), kSectionInfo[s].name, Key{}, 0};
    }
    for (size_t i = kKeyCount; i-- > 0;) {
        auto& section = sections[static_cast<size_t>(kEntries[i].section)];
        section.first = static_cast<Key>(i);
        ++section.count;
    }
    return sections;
}

constexpr auto kSections = MakeSections();

// Each section's keys must be one block, or EntriesOf() would miss some.
constexpr bool SectionsAreContiguous() {
    for (const auto& section : kSections) {
        const auto first = static_cast<size_t>(section.first);
        for (size_t i = first; i < first + section.count; ++i) {
            if (kEntries[i].section != section.section) return false;
        }
    }
    return true;
}
static_assert(SectionsAreContiguous());

}  // namespace

std::span<const TextEntry> Entries() { return kEntries; }

const TextEntry& EntryOf(Key key) { return kEntries[static_cast<size_t>(key)]; }

std::span<const SectionEntry> Sections() { return kSections; }

const SectionEntry& SectionOf(Section section) { return kSections[static_cast<size_t>(section)]; }

std::span<const TextEntry> EntriesOf(Section section) {
    const auto& s = SectionOf(section);
    return std::span<const TextEntry>(kEntries).subspan(static_cast<size_t>(s.first), s.count);
}

const TextEntry* Find(std::u16string_view section, std::u16string_view key) {
    for (const auto& s : kSections) {
        if (s.name != section) continue;
        for (const auto& entry : EntriesOf(s.section)) {
            if (entry.key == key) return &entry;
        }
    }
    return nullptr;
}

bool LoadedBy(Key key, SheetMask sheet) { return (EntryOf(key).sheets & sheet) != 0; }

std::u16string StoredText(std::u16string_view text) {
    std::u16string stored;
    stored.reserve(text.size() + 8);
    for (const char16_t c : text) {
        if (c == u'\n') {
            stored += u"\\n";
        } else {
            stored += c;
        }
    }
    return stored;
}

std::u16string ShownText(std::u16string_view stored) {
    std::u16string shown(stored);
    shown.resize(ShowLineBreaksInPlace(shown.data(), shown.size() + 1));
    return shown;
}

std::u16string LookUpText(const IniFile& file, const TextEntry& entry) {
    return ShownText(
        file.GetString(SectionOf(entry.section).name, entry.key, entry.english, entry.capacity));
}

size_t ShowLineBreaksInPlace(char16_t* buffer, size_t capacity) {
    if (buffer == nullptr || capacity == 0) return 0;
    size_t out = 0;
    for (size_t in = 0; in < capacity && buffer[in] != 0; ++in) {
        if (buffer[in] == u'\\' && in + 1 < capacity && buffer[in + 1] == u'n') {
            buffer[out++] = u'\n';
            ++in;
        } else {
            buffer[out++] = buffer[in];
        }
    }
    if (out < capacity) buffer[out] = 0;
    return out;
}

}  // namespace zr640::text
