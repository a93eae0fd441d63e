#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/localisation/ini_file.h"

namespace zr640 {
namespace {

std::vector<uint8_t> Ansi(std::string_view text) { return {text.begin(), text.end()}; }

std::vector<uint8_t> Utf16File(std::u16string_view text) {
    std::vector<uint8_t> bytes{0xFF, 0xFE};
    for (const char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

std::u16string Get(const IniFile& ini, std::u16string_view section, std::u16string_view key,
                   size_t capacity = 100) {
    return ini.GetString(section, key, u"<default>", capacity);
}

TEST(IniEncoding, ByteOrderMarkMeansUtf16LittleEndian) {
    const auto ini = IniFile::Parse(Utf16File(u"[LAYOUT]\r\nRC_LAYOUTFORM=主要\r\n"));
    EXPECT_EQ(ini.encoding(), IniFile::Encoding::Utf16Le);
    EXPECT_EQ(Get(ini, u"LAYOUT", u"RC_LAYOUTFORM"), u"主要");
}

TEST(IniEncoding, NoMarkMeansCodePageBytes) {
    const auto ini = IniFile::Parse(Ansi("[A]\nk=caf\xE9\n"));
    EXPECT_EQ(ini.encoding(), IniFile::Encoding::CodePage);
    EXPECT_EQ(Get(ini, u"A", u"k"), u"caf\u00E9");
    // A big-endian mark is not ours: the bytes are code-page text and hold no section.
    const auto bigEndian =
        IniFile::Parse(std::vector<uint8_t>{0xFE, 0xFF, 0, 0x5B, 0, 0x41, 0, 0x5D});
    EXPECT_EQ(bigEndian.encoding(), IniFile::Encoding::CodePage);
    EXPECT_EQ(bigEndian.FindSection(u"A"), nullptr);
}

TEST(IniEncoding, OddTrailingByteAndEmbeddedNul) {
    auto bytes = Utf16File(u"[A]\r\nk=ab");
    bytes.push_back('c');  // half a character
    EXPECT_EQ(Get(IniFile::Parse(bytes), u"A", u"k"), u"ab");
    const auto nul = IniFile::Parse(Ansi(std::string("[A]\nk=ab\0cd\n", 12)));
    EXPECT_EQ(Get(nul, u"A", u"k"), u"ab");
    EXPECT_TRUE(IniFile::Parse({}).sections().empty());
    EXPECT_TRUE(IniFile::Parse(std::vector<uint8_t>{0xFF, 0xFE}).sections().empty());
}

TEST(IniLookup, NamesIgnoreCaseAndFirstOccurrenceWins) {
    const auto ini =
        IniFile::Parse(Ansi("[Layout]\r\nrc_scale=first\r\nRC_SCALE=second\r\n"
                            "[LAYOUT]\r\nRC_OTHER=in the second section\r\n"));
    EXPECT_EQ(Get(ini, u"LAYOUT", u"RC_SCALE"), u"first");
    EXPECT_EQ(Get(ini, u"layout", u"Rc_Scale"), u"first");
    // Only the first section of a name is searched.
    EXPECT_EQ(Get(ini, u"LAYOUT", u"RC_OTHER"), u"<default>");
    EXPECT_EQ(ini.sections().size(), 2u);
    EXPECT_EQ(ini.sections()[0].entries.size(), 2u);
}

TEST(IniLookup, LinesAndBlanks) {
    const auto ini =
        IniFile::Parse(Ansi("orphan=before any section\r"
                            "  [ A ] trailing words\n"
                            "\tkey one \t=  value with  inner  blanks \t\r\n"
                            "; comment=not a key\n"
                            "no equals sign\n"
                            "[broken=header line\n"
                            "empty=\n"
                            "[B]\n"
                            "k==x=\n"));
    EXPECT_EQ(Get(ini, u" A ", u"key one"), u"value with  inner  blanks");
    EXPECT_EQ(Get(ini, u"A", u"key one"), u"<default>");  // the name is kept as bracketed
    EXPECT_EQ(Get(ini, u" A ", u"; comment"), u"<default>");
    EXPECT_EQ(Get(ini, u" A ", u"no equals sign"), u"<default>");
    EXPECT_EQ(Get(ini, u" A ", u"[broken"), u"header line");
    EXPECT_EQ(Get(ini, u" A ", u"empty"), u"");  // present but empty: not the default
    EXPECT_EQ(Get(ini, u"B", u"k"), u"=x=");
    EXPECT_EQ(ini.FindSection(u"orphan"), nullptr);
}

TEST(IniLookup, QuotesAreRemovedOnlyInMatchingPairs) {
    const auto ini =
        IniFile::Parse(Ansi("[Q]\n"
                            "a=\"  kept blanks \"\n"
                            "b='single'\n"
                            "c='starts only\n"
                            "d=\"mixed'\n"
                            "e=\"\n"
                            "f=\"\"\n"
                            "g='All the data' will not\n"));
    EXPECT_EQ(Get(ini, u"Q", u"a"), u"  kept blanks ");
    EXPECT_EQ(Get(ini, u"Q", u"b"), u"single");
    EXPECT_EQ(Get(ini, u"Q", u"c"), u"'starts only");
    EXPECT_EQ(Get(ini, u"Q", u"d"), u"\"mixed'");
    EXPECT_EQ(Get(ini, u"Q", u"e"), u"\"");
    EXPECT_EQ(Get(ini, u"Q", u"f"), u"");
    EXPECT_EQ(Get(ini, u"Q", u"g"), u"'All the data' will not");
    EXPECT_EQ(ini.Find(u"Q", u"b").value(), u"'single'");  // the raw value keeps them
}

TEST(IniLookup, TextsAreCutToCapacityMinusOne) {
    const auto ini = IniFile::Parse(Ansi("[C]\nk=Rotate by 180 Degrees\n"));
    EXPECT_EQ(Get(ini, u"C", u"k", 20), u"Rotate by 180 Degre");
    EXPECT_EQ(Get(ini, u"C", u"k", 1), u"");
    EXPECT_EQ(Get(ini, u"C", u"k", 0), u"");
    EXPECT_EQ(ini.GetString(u"C", u"missing", u"a long default", 5), u"a lo");
    EXPECT_EQ(ini.GetString(u"missing", u"k", u"dflt", 100), u"dflt");
}

TEST(IniLoad, MissingFileIsRefused) {
    EXPECT_FALSE(IniFile::Load("/nonexistent/folder/ENG_ZR640.res").ok());
}

}  // namespace
}  // namespace zr640
