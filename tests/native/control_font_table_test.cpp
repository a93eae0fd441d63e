// The control font's character translation table file: its rows, reading and writing it as
// the platform's profile functions do, and replacing it whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/controlfont/control_font_table.h"
#include "tests/native/file_size_limit.h"
#include "core/localisation/ini_file.h"
#include "core/localisation/ini_writer.h"

namespace zr640 {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes Ansi(std::string_view text) { return {text.begin(), text.end()}; }
std::string Text(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

class ControlFontFile : public ::testing::Test {
protected:
    fs::path dir = fs::temp_directory_path() / ("zr640-controlfont-" + std::to_string(::getpid()));
    fs::path file = dir / "ZR640CONTROL.dat";
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    void Write(std::string_view text) { std::ofstream(file, std::ios::binary) << text; }
    std::string Read() {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    ControlFontTable Load() {
        auto table = ControlFontTable::Load(file);
        EXPECT_TRUE(table.ok()) << table.error();
        return table ? *table : ControlFontTable();
    }
};

size_t Row(uint8_t code) { return *ControlFontTable::RowOf(code); }

TEST(ControlFontRows, AreTheCodes20To7FKeyedInUpperCaseHex) {
    const ControlFontTable table;
    ASSERT_EQ(table.rows().size(), 96u);
    EXPECT_EQ(table.row(0).code, 0x20);
    EXPECT_EQ(ControlCodeKey(table.row(0).code), u"20");
    EXPECT_EQ(table.row(95).code, 0x7F);
    EXPECT_EQ(ControlCodeKey(table.row(95).code), u"7F") << "the row of DEL";
    EXPECT_EQ(ControlCodeKey(0x4A), u"4A");
    EXPECT_EQ(ControlCodeKey(0x0A), u"A") << "no leading zero";
    EXPECT_EQ(ControlFontTable::RowOf(0x7F), 95u);
    EXPECT_FALSE(ControlFontTable::RowOf(0x1F));
    EXPECT_FALSE(ControlFontTable::RowOf(0x80));
    EXPECT_TRUE(table.empty());
    EXPECT_EQ(ControlFontFilePath(u"C:\\windows\\"),
              u"C:\\windows\\system32\\spool\\drivers\\w32x86\\3\\ZR640CONTROL.dat");
    EXPECT_EQ(ControlFontFilePath(u"C:\\windows"), ControlFontFilePath(u"C:\\windows\\"));
}

TEST(ControlFontCommands, ParseAndFormatAsCommandText) {
    EXPECT_EQ(ParseControlCommand(u"1D 56 42 00"), (Bytes{0x1D, 0x56, 0x42, 0x00}));
    EXPECT_EQ(ParseControlCommand(u"1D5642"), (Bytes{0x1D, 0x56, 0x42}));
    EXPECT_EQ(ParseControlCommand(u"1D 5 4"), (Bytes{0x1D, 0x05, 0x04}));
    EXPECT_EQ(ParseControlCommand(u"123"), (Bytes{0x12, 0x03}));
    EXPECT_EQ(ParseControlCommand(u"1d -. zz"), (Bytes{0x1D, 0x00, 0x00})) << "others count as 0";
    EXPECT_EQ(ParseControlCommand(u""), Bytes{});
    EXPECT_EQ(FormatControlCommand(Bytes{0x1D, 0x05, 0xFF}), u"1D 05 FF ");
    EXPECT_EQ(FormatControlCommand(Bytes{}), u"");

    // 128 bytes are a command; 129 are not. Text past the 399th character is never read.
    EXPECT_EQ(ParseControlCommand(std::u16string(256, u'A'))->size(), 128u);
    EXPECT_FALSE(ParseControlCommand(std::u16string(257, u'A')));
    EXPECT_EQ(
        ParseControlCommand(std::u16string(256, u'0') + std::u16string(143, u' ') + u"FF")->size(),
        128u);
}

TEST(ControlFontCommands, EditsAreKeptNormalisedAndOverLongCommandsRefused) {
    ControlFontTable table;
    EXPECT_TRUE(table.SetCommand(Row('A'), Bytes{0x1b, 0x40}));
    EXPECT_EQ(table.row(Row('A')).command, u"1B 40 ");
    EXPECT_EQ(table.CommandOf(Row('A')), (Bytes{0x1B, 0x40}));
    EXPECT_FALSE(table.SetCommand(Row('A'), Bytes(129, 0x20)));
    EXPECT_EQ(table.row(Row('A')).command, u"1B 40 ") << "a refused command changes nothing";
    EXPECT_TRUE(table.SetCommand(Row('A'), Bytes(128, 0x20)));
    table.ClearCommand(Row('A'));
    EXPECT_TRUE(table.empty());
}

TEST_F(ControlFontFile, RoundTripIsTheFileThePlatformWrites) {
    ControlFontTable table;
    table.SetCommand(Row(' '), Bytes{0x1B, 0x40});
    table.SetCommand(Row('A'), Bytes{0x1D, 0x56, 0x42, 0x00});
    table.SetCommand(Row(0x7F), Bytes{0x0A});
    ASSERT_TRUE(SaveControlFontTable(file, table).ok());

    EXPECT_EQ(Read(),
              "[Character Translation Table]\r\n20=1B 40 \r\n41=1D 56 42 00 \r\n7F=0A \r\n");
    const auto ini = IniFile::Parse(Ansi(Read()));
    EXPECT_EQ(ini.encoding(), IniFile::Encoding::CodePage);
    EXPECT_EQ(ini.GetString(u"Character Translation Table", u"7F", u"", 400), u"0A");

    const ControlFontTable loaded = Load();
    for (size_t i = 0; i < kControlFontRows; ++i) {
        EXPECT_EQ(loaded.CommandOf(i), table.CommandOf(i)) << i;
    }
    EXPECT_EQ(loaded.row(Row('A')).command, u"1D 56 42 00") << "a reader cuts the trailing blank";
    EXPECT_FALSE(fs::exists(file.string() + ".partial"));
}

TEST_F(ControlFontFile, AValueStoredInLowerCaseIsShownAsStoredUntilEdited) {
    Write("[Character Translation Table]\r\n41=1d 56 42 00\r\n7f = \"1b 21\"\r\n");
    ControlFontTable table = Load();
    EXPECT_EQ(table.row(Row('A')).command, u"1d 56 42 00");
    EXPECT_EQ(table.row(Row(0x7F)).command, u"1b 21") << "keys ignore case; quotes go";

    table.SetCommand(Row(0x7F), *table.CommandOf(Row(0x7F)));
    ASSERT_TRUE(SaveControlFontTable(file, table).ok());
    EXPECT_EQ(Read(), "[Character Translation Table]\r\n41=1d 56 42 00\r\n7F=1B 21 \r\n")
        << "the row not edited is written as it was shown";
}

TEST_F(ControlFontFile, MissingFileOrKeysGiveEmptyRows) {
    EXPECT_TRUE(Load().empty());
    Write(
        "20=1B\r\n[Other]\r\n21=1B\r\n[Character Translation Table]\r\n; 22=1B\r\n022=1B\r\n"
        "23=" +
        std::string(500, 'F') + "\r\n[Character Translation Table]\r\n24=1B\r\n");
    const ControlFontTable table = Load();
    EXPECT_EQ(table.row(Row('#')).command.size(), 399u) << "read into a buffer of 400";
    EXPECT_FALSE(table.CommandOf(Row('#'))) << "too long to edit";
    for (const char code : {' ', '!', '"', '$'})
        EXPECT_EQ(table.row(Row(uint8_t(code))).command, u"");
}

TEST_F(ControlFontFile, DeletingEveryCommandLeavesNoFile) {
    Write("[Character Translation Table]\r\n41=1B 40\r\n42=0A\r\n");
    ControlFontTable table = Load();
    table.ClearCommand(Row('A'));
    ASSERT_TRUE(SaveControlFontTable(file, table).ok());
    EXPECT_EQ(Read(), "[Character Translation Table]\r\n42=0A\r\n");
    table.ClearCommand(Row('B'));
    ASSERT_TRUE(SaveControlFontTable(file, table).ok());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(SaveControlFontTable(file, table).ok()) << "no file, nothing to remove";
}

TEST_F(ControlFontFile, AFailedWriteLeavesTheOldFileIntact) {
    const std::string old = "[Character Translation Table]\r\n41=1B 40\r\n";
    Write(old);
    ControlFontTable table = Load();
    table.SetCommand(Row('B'), Bytes{0x0A});
    const auto saved = [&] {
        const FileSizeLimit full(old.size());  // the new table cannot be written whole
        return SaveControlFontTable(file, table);
    }();
    EXPECT_FALSE(saved.ok());
    EXPECT_EQ(Read(), old);

    // What is not a regular file is neither read nor replaced nor removed.
    const fs::path folder = dir / "folder.dat";
    fs::create_directory(folder);
    EXPECT_FALSE(ControlFontTable::Load(folder).ok());
    EXPECT_FALSE(SaveControlFontTable(folder, table).ok());
    EXPECT_FALSE(SaveControlFontTable(folder, ControlFontTable()).ok());
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(ControlFontFile, OtherTextIsWrittenBackAsItWasRead) {
    // Bytes of another code page come back as the same bytes; text that no code-page byte
    // stands for is kept in a UTF-16 file.
    Write("[Character Translation Table]\r\n41=1B \xE9\r\n");
    ASSERT_TRUE(SaveControlFontTable(file, Load()).ok());
    EXPECT_EQ(Read(), "[Character Translation Table]\r\n41=1B \xE9\r\n");

    ControlFontTable wide = ControlFontTable::Parse(
        Bytes{0xFF, 0xFE, '[', 0, 'C', 0, 'h',  0, 'a', 0, 'r', 0, 'a', 0, 'c', 0, 't',  0,
              'e',  0,    'r', 0, ' ', 0, 'T',  0, 'r', 0, 'a', 0, 'n', 0, 's', 0, 'l',  0,
              'a',  0,    't', 0, 'i', 0, 'o',  0, 'n', 0, ' ', 0, 'T', 0, 'a', 0, 'b',  0,
              'l',  0,    'e', 0, ']', 0, '\n', 0, '4', 0, '1', 0, '=', 0, '1', 0, 0x3B, 0x4E});
    EXPECT_EQ(wide.row(Row('A')).command, u"1\u4E3B");
    ASSERT_TRUE(SaveControlFontTable(file, wide).ok());
    const Bytes written = Ansi(Read());
    EXPECT_EQ(IniFile::Parse(written).encoding(), IniFile::Encoding::Utf16Le);
    EXPECT_EQ(ControlFontTable::Parse(written), wide);
}

// A code page of its own: the byte 80 is the euro sign, the rest as Latin-1, and U+00E9
// has no byte.
class EuroCodePage final : public CodePage {
public:
    std::u16string Decode(std::span<const uint8_t> bytes) const override {
        std::u16string text;
        for (const uint8_t b : bytes) text += b == 0x80 ? u'\u20AC' : char16_t{b};
        return text;
    }
    std::optional<std::vector<uint8_t>> Encode(std::u16string_view text) const override {
        std::vector<uint8_t> bytes;
        for (const char16_t c : text) {
            if (c == u'\u20AC') {
                bytes.push_back(0x80);
            } else if (c > 0xFF || c == 0xE9 || c == 0x80) {
                return std::nullopt;
            } else {
                bytes.push_back(static_cast<uint8_t>(c));
            }
        }
        return bytes;
    }
};

TEST_F(ControlFontFile, CodePageBytesAreReadAndWrittenInTheCodePageGiven) {
    const EuroCodePage euro;
    Write("[Character Translation Table]\r\n41=1B \x80\r\n");
    const auto table = ControlFontTable::Load(file, euro);
    ASSERT_TRUE(table.ok()) << table.error();
    EXPECT_EQ(table->row(Row('A')).command, u"1B \u20AC") << "not the Latin-1 U+0080";
    ASSERT_TRUE(SaveControlFontTable(file, *table, euro).ok());
    EXPECT_EQ(Read(), "[Character Translation Table]\r\n41=1B \x80\r\n") << "the same bytes";

    // Text without a byte in that code page goes to a UTF-16 file, read back whole.
    ControlFontTable other = *table;
    other = ControlFontTable::Parse(Ansi("[Character Translation Table]\r\n42=\xE9\r\n"));
    EXPECT_EQ(other.row(Row('B')).command, u"\u00E9");
    ASSERT_TRUE(SaveControlFontTable(file, other, euro).ok());
    const Bytes written = Ansi(Read());
    EXPECT_EQ(IniFile::Parse(written, euro).encoding(), IniFile::Encoding::Utf16Le);
    EXPECT_EQ(ControlFontTable::Parse(written, euro), other);
}

TEST_F(ControlFontFile, AFileLargerThanAnyTableIsNotRead) {
    std::string big = "[Character Translation Table]\r\n41=1B 40\r\n";
    big.resize(static_cast<size_t>(kMaxControlFontFile) + 1, ';');
    Write(big);
    EXPECT_FALSE(ControlFontTable::Load(file).ok());
    big.resize(static_cast<size_t>(kMaxControlFontFile));
    Write(big);
    EXPECT_TRUE(ControlFontTable::Load(file).ok()) << "the limit itself is read";
}

TEST(IniWriter, WritesLinesThatReadBackAsWritten) {
    IniWriter writer(IniFile::Encoding::CodePage);
    writer.Section(u"One");
    writer.Entry(u"a", u"1");
    writer.Entry(u"quoted", u"\"x\"");
    writer.Entry(u"spaced", u" 'y' ");
    writer.Entry(u"half", u"\"z");
    writer.Section(u"Two");
    writer.Entry(u"b", u"");
    const auto bytes = writer.Bytes();
    ASSERT_TRUE(bytes.ok()) << bytes.error();
    EXPECT_EQ(Text(*bytes),
              "[One]\r\na=1\r\nquoted=\"\"x\"\"\r\nspaced=\" 'y' \"\r\nhalf=\"z\r\n"
              "[Two]\r\nb=\r\n");
    const auto ini = IniFile::Parse(*bytes);
    EXPECT_EQ(ini.GetString(u"One", u"quoted", u"", 100), u"\"x\"");
    EXPECT_EQ(ini.GetString(u"One", u"spaced", u"", 100), u" 'y' ");
    EXPECT_EQ(ini.GetString(u"One", u"half", u"", 100), u"\"z");
    EXPECT_EQ(ini.GetString(u"Two", u"b", u"-", 100), u"");

    IniWriter wide(IniFile::Encoding::Utf16Le);
    wide.Section(u"S");
    wide.Entry(u"k", u"\u4E3B");
    EXPECT_EQ(*wide.Bytes(), (Bytes{0xFF, 0xFE, '[', 0,   'S', 0,    ']',  0,    '\r', 0,    '\n',
                                    0,    'k',  0,   '=', 0,   0x3B, 0x4E, '\r', 0,    '\n', 0}));
}

TEST(IniWriter, RefusesWhatWouldReadBackAsSomethingElse) {
    const auto refused = [](auto write, IniFile::Encoding encoding = IniFile::Encoding::CodePage) {
        IniWriter writer(encoding);
        writer.Section(u"S");
        write(writer);
        return !writer.Bytes().ok();
    };
    EXPECT_TRUE(refused([](IniWriter& w) { w.Entry(u"a=b", u"1"); }));
    EXPECT_TRUE(refused([](IniWriter& w) { w.Entry(u"[a", u"1"); }));
    EXPECT_TRUE(refused([](IniWriter& w) { w.Entry(u";a", u"1"); }));
    EXPECT_TRUE(refused([](IniWriter& w) { w.Entry(u" a", u"1"); }));
    EXPECT_TRUE(refused([](IniWriter& w) { w.Entry(u"", u"1"); }));
    EXPECT_TRUE(refused([](IniWriter& w) { w.Entry(u"a", u"1\r\nb=2"); }));
    EXPECT_TRUE(refused([](IniWriter& w) { w.Entry(u"a", std::u16string_view(u"1\0", 2)); }));
    EXPECT_TRUE(refused([](IniWriter& w) { w.Section(u"T\nU"); }));
    EXPECT_TRUE(refused([](IniWriter& w) { w.Entry(u"a", u"\u4E3B"); }));
    EXPECT_FALSE(
        refused([](IniWriter& w) { w.Entry(u"a", u"\u4E3B"); }, IniFile::Encoding::Utf16Le));
    EXPECT_FALSE(refused([](IniWriter& w) { w.Entry(u"a", u"caf\u00E9"); }));

    IniWriter orphan(IniFile::Encoding::CodePage);
    orphan.Entry(u"a", u"1");
    EXPECT_FALSE(orphan.Bytes().ok()) << "a key before any section";
}

}  // namespace
}  // namespace zr640
