#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <string>

#include "core/common/text.h"
#include "core/driverlog/viewer_texts.h"

namespace zr640 {
namespace {

using IniFile = std::map<std::string, std::map<std::string, std::u16string>>;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Reads a language file as the private-profile functions see it: UTF-16LE after a byte-order
// mark, "[section]" lines and "key=value" lines. Returns nothing for a file without the mark.
std::optional<IniFile> ReadUtf16Ini(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() < 2 || bytes.size() % 2 != 0 || bytes[0] != '\xFF' || bytes[1] != '\xFE') {
        return std::nullopt;
    }
    std::u16string text;
    for (size_t i = 2; i < bytes.size(); i += 2) {
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    IniFile ini;
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos) end = text.size();
        std::u16string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == u'\r') line.pop_back();
        const std::string utf8 = Utf16ToUtf8(line);
        const std::string_view trimmed = Trim(utf8);
        if (trimmed.empty() || trimmed.front() == ';') continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            section = std::string(trimmed.substr(1, trimmed.size() - 2));
            continue;
        }
        const size_t equals = trimmed.find('=');
        if (equals == std::string_view::npos) continue;
        ini[section][std::string(Trim(trimmed.substr(0, equals)))] =
            Utf8ToUtf16(Trim(trimmed.substr(equals + 1)));
    }
    return ini;
}

IniFile Load(const char* name) {
    const auto ini = ReadUtf16Ini(std::string(ZR640_TEST_DATA) + "/../../viewer/lang/" + name);
    EXPECT_TRUE(ini.has_value()) << name << " is missing or not UTF-16LE with a byte-order mark";
    return ini.value_or(IniFile{});
}

bool IsLanguageNeutral(std::string_view key) {
    return key == "RC_DRVNAME" || key == "RC_PRNWIDTH" || key == "RC_PRNPOINT";
}

TEST(ViewerLanguageFiles, EveryKeyInEveryFileAndNothingElse) {
    for (const char* name : {"ENG.ini", "CHN.ini", "CHF.ini"}) {
        const IniFile ini = Load(name);
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
    const IniFile ini = Load("ENG.ini");
    for (const auto& entry : kViewerTexts) {
        EXPECT_EQ(Utf16ToUtf8(ini.at(std::string(entry.section)).at(std::string(entry.key))),
                  entry.defaultText);
    }
}

TEST(ViewerLanguageFiles, ChineseFilesAreTranslated) {
    const IniFile english = Load("ENG.ini");
    const IniFile simplified = Load("CHN.ini");
    const IniFile traditional = Load("CHF.ini");
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
