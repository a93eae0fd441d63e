// Setting fields of a settings record by name: the names and places match what
// `devmode show` prints, each field keeps the range its page keeps, and a refused
// assignment changes nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/settings/devmode_fields.h"
#include "core/settings/devmode_text.h"
#include "core/settings/private_devmode.h"

namespace zr640 {
namespace {

PrivateDevMode DefaultRecord() {
    PrivateDevMode record;
    FillDefaultDevMode(record, u"C:\\");
    return record;
}

bool SameBytes(const PrivateDevMode& a, const PrivateDevMode& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string ShownValue(const PrivateDevMode& record, const std::string& name) {
    std::istringstream lines(DescribeDevMode(record));
    const std::string prefix = name + " = ";
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
    }
    return "<not shown>";
}

TEST(DevModeFields, NamesAreWhatShowPrintsInItsOrder) {
    std::vector<std::string> shown;
    std::istringstream lines(DescribeDevMode(DefaultRecord()));
    for (std::string line; std::getline(lines, line);) {
        shown.push_back(line.substr(0, line.find(" = ")));
    }
    std::vector<std::string> table;
    for (const auto& field : DevModeFields()) table.push_back(field.name);
    EXPECT_EQ(table, shown);
}

// Each number field at both ends of its range shows as set (so its place is the one show
// reads), and one step outside is refused with the record untouched.
TEST(DevModeFields, EveryNumberKeepsItsRange) {
    for (const auto& field : DevModeFields()) {
        if (field.kind != FieldKind::kNumber) continue;
        for (const int64_t value : {field.low, field.high}) {
            PrivateDevMode record = DefaultRecord();
            const auto set =
                ApplyDevModeAssignment(record, field.name + "=" + std::to_string(value));
            ASSERT_TRUE(set) << set.error();
            EXPECT_EQ(ShownValue(record, field.name), std::to_string(value)) << field.name;
        }
        const PrivateDevMode before = DefaultRecord();
        for (const int64_t value : {field.low - 1, field.high + 1}) {
            PrivateDevMode record = before;
            const auto set =
                ApplyDevModeAssignment(record, field.name + "=" + std::to_string(value));
            EXPECT_FALSE(set) << field.name << "=" << value;
            EXPECT_NE(set.error().find(field.name), std::string::npos) << set.error();
            EXPECT_TRUE(SameBytes(record, before)) << field.name;
        }
    }
}

TEST(DevModeFields, RangesOfThePages) {
    PrivateDevMode record = DefaultRecord();
    EXPECT_TRUE(ApplyDevModeAssignment(record, "startDoc.bPaperCut=2"));
    EXPECT_FALSE(ApplyDevModeAssignment(record, "startDoc.bPaperCut=3"));
    EXPECT_TRUE(ApplyDevModeAssignment(record, "endPage.bFeedMm=100"));
    EXPECT_FALSE(ApplyDevModeAssignment(record, "endPage.bFeedMm=101"));
    EXPECT_FALSE(ApplyDevModeAssignment(record, "startPage.bCashDrawer=13"));
    EXPECT_TRUE(ApplyDevModeAssignment(record, "barcode1D[3].bType=8"));
    EXPECT_FALSE(ApplyDevModeAssignment(record, "barcode1D[8].bType=8")) << "only eight fonts";
    EXPECT_FALSE(ApplyDevModeAssignment(record, "barcode2D[1].bQrModel=0"));
    EXPECT_FALSE(ApplyDevModeAssignment(record, "bZoomScale=9"));
    EXPECT_FALSE(ApplyDevModeAssignment(record, "dwWatermarkAngle=361"));
    EXPECT_TRUE(ApplyDevModeAssignment(record, "dwReservedLevel=-2147483648"));
    EXPECT_EQ(record.dwReservedLevel, INT32_MIN);
}

TEST(DevModeFields, ElementWidthKeepsItsEightfoldCopy) {
    PrivateDevMode record = DefaultRecord();
    ASSERT_TRUE(ApplyDevModeAssignment(record, "barcode1D[5].bElementWidth=6"));
    EXPECT_EQ(record.barcode1D[5].bElementWidth, 6);
    EXPECT_EQ(record.barcode1D[5].dwElementWidthX8, 48u);
    EXPECT_EQ(record.barcode1D[4].dwElementWidthX8, 24u);
}

TEST(DevModeFields, MalformedNumbersAndNames) {
    const PrivateDevMode before = DefaultRecord();
    for (const char* assignment :
         {"startDoc.bPaperCut=", "startDoc.bPaperCut=+1", "startDoc.bPaperCut= 1",
          "startDoc.bPaperCut=1 ", "startDoc.bPaperCut=0x1", "startDoc.bPaperCut=-0",
          "startDoc.bPaperCut=1.0", "barcode1D[0].dwSymbolHeight=99999999999999999999",
          "dwReservedLevel=2147483648", "dwReservedLevel=-", "startDoc.bPaperCut", "=1",
          "startdoc.bPaperCut=1", "nope=1", "dwSize=1976", "dwSignature=0x00323130", "dwVersion=1",
          "wszLogFolder=C:\\"}) {
        PrivateDevMode record = before;
        const auto set = ApplyDevModeAssignment(record, assignment);
        EXPECT_FALSE(set) << assignment;
        EXPECT_FALSE(set.error().empty());
        EXPECT_TRUE(SameBytes(record, before)) << assignment;
    }
    PrivateDevMode record = before;
    EXPECT_NE(ApplyDevModeAssignment(record, "nope=1").error().find("nope"), std::string::npos);
    EXPECT_TRUE(ApplyDevModeAssignment(record, "startDoc.bPaperCut=002")) << "decimal digits";
}

TEST(DevModeFields, TextsAreQuotedAsShowPrintsThem) {
    PrivateDevMode record = DefaultRecord();
    ASSERT_TRUE(ApplyDevModeAssignment(record, R"(wszWatermarkText="DRAFT")"));
    EXPECT_EQ(ShownValue(record, "wszWatermarkText"), "\"DRAFT\"");
    ASSERT_TRUE(ApplyDevModeAssignment(record, R"(wszLogFolder="D:\\logs \"x\"")"));
    EXPECT_EQ(ShownValue(record, "wszLogFolder"), R"("D:\\logs \"x\"")");
    EXPECT_EQ(std::u16string(record.wszLogFolder), u"D:\\logs \"x\"");
    ASSERT_TRUE(ApplyDevModeAssignment(record, "wszWatermarkFont=\"\xE5\xAE\x8B\xE4\xBD\x93\""));
    EXPECT_EQ(std::u16string(record.wszWatermarkFont), u"\u5b8b\u4f53");
    ASSERT_TRUE(ApplyDevModeAssignment(record, R"(wszLogFolder="")"));
    for (const char16_t unit : record.wszLogFolder) ASSERT_EQ(unit, 0) << "the old text is cleared";
}

TEST(DevModeFields, TextsKeepTheirStoredWidth) {
    PrivateDevMode record = DefaultRecord();
    // The water-mark text box takes as many characters as the field holds.
    const auto quoted = [](size_t n, char c) { return "\"" + std::string(n, c) + "\""; };
    EXPECT_TRUE(ApplyDevModeAssignment(record, "wszWatermarkText=" + quoted(16, 'W')));
    EXPECT_EQ(ShownValue(record, "wszWatermarkText"), "\"" + std::string(16, 'W') + "\"");
    EXPECT_EQ(record.wszWatermarkFont[0], 0) << "the next field is untouched";
    EXPECT_FALSE(ApplyDevModeAssignment(record, "wszWatermarkText=" + quoted(17, 'W')));
    // The others keep their terminator.
    EXPECT_TRUE(ApplyDevModeAssignment(record, "wszPaperName=\"" + std::string(31, 'P') + "\""));
    EXPECT_FALSE(ApplyDevModeAssignment(record, "wszPaperName=\"" + std::string(32, 'P') + "\""));
    EXPECT_TRUE(ApplyDevModeAssignment(record, "wszLogFolder=\"" + std::string(255, 'L') + "\""));
    EXPECT_FALSE(ApplyDevModeAssignment(record, "wszLogFolder=\"" + std::string(256, 'L') + "\""));
    EXPECT_FALSE(ApplyDevModeAssignment(record, "wszWatermarkBitmap=" + quoted(125, 'B')));
}

TEST(DevModeFields, MalformedTexts) {
    const PrivateDevMode before = DefaultRecord();
    for (const char* assignment :
         {"wszWatermarkText=DRAFT", "wszWatermarkText=\"DRAFT", "wszWatermarkText=DRAFT\"",
          "wszWatermarkText=\"", "wszWatermarkText=\"a\"b\"", "wszWatermarkText=\"a\\n\"",
          "wszWatermarkText=\"a\\\"", "wszWatermarkText=\"tab\there\"",
          "wszWatermarkText=\"\xC3\x28\"", "wszWatermarkText=\"\xED\xA0\x80\""}) {
        PrivateDevMode record = before;
        EXPECT_FALSE(ApplyDevModeAssignment(record, assignment)) << assignment;
        EXPECT_TRUE(SameBytes(record, before)) << assignment;
    }
}

TEST(DevModeFields, CommandSetsBytesAndLengthTogether) {
    PrivateDevMode record = DefaultRecord();
    ASSERT_TRUE(ApplyDevModeAssignment(record, "endDoc.abCommand=" + std::string(40, '7')));
    ASSERT_TRUE(ApplyDevModeAssignment(record, "endDoc.abCommand=1D 56 42 00"));
    EXPECT_EQ(record.endDoc.cbCommand, 4);
    const uint8_t expected[4] = {0x1D, 0x56, 0x42, 0x00};
    EXPECT_EQ(std::memcmp(record.endDoc.abCommand, expected, 4), 0);
    for (size_t i = 4; i < 128; ++i) {
        ASSERT_EQ(record.endDoc.abCommand[i], 0) << "zero-filled " << i;
    }
    EXPECT_EQ(record.endPage.cbCommand, 0) << "the neighbouring block";

    ASSERT_TRUE(ApplyDevModeAssignment(record, "startPage.abCommand=1d5 4"));
    EXPECT_EQ(record.startPage.cbCommand, 3);
    EXPECT_EQ(record.startPage.abCommand[1], 0x05);
    ASSERT_TRUE(ApplyDevModeAssignment(record, "startPage.abCommand=" + std::string(256, 'f')));
    EXPECT_EQ(record.startPage.cbCommand, 128);
    ASSERT_TRUE(ApplyDevModeAssignment(record, "startPage.abCommand="));
    EXPECT_EQ(record.startPage.cbCommand, 0);
    EXPECT_EQ(record.startPage.abCommand[0], 0);

    const PrivateDevMode before = record;
    for (const std::string& assignment : std::vector<std::string>{
             "startPage.abCommand=" + std::string(257, 'f'), "startPage.abCommand=1D-56",
             "startPage.abCommand=1D,56", "startPage.abCommand=" + std::string(400, ' '),
             std::string("abReservedA=") + std::string(66, '1')}) {
        EXPECT_FALSE(ApplyDevModeAssignment(record, assignment)) << assignment.substr(0, 30);
        EXPECT_TRUE(SameBytes(record, before));
    }
    ASSERT_TRUE(ApplyDevModeAssignment(record, "abReservedB=" + std::string(64, 'E')));
    EXPECT_EQ(record.abReservedB[31], 0xEE);
    EXPECT_EQ(record.bPrintAsImage, 0) << "the field behind it";
}

TEST(DevModeFields, AllAssignmentsOrNone) {
    PrivateDevMode record = DefaultRecord();
    const PrivateDevMode before = record;
    const std::vector<std::string> bad = {"startDoc.bPaperCut=2", "bZoom=1", "bZoom=2"};
    const auto refused = ApplyDevModeAssignments(record, bad);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find("bZoom=2"), std::string::npos) << refused.error();
    EXPECT_TRUE(SameBytes(record, before));

    const std::vector<std::string> good = {"startDoc.bPaperCut=2", "bZoom=1", "bZoom=0"};
    ASSERT_TRUE(ApplyDevModeAssignments(record, good));
    EXPECT_EQ(record.startDoc.bPaperCut, 2);
    EXPECT_EQ(record.bZoom, 0) << "later assignments win";
}

TEST(DevModeFields, LongValuesAreCutShortInMessages) {
    PrivateDevMode record = DefaultRecord();
    const auto refused =
        ApplyDevModeAssignment(record, "endDoc.abCommand=" + std::string(5000, 'z'));
    ASSERT_FALSE(refused);
    EXPECT_LT(refused.error().size(), 200u);
}

// The pages read their fields' ranges from the same table `devmode set` keeps: a number field
// gives its range, any other name nothing, and an end beyond 32 signed bits its nearest value.
TEST(DevModeFields, NumberFieldRangesComeFromTheTable) {
    constexpr std::pair<std::string_view, std::string_view> kCases[] = {
        {"bWatermarkSize", "0..100"},
        {"bWatermarkFontSize", "8..72"},
        {"dwWatermarkAngle", "0..360"},
        {"bWatermarkPosition", "0..9"},
        {"barcode1D[7].bElementWidth", "2..6"},
        {"barcode2D[1].bGs1Segments", "2..20"},
        {"barcode1D[0].dwSymbolHeight", "2..2147483647"},
        {"dwReservedLevel", "-2147483648..2147483647"},
        {"wszWatermarkText", "none"},
        {"endDoc.abCommand", "none"},
        {"dwSize", "none"},
        {"bNoSuchField", "none"},
    };
    for (const auto& [name, expected] : kCases) {
        const auto range = NumberFieldRange(name);
        EXPECT_EQ(range ? std::to_string(range->lowest) + ".." + std::to_string(range->highest)
                        : std::string("none"),
                  expected)
            << name;
    }
}

}  // namespace
}  // namespace zr640
