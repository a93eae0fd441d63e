#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "core/common/file_io.h"
#include "core/common/text.h"
#include "core/localisation/ini_file.h"
#include "core/localisation/text_catalog.h"

namespace zr640 {
namespace {

using text::Key;
using text::Section;

std::filesystem::path LanguageFolder() {
    return std::filesystem::path(ZR640_TEST_DATA).parent_path().parent_path() / "plugin" /
           "resources" / "lang";
}

const IniFile& File(std::u16string_view name) {
    static std::map<std::u16string, IniFile> cache;
    const std::u16string key(name);
    if (!cache.contains(key)) {
        auto loaded = IniFile::Load(LanguageFolder() / Utf16ToUtf8(name));
        EXPECT_TRUE(loaded.ok()) << Utf16ToUtf8(name) << ": " << loaded.error();
        cache.emplace(key, loaded.ok() ? std::move(*loaded) : IniFile::Parse({}));
    }
    return cache.at(key);
}

constexpr std::u16string_view kStringFiles[] = {text::kEnglishFile, text::kSimplifiedChineseFile,
                                                text::kTraditionalChineseFile};

// The number a file's key holds, as its decimal text; 0 for a missing key or another text.
int NumberOf(const IniFile& file, std::u16string_view section, std::u16string_view key) {
    const std::string digits = Utf16ToUtf8(file.GetString(section, key, u"", 12));
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::stoi(digits);
}

std::string Name(const text::TextEntry& entry) {
    return Utf16ToUtf8(text::SectionOf(entry.section).name) + "/" + Utf16ToUtf8(entry.key);
}

// What a page shows for a key after the platform's lookup into the key's buffer.
std::u16string Shown(const IniFile& file, const text::TextEntry& entry) {
    return text::ShownText(file.GetString(text::SectionOf(entry.section).name, entry.key,
                                          entry.english, entry.capacity));
}

// ---- The catalogue itself -------------------------------------------------------------

TEST(TextCatalog, SectionsHoldTheKeyCountsTheSheetsLoad) {
    const std::map<std::u16string_view, size_t> expected{
        {u"LAYOUT", 30},
        {u"WATERMARK", 41},
        {u"OPERATION", 9},
        {u"DOCUMENT", 77},
        {u"1DCODE", 50},
        {u"2DCODE", 69},
        {u"GPD", 2},
        {u"VERSION", 9},
        {u"UTILITY", 17},
        {u"DOWNLOAD", 44},
        {u"FONT", 3},
        {u"MessageBox", 27},  // 25 + the long-folder and long-bitmap-path refusals
        {u"DRIVERLOG", 17}};
    ASSERT_EQ(text::Sections().size(), expected.size());
    size_t total = 0;
    for (const auto& section : text::Sections()) {
        EXPECT_EQ(section.count, expected.at(section.name)) << Utf16ToUtf8(section.name);
        total += section.count;
    }
    EXPECT_EQ(total, text::kKeyCount);
}

TEST(TextCatalog, KeysAreUniqueAndFollowTheirFamilies) {
    std::set<std::pair<Section, std::u16string>> seen;
    for (const auto& entry : text::Entries()) {
        EXPECT_TRUE(seen.insert({entry.section, std::u16string(entry.key)}).second) << Name(entry);
        const bool caption = entry.key.starts_with(u"RC_");
        const bool tooltip = entry.key.starts_with(u"CTEXT_");
        const bool message = entry.key.starts_with(u"MB_");
        EXPECT_TRUE(caption || tooltip || message) << Name(entry);
        if (tooltip || entry.section == Section::MessageBox) {
            EXPECT_EQ(entry.capacity, 1024) << Name(entry);
        }
        EXPECT_TRUE(entry.capacity == 20 || entry.capacity == 50 || entry.capacity == 100 ||
                    entry.capacity == 256 || entry.capacity == 1024)
            << Name(entry);
        EXPECT_EQ(text::Find(text::SectionOf(entry.section).name, entry.key), &entry);
    }
    EXPECT_EQ(text::Find(u"LAYOUT", u"RC_NOT_A_KEY"), nullptr);
    EXPECT_EQ(text::Find(u"layout", u"RC_LAYOUTFORM"), nullptr);  // the catalogue's own spelling
}

TEST(TextCatalog, DefaultsFitTheirBuffersAndSurviveTheFiles) {
    for (const auto& entry : text::Entries()) {
        EXPECT_LT(text::StoredText(entry.english).size(), entry.capacity) << Name(entry);
        // No backslash and no CR, so the line-break escape is the only one ever needed.
        EXPECT_EQ(entry.english.find(u'\\'), std::u16string_view::npos) << Name(entry);
        EXPECT_EQ(entry.english.find(u'\r'), std::u16string_view::npos) << Name(entry);
        EXPECT_EQ(text::ShownText(text::StoredText(entry.english)), entry.english) << Name(entry);
    }
    EXPECT_EQ(text::EntryOf(Key::MessageBox_MB_LAYOUT_VIEWER).english, u"Not fount LOGViewer!");
    EXPECT_EQ(text::EntryOf(Key::Font_RC_STATIC_FONT_NOTICE).english.back(), u' ');
}

TEST(TextCatalog, BuffersTileOnePool) {
    size_t offset = 0;
    for (size_t i = 0; i < text::kKeyCount; ++i) {
        const auto key = static_cast<Key>(i);
        EXPECT_EQ(text::BufferOffset(key), offset);
        EXPECT_EQ(text::Capacity(key), text::Entries()[i].capacity);
        offset += text::Capacity(key);
    }
    EXPECT_EQ(text::TextPoolUnits(), offset);
}

TEST(TextCatalog, NumberedFamiliesAreConsecutive) {
    EXPECT_EQ(text::EntryOf(text::Nth(Key::Document_RC_OPENDRAWER1, 12)).key, u"RC_OPENDRAWER13");
    EXPECT_EQ(text::EntryOf(text::Nth(Key::Document_RC_PRINT_LOGO1, 9)).english, u"Print Logo9");
    EXPECT_EQ(text::EntryOf(text::Nth(Key::Document_RC_OPERATION_BUZZER1, 5)).english,
              u"Beep twenty");
    EXPECT_EQ(text::EntryOf(text::Nth(Key::Watermark_RC_STATIC_WATERMARK_POSITION1, 9)).english,
              u"Tiled");
    EXPECT_EQ(text::EntryOf(text::Nth(Key::Code2D_RC_STATIC_2DCODE_ERRORCOR1, 8)).english,
              u"Error Correction Level 8");
    EXPECT_EQ(text::EntryOf(text::Nth(Key::Version_RC_STATIC_VER1, 6)).key, u"RC_STATIC_VER7");
}

TEST(TextCatalog, EachSheetLoadsItsSectionsAndItsHalfOfTheMessages) {
    std::map<std::u16string_view, size_t> document, device;
    for (size_t i = 0; i < text::kKeyCount; ++i) {
        const auto key = static_cast<Key>(i);
        const auto section = text::SectionOf(text::EntryOf(key).section).name;
        if (text::LoadedBy(key, text::kDocumentSheet)) ++document[section];
        if (text::LoadedBy(key, text::kDeviceSheet)) ++device[section];
    }
    const std::map<std::u16string_view, size_t> expectedDocument{
        {u"LAYOUT", 30}, {u"OPERATION", 9}, {u"VERSION", 9}, {u"WATERMARK", 41},
        {u"1DCODE", 50}, {u"2DCODE", 69},   {u"GPD", 2},     {u"MessageBox", 14}};
    const std::map<std::u16string_view, size_t> expectedDevice{
        {u"UTILITY", 17}, {u"DOWNLOAD", 44}, {u"FONT", 3}, {u"VERSION", 9}, {u"MessageBox", 14}};
    EXPECT_EQ(document, expectedDocument);
    EXPECT_EQ(device, expectedDevice);
    for (const Key caption :
         {Key::MessageBox_MB_INFORMATION, Key::MessageBox_MB_WARNING, Key::MessageBox_MB_ERROR}) {
        EXPECT_TRUE(text::LoadedBy(caption, text::kBothSheets));
        EXPECT_TRUE(text::LoadedBy(caption, text::kDocumentSheet));
        EXPECT_TRUE(text::LoadedBy(caption, text::kDeviceSheet));
    }
    EXPECT_TRUE(text::LoadedBy(Key::MessageBox_MB_UTILITY_ERROR1, text::kDeviceSheet));
    EXPECT_FALSE(text::LoadedBy(Key::MessageBox_MB_UTILITY_ERROR1, text::kDocumentSheet));
    EXPECT_FALSE(text::LoadedBy(Key::Document_RC_OPERATION_OK, text::kBothSheets));
}

TEST(LineBreaks, StoredAsBackslashNAndShownAsLineFeed) {
    EXPECT_EQ(text::StoredText(u"a\nb\n"), u"a\\nb\\n");
    EXPECT_EQ(text::ShownText(u"a\\nb\\"), u"a\nb\\");
    EXPECT_EQ(text::ShownText(u"\\\\n"), u"\\\n");

    char16_t buffer[20] = u"one\\ntwo";
    EXPECT_EQ(text::ShowLineBreaksInPlace(buffer, 20), 7u);
    EXPECT_EQ(std::u16string_view(buffer), u"one\ntwo");
    // A buffer filled to the brim and unterminated is not read past its end.
    char16_t full[4] = {u'a', u'\\', u'n', u'b'};
    EXPECT_EQ(text::ShowLineBreaksInPlace(full, 4), 3u);
    EXPECT_EQ(std::u16string_view(full, 3), u"a\nb");
    char16_t cut[3] = {u'x', u'\\', 0};  // an escape cut in half by the buffer stays as it is
    EXPECT_EQ(text::ShowLineBreaksInPlace(cut, 3), 2u);
    EXPECT_EQ(text::ShowLineBreaksInPlace(nullptr, 3), 0u);
}

// ---- The shipped files ----------------------------------------------------------------

TEST(StringFiles, AreUtf16WithMarkAndCrLfLines) {
    for (const auto name : kStringFiles) {
        const auto bytes = ReadWholeFile(LanguageFolder() / Utf16ToUtf8(name));
        ASSERT_TRUE(bytes.ok()) << Utf16ToUtf8(name);
        ASSERT_GE(bytes->size(), 2u);
        EXPECT_EQ((*bytes)[0], 0xFF);
        EXPECT_EQ((*bytes)[1], 0xFE);
        EXPECT_EQ(bytes->size() % 2, 0u);
        for (size_t i = 2; i + 1 < bytes->size(); i += 2) {
            const auto c = static_cast<char16_t>((*bytes)[i] | ((*bytes)[i + 1] << 8));
            if (c == u'\n') {
                ASSERT_GE(i, 4u);
                EXPECT_EQ((*bytes)[i - 2], '\r') << Utf16ToUtf8(name) << " at byte " << i;
            }
        }
        EXPECT_EQ(File(name).encoding(), IniFile::Encoding::Utf16Le);
    }
}

TEST(StringFiles, HoldEveryCatalogueKeyOnceAndNothingElse) {
    for (const auto name : kStringFiles) {
        const auto& file = File(name);
        std::set<std::u16string> sectionsSeen;
        for (const auto& section : file.sections()) {
            EXPECT_TRUE(sectionsSeen.insert(section.name).second)
                << Utf16ToUtf8(name) << ": section " << Utf16ToUtf8(section.name) << " twice";
            if (section.name == text::kVersionSection) {
                ASSERT_EQ(section.entries.size(), 1u);
                EXPECT_EQ(section.entries[0].key, text::kVersionKey);
                continue;
            }
            std::set<std::u16string> keysSeen;
            for (const auto& entry : section.entries) {
                EXPECT_TRUE(keysSeen.insert(entry.key).second)
                    << Utf16ToUtf8(name) << ": " << Utf16ToUtf8(entry.key) << " twice";
                EXPECT_NE(text::Find(section.name, entry.key), nullptr)
                    << Utf16ToUtf8(name) << ": unknown key " << Utf16ToUtf8(section.name) << "/"
                    << Utf16ToUtf8(entry.key);
            }
        }
        for (const auto& entry : text::Entries()) {
            EXPECT_TRUE(file.Find(text::SectionOf(entry.section).name, entry.key).has_value())
                << Utf16ToUtf8(name) << ": missing " << Name(entry);
        }
        EXPECT_GT(NumberOf(file, text::kVersionSection, text::kVersionKey), 0);
        EXPECT_EQ(NumberOf(file, text::kVersionSection, text::kVersionKey),
                  NumberOf(File(text::kEnglishFile), text::kVersionSection, text::kVersionKey));
    }
}

TEST(StringFiles, EveryTextFitsItsBuffer) {
    for (const auto name : kStringFiles) {
        for (const auto& entry : text::Entries()) {
            const auto raw = File(name).Find(text::SectionOf(entry.section).name, entry.key);
            ASSERT_TRUE(raw.has_value());
            // What the lookup reads must not be cut, whatever the language.
            EXPECT_LT(UnquoteProfileValue(*raw).size(), entry.capacity)
                << Utf16ToUtf8(name) << " " << Name(entry);
            EXPECT_FALSE(UnquoteProfileValue(*raw).empty())
                << Utf16ToUtf8(name) << " " << Name(entry);
        }
    }
}

TEST(StringFiles, EnglishTextsAreTheDefaults) {
    for (const auto& entry : text::Entries()) {
        EXPECT_EQ(Shown(File(text::kEnglishFile), entry), entry.english) << Name(entry);
    }
    // The trailing blank of the Font notice and the two lines of the Version page survive.
    EXPECT_EQ(Shown(File(text::kEnglishFile), text::EntryOf(Key::Font_RC_STATIC_FONT_NOTICE)),
              u"Select this font size in the application. ");
    EXPECT_EQ(Shown(File(text::kEnglishFile), text::EntryOf(Key::Version_RC_STATIC_VER5)),
              u"Install version: v1.0\nUI version: v1.0");
}

TEST(StringFiles, ChineseFilesAreTranslations) {
    for (const auto name : {text::kSimplifiedChineseFile, text::kTraditionalChineseFile}) {
        size_t differing = 0;
        for (const auto& entry : text::Entries()) {
            const auto shown = Shown(File(name), entry);
            if (shown != entry.english) ++differing;
            if (entry.key.ends_with(u"FORM")) {
                EXPECT_NE(shown, entry.english) << Utf16ToUtf8(name) << " " << Name(entry);
            }
            if (entry.section != Section::DriverLog && entry.key.starts_with(u"CTEXT_")) {
                EXPECT_NE(shown, entry.english) << Utf16ToUtf8(name) << " " << Name(entry);
            }
            // Texts with a line break keep it.
            EXPECT_EQ(shown.find(u'\n') != std::u16string::npos,
                      entry.english.find(u'\n') != std::u16string_view::npos)
                << Utf16ToUtf8(name) << " " << Name(entry);
        }
        // Only names (PDF417, GS1 DataBar, the web address) and the viewer's settings stay.
        EXPECT_GE(differing, text::kKeyCount - 12) << Utf16ToUtf8(name);
    }
    // The two scripts differ where they should.
    const auto& simplified = File(text::kSimplifiedChineseFile);
    const auto& traditional = File(text::kTraditionalChineseFile);
    EXPECT_EQ(Shown(simplified, text::EntryOf(Key::MessageBox_MB_ERROR)), u"错误");
    EXPECT_EQ(Shown(traditional, text::EntryOf(Key::MessageBox_MB_ERROR)), u"錯誤");
}

TEST(StringFiles, DensityChoicesStayFindableAfterRelabelling) {
    // The relabelled choices read prefix + number; the next reload finds the option again
    // only if the prefix holds one of the words the relabelling looks for.
    for (const auto name : kStringFiles) {
        const auto prefix = Shown(File(name), text::EntryOf(Key::Gpd_RC_DENSITY_INDEX));
        EXPECT_TRUE(prefix.find(u"Density") != std::u16string::npos ||
                    prefix.find(u"浓度") != std::u16string::npos ||
                    prefix.find(u"濃度") != std::u16string::npos)
            << Utf16ToUtf8(name);
    }
}

TEST(LanguageList, NamesTheThreeLanguages) {
    const auto& list = File(text::kLanguageListFile);
    EXPECT_EQ(list.encoding(), IniFile::Encoding::Utf16Le);
    EXPECT_EQ(NumberOf(list, u"LANGUAGE", u"COUNT"), 3);
    EXPECT_EQ(list.GetString(u"LANGUAGE", u"CUR_INI", u"", 30), text::kEnglishFile);
    EXPECT_GT(NumberOf(list, text::kVersionSection, text::kVersionKey), 0);

    const std::u16string_view names[] = {u"English", u"简体中文", u"繁體中文"};
    const std::u16string_view files[] = {text::kEnglishFile, text::kSimplifiedChineseFile,
                                         text::kTraditionalChineseFile};
    // Each language's own words for the start-up labels, so the system-language entry of
    // the language combo matches the language it stands for.
    const std::u16string_view labels[] = {u"System Language", u"系统语言(System)",
                                          u"系統語言(System)"};
    for (int i = 0; i < 3; ++i) {
        const auto n = Utf8ToUtf16(std::to_string(i));
        EXPECT_EQ(list.GetString(u"LANGUAGE", u"Language" + n, u"", 50), names[i]);
        EXPECT_EQ(list.GetString(u"LANGUAGE", u"INI" + n, u"", 20), files[i]);
        EXPECT_EQ(list.GetString(u"LANGUAGE", u"SYSLANG" + n, u"", 50), labels[i]);
        EXPECT_TRUE(std::filesystem::exists(LanguageFolder() / Utf16ToUtf8(files[i])));
    }
    const auto* section = list.FindSection(u"LANGUAGE");
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(section->entries.size(), 2u + 3u * 3u);
}

}  // namespace
}  // namespace zr640
