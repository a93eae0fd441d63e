#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "core/common/text.h"
#include "core/driverlog/viewer_texts.h"
#include "core/localisation/ini_file.h"

namespace zr640 {
namespace {

using Texts = std::map<std::string, std::map<std::string, std::u16string>>;

// A language file as the private-profile functions see it, through the project's own INI
// reader; nothing for a file that is not UTF-16LE with a byte-order mark.
std::optional<Texts> ReadUtf16Ini(const std::string& path) {
    const auto file = IniFile::Load(path);
    if (!file || file->encoding() != IniFile::Encoding::Utf16Le) return std::nullopt;
    Texts texts;
    for (const IniFile::Section& section : file->sections()) {
        auto& keys = texts[Utf16ToUtf8(section.name)];
        for (const IniFile::Entry& entry : section.entries)
            keys.emplace(Utf16ToUtf8(entry.key), entry.value);
    }
    return texts;
}

Texts Load(const char* name) {
    const auto ini = ReadUtf16Ini(std::string(ZR640_TEST_DATA) + "/../../viewer/lang/" + name);
    EXPECT_TRUE(ini.has_value()) << name << " is missing or not UTF-16LE with a byte-order mark";
    return ini.value_or(Texts{});
}

bool IsLanguageNeutral(std::string_view key) {
    return key == "RC_DRVNAME" || key == "RC_PRNWIDTH" || key == "RC_PRNPOINT";
}

TEST(ViewerLanguageFiles, EveryKeyInEveryFileAndNothingElse) {
    for (const char* name : {"ENG.ini", "CHN.ini", "CHF.ini"}) {
        const Texts ini = Load(name);
        for (const auto& entry : kViewerTexts) {
            const auto section = ini.find(std::string(entry.section));
            ASSERT_NE(section, ini.end()) << name;
            const auto value = section->second.find(std::string(entry.key));
            ASSERT_NE(value, section->second.end()) << name << " lacks " << entry.key;
            EXPECT_FALSE(value->second.empty()) << name << " " << entry.key;
            EXPECT_LT(value->second.size(), entry.capacity) << name << " " << entry.key;
        }
        size_t keys = 0;
        for (const auto& [section, values] : ini) keys += values.size();
        EXPECT_EQ(keys, kViewerTexts.size()) << name;
    }
}

TEST(ViewerLanguageFiles, EnglishIsTheDefaults) {
    const Texts ini = Load("ENG.ini");
    for (const auto& entry : kViewerTexts) {
        EXPECT_EQ(Utf16ToUtf8(ini.at(std::string(entry.section)).at(std::string(entry.key))),
                  entry.defaultText);
    }
}

TEST(ViewerLanguageFiles, ChineseFilesAreTranslated) {
    const Texts english = Load("ENG.ini");
    const Texts simplified = Load("CHN.ini");
    const Texts traditional = Load("CHF.ini");
    for (const auto& entry : kViewerTexts) {
        const std::string section(entry.section);
        const std::string key(entry.key);
        const std::u16string& eng = english.at(section).at(key);
        const std::u16string& chn = simplified.at(section).at(key);
        const std::u16string& chf = traditional.at(section).at(key);
        if (IsLanguageNeutral(key)) {
            EXPECT_EQ(chn, eng) << key;
            EXPECT_EQ(chf, eng) << key;
            continue;
        }
        EXPECT_NE(chn, eng) << key;
        EXPECT_NE(chf, chn) << key;  // every text has a character written differently
        EXPECT_TRUE(std::any_of(chn.begin(), chn.end(), [](char16_t c) { return c >= 0x4E00; }))
            << key;
        EXPECT_TRUE(std::any_of(chf.begin(), chf.end(), [](char16_t c) { return c >= 0x4E00; }))
            << key;
    }
}

TEST(ViewerTexts, LanguageFileChoice) {
    EXPECT_EQ(ViewerLanguageValueName("ZR640"), "LANGUAGE_ZR640");
    EXPECT_EQ(ViewerLanguageValueName(""), "LANGUAGE_");
    for (int id : {1028, 3076, 4100}) {
        EXPECT_EQ(ViewerLanguageFileFor(static_cast<uint16_t>(id)), "CHF.ini") << id;
    }
    EXPECT_EQ(ViewerLanguageFileFor(2052), "CHN.ini");
    for (int id : {0, 1033, 1041, 2057, 0xFFFF}) {
        EXPECT_EQ(ViewerLanguageFileFor(static_cast<uint16_t>(id)), "ENG.ini") << id;
    }
}

TEST(ViewerTexts, GeometryNumbersAreReadLikeTheViewerReadsThem) {
    EXPECT_EQ(ParseLeadingInteger("80"), 80);
    EXPECT_EQ(ParseLeadingInteger("  640 dots"), 640);
    EXPECT_EQ(ParseLeadingInteger("+7"), 7);
    EXPECT_EQ(ParseLeadingInteger("-80"), -80);
    EXPECT_EQ(ParseLeadingInteger(""), std::nullopt);
    EXPECT_EQ(ParseLeadingInteger("eighty"), std::nullopt);
    EXPECT_EQ(ParseLeadingInteger("99999999999999999999"), std::nullopt);

    const auto defaults =
        LineGeometryFromTexts(ViewerTextEntryOf(ViewerText::PrinterWidth).defaultText,
                              ViewerTextEntryOf(ViewerText::PrinterPoints).defaultText);
    ASSERT_TRUE(defaults.ok());
    EXPECT_EQ(defaults->bytesPerRow, 80u);
    EXPECT_EQ(defaults->dots, 640u);
    EXPECT_TRUE(LineGeometryFromTexts("104", "832").ok());
    EXPECT_FALSE(LineGeometryFromTexts("80", "832").ok());
    EXPECT_FALSE(LineGeometryFromTexts("", "640").ok());
    EXPECT_FALSE(LineGeometryFromTexts("-80", "-640").ok());
}

}  // namespace
}  // namespace zr640
