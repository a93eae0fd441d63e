// The 1D Code and 2D Code pages in the real document sheet: each font's settings, the clamps
// of the number fields, the groups shown by type, the font size boxes, Independence and
// Composite, and the test prints, which must arrive in the test printer's capture file byte
// for byte as the core builds them.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <fstream>
#include <algorithm>
#include <functional>
#include <tuple>
#include <iterator>
#include <string>
#include <vector>

#include "core/barcode/test_print.h"
#include "resource.h"
#include "tests/windows/person_input.h"
#include "tests/windows/sheet_fixture.h"

namespace {

using namespace wintest;
using oemhost::SheetKind;
using oemhost::SheetSession;
using Bytes = std::vector<uint8_t>;

constexpr int kCode1DTab = 5;
constexpr int kCode2DTab = 6;
constexpr wchar_t kCaptureFile[] = L"C:\\capture\\zr640.prn";

Bytes Capture() {
    std::ifstream in(kCaptureFile, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Captured() { return GetFileAttributesW(kCaptureFile) != INVALID_FILE_ATTRIBUTES; }

Bytes Ascii(const char* text) { return Bytes(text, text + std::char_traits<char>::length(text)); }

// Picks the entry from the opened drop-down list, with the keyboard.
void SelectCombo(HWND page, int control, int index) { PickWithKeyboard(page, control, index); }

int ComboSelection(HWND page, int control) {
    return static_cast<int>(SendDlgItemMessageW(page, control, CB_GETCURSEL, 0, 0));
}

std::wstring ComboItem(HWND page, int control, int index) {
    wchar_t text[512] = {};
    SendDlgItemMessageW(page, control, CB_GETLBTEXT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(text));
    return text;
}

// Replaces the edit's text as a person does: into the field (its text selected), the keys one
// by one (Backspace for none), then Tab to the next field.
void Type(HWND page, int edit, const std::wstring& text) {
    Focus(page, edit);
    if (text.empty()) PressKey(VK_BACK);
    TypeKeys(text);
    LeaveField();
}

int SpinPosition(HWND page, int spin) {
    return static_cast<int>(SendDlgItemMessageW(page, spin, UDM_GETPOS32, 0, 0));
}

std::pair<int, int> SpinRange(HWND page, int spin) {
    int low = 0, high = 0;
    SendDlgItemMessageW(page, spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                        reinterpret_cast<LPARAM>(&high));
    return {low, high};
}

bool Visible(HWND page, int control) { return IsWindowVisible(GetDlgItem(page, control)) != FALSE; }

POINT ClientPosition(HWND page, int control) {
    RECT area = {};
    GetWindowRect(GetDlgItem(page, control), &area);
    POINT corner{area.left, area.top};
    ScreenToClient(page, &corner);
    return corner;
}

void PressApply(HWND sheet) {
    SendMessageW(sheet, PSM_APPLY, 0, 0);
    oemhost::Pump(50);
}

class CodePages : public SheetFixture {
protected:
    void SetUp() override {
        SheetFixture::SetUp();
        DeleteFileW(kCaptureFile);
    }

    // Runs the scenario on the page of the tab; the sheet is cancelled afterwards.
    void RunOnPage(
        int tab,
        const std::function<void(HWND sheet, HWND page, zr640::PrivateDevMode&)>& scenario) {
        SheetSession sheet(plugin, kPrinter);
        ASSERT_NE(sheet.printer, nullptr) << "the test printer is missing";
        sheet.scenario = [&](HWND window) {
            scenario(window, oemhost::PageAt(window, tab), Record(sheet));
            return false;
        };
        ASSERT_TRUE(sheet.Run(SheetKind::Document));
    }

    // Presses Print and gives what reached the printer (nothing: an empty capture).
    Bytes Print(HWND page, int button) {
        DeleteFileW(kCaptureFile);
        Click(page, button);
        return Capture();
    }

    FakePlatform::Message LastMessage() const {
        return platform.messages.empty() ? FakePlatform::Message{} : platform.messages.back();
    }
};

// ---- 1D Code ------------------------------------------------------------------------------

TEST_F(CodePages, Code1DStartsWithFontOneAndItsGeneralGroup) {
    RunOnPage(kCode1DTab, [&](HWND sheet, HWND page, zr640::PrivateDevMode&) {
        EXPECT_EQ(ComboItem(page, IDC_CODE1D_COMBO_FONTNAME, 7), L"1D Code8");
        EXPECT_EQ(ComboSelection(page, IDC_CODE1D_COMBO_FONTNAME), 0);
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_CODE1D_COMBO_TYPE, CB_GETCOUNT, 0, 0), 13);
        EXPECT_EQ(ComboItem(page, IDC_CODE1D_COMBO_TYPE, 2), L"EAN8");
        EXPECT_EQ(ComboSelection(page, IDC_CODE1D_COMBO_TYPE), 0);
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_WIDTH), L"3");
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_HEIGHT), L"163");
        EXPECT_EQ(SpinRange(page, IDC_CODE1D_SPIN_HEIGHT), std::make_pair(1, 255));
        EXPECT_EQ(SpinRange(page, IDC_CODE1D_SPIN_WIDTH), std::make_pair(2, 6));
        EXPECT_EQ(ControlText(page, IDC_CODE1D_RANGE_WIDTH), L"[ 2. . 6 ]");
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_MM), L" 23.0");
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_POINT), L" 65.0");
        EXPECT_FALSE(Enabled(page, IDC_CODE1D_EDIT_MM));
        EXPECT_TRUE(GetWindowLongW(GetDlgItem(page, IDC_CODE1D_EDIT_POINT), GWL_STYLE) &
                    ES_READONLY);
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_DATA), L"123456789012");
        EXPECT_TRUE(Enabled(page, IDC_CODE1D_BUTTON_PRINT));
        EXPECT_TRUE(IsChecked(page, IDC_CODE1D_RADIO_FONTA));
        EXPECT_FALSE(Enabled(page, IDC_CODE1D_RADIO_FONTB)) << "no HRI";
        EXPECT_TRUE(IsChecked(page, IDC_CODE1D_RADIO_INDEPENDENCE));
        EXPECT_TRUE(Visible(page, IDC_CODE1D_EDIT_WIDTH));
        EXPECT_FALSE(Visible(page, IDC_CODE1D_EDIT_GS1WIDTH));
        EXPECT_FALSE(Visible(page, IDC_CODE1D_LABEL_NOTICE));
        const POINT group = ClientPosition(page, IDC_CODE1D_GROUP_GS1);
        EXPECT_EQ(group.x, 26);
        EXPECT_EQ(group.y, 62);
        const POINT ai = ClientPosition(page, IDC_CODE1D_COMBO_AI);
        EXPECT_EQ(ai.x, 132);
        EXPECT_EQ(ai.y, 236);
        EXPECT_FALSE(ApplyEnabled(sheet)) << "showing the font is not a change";
    });
}

TEST_F(CodePages, Code1DEachFontKeepsItsOwnSettings) {
    RunOnPage(kCode1DTab, [&](HWND sheet, HWND page, zr640::PrivateDevMode& record) {
        const zr640::Barcode1DSettings fontOne = record.barcode1D[0];
        SelectCombo(page, IDC_CODE1D_COMBO_FONTNAME, 1);
        EXPECT_EQ(ComboSelection(page, IDC_CODE1D_COMBO_TYPE), 1) << "UPC-E";
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_DATA), L"023456789012");
        Type(page, IDC_CODE1D_EDIT_WIDTH, L"5");
        Type(page, IDC_CODE1D_EDIT_HEIGHT, L"100");
        SelectCombo(page, IDC_CODE1D_COMBO_POSITION, 3);
        EXPECT_TRUE(Enabled(page, IDC_CODE1D_RADIO_FONTB));
        Click(page, IDC_CODE1D_RADIO_FONTB);
        EXPECT_TRUE(ApplyEnabled(sheet));

        const zr640::Barcode1DSettings& font = record.barcode1D[1];
        EXPECT_EQ(font.bElementWidth, 5);
        EXPECT_EQ(font.dwElementWidthX8, 40u);
        EXPECT_EQ(font.dwElementHeight, 100u);
        EXPECT_EQ(font.bHriPosition, 3);
        EXPECT_EQ(font.bHriFont, 1);
        EXPECT_EQ(font.dwSymbolHeight, 133u) << "134 dots: 53.6 points round to 53.5";
        EXPECT_EQ(std::memcmp(&record.barcode1D[0], &fontOne, sizeof fontOne), 0);

        SelectCombo(page, IDC_CODE1D_COMBO_FONTNAME, 0);
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_WIDTH), L"3");
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_HEIGHT), L"163");
        EXPECT_EQ(ComboSelection(page, IDC_CODE1D_COMBO_POSITION), 0);
        EXPECT_TRUE(IsChecked(page, IDC_CODE1D_RADIO_FONTA));
        EXPECT_FALSE(Enabled(page, IDC_CODE1D_RADIO_FONTA));
        EXPECT_EQ(std::memcmp(&record.barcode1D[0], &fontOne, sizeof fontOne), 0);

        SelectCombo(page, IDC_CODE1D_COMBO_FONTNAME, 1);
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_WIDTH), L"5");
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_HEIGHT), L"100");
        EXPECT_EQ(ComboSelection(page, IDC_CODE1D_COMBO_POSITION), 3);
        EXPECT_TRUE(IsChecked(page, IDC_CODE1D_RADIO_FONTB));
        EXPECT_FALSE(IsChecked(page, IDC_CODE1D_RADIO_FONTA));
        EXPECT_EQ(record.barcode1D[1].dwElementHeight, 100u) << "showing stored nothing new";
    });
}

TEST_F(CodePages, Code1DFieldsClampWhatIsTyped) {
    RunOnPage(kCode1DTab, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        const zr640::Barcode1DSettings& font = record.barcode1D[0];
        const struct {
            int edit, spin;
            const wchar_t* typed;
            int stored;
        } cases[] = {
            {IDC_CODE1D_EDIT_WIDTH, IDC_CODE1D_SPIN_WIDTH, L"9", 6},
            {IDC_CODE1D_EDIT_WIDTH, IDC_CODE1D_SPIN_WIDTH, L"0", 2},
            {IDC_CODE1D_EDIT_WIDTH, IDC_CODE1D_SPIN_WIDTH, L"1", 2},
            {IDC_CODE1D_EDIT_WIDTH, IDC_CODE1D_SPIN_WIDTH, L"4", 4},
            {IDC_CODE1D_EDIT_HEIGHT, IDC_CODE1D_SPIN_HEIGHT, L"0", 1},
            {IDC_CODE1D_EDIT_HEIGHT, IDC_CODE1D_SPIN_HEIGHT, L"999", 255},
            {IDC_CODE1D_EDIT_HEIGHT, IDC_CODE1D_SPIN_HEIGHT, L"", 1},
            {IDC_CODE1D_EDIT_HEIGHT, IDC_CODE1D_SPIN_HEIGHT, L"120", 120},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << c.edit << " -> " << c.stored);
            Type(page, c.edit, c.typed);
            EXPECT_EQ(ControlText(page, c.edit), std::to_wstring(c.stored));
            EXPECT_EQ(SpinPosition(page, c.spin), c.stored);
        }
        EXPECT_EQ(font.bElementWidth, 4);
        EXPECT_EQ(font.dwElementWidthX8, 32u);
        EXPECT_EQ(font.dwElementHeight, 120u);

        SelectCombo(page, IDC_CODE1D_COMBO_TYPE, 9);  // GS1 DataBar: its fields show
        Type(page, IDC_CODE1D_EDIT_ROWHEIGHT, L"1");
        EXPECT_EQ(font.dwGs1RowHeight, 2u);
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_ROWHEIGHT), L"2");
        Type(page, IDC_CODE1D_EDIT_GS1WIDTH, L"7");
        EXPECT_EQ(font.bGs1ElementWidth, 6);
        Type(page, IDC_CODE1D_EDIT_SEPARATOR, L"0");
        EXPECT_EQ(font.bGs1SeparatorHeight, 1);
    });
}

// The values a person reaches by typing: for every number field of a page, the smallest and
// the largest in-range value of every length the field takes, typed key by key and left.
struct NumberFieldCase {
    int edit, spin, maxCharacters, low, high;
};

std::vector<int> InRangeValuesOfEveryLength(const NumberFieldCase& field) {
    std::vector<int> values;
    for (int length = 1, first = 1; length <= field.maxCharacters; ++length, first *= 10) {
        const int low = std::max(field.low, length == 1 ? 0 : first);
        const int high = std::min(field.high, first * 10 - 1);
        if (low > high) continue;
        values.push_back(low);
        if (high != low) values.push_back(high);
    }
    return values;
}

template <typename ReadStored>
void ExpectEveryLengthStoredAsTyped(HWND page, const NumberFieldCase& field, ReadStored stored) {
    for (const int value : InRangeValuesOfEveryLength(field)) {
        const std::wstring text = std::to_wstring(value);
        ExpectKeptAfterTyping(page, {field.edit, field.spin, text.c_str(), text.c_str()});
        EXPECT_EQ(stored(), value) << "field " << field.edit << " typed " << value;
    }
}

TEST_F(CodePages, Code1DEveryNumberFieldStoresWhatIsTypedKeyByKey) {
    RunOnPage(kCode1DTab, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        const zr640::Barcode1DSettings& font = record.barcode1D[0];
        ExpectEveryLengthStoredAsTyped(page,
                                       {IDC_CODE1D_EDIT_WIDTH, IDC_CODE1D_SPIN_WIDTH, 1, 2, 6},
                                       [&] { return int{font.bElementWidth}; });
        ExpectEveryLengthStoredAsTyped(page,
                                       {IDC_CODE1D_EDIT_HEIGHT, IDC_CODE1D_SPIN_HEIGHT, 3, 1, 255},
                                       [&] { return static_cast<int>(font.dwElementHeight); });
        SelectCombo(page, IDC_CODE1D_COMBO_TYPE, 12);  // GS1 DataBar Expanded
        ClickCentre(page, IDC_CODE1D_RADIO_COMPOSITE);
        ExpectEveryLengthStoredAsTyped(
            page, {IDC_CODE1D_EDIT_GS1WIDTH, IDC_CODE1D_SPIN_GS1WIDTH, 1, 1, 6},
            [&] { return int{font.bGs1ElementWidth}; });
        ExpectEveryLengthStoredAsTyped(
            page, {IDC_CODE1D_EDIT_ROWHEIGHT, IDC_CODE1D_SPIN_ROWHEIGHT, 3, 2, 250},
            [&] { return static_cast<int>(font.dwGs1RowHeight); });
        ExpectEveryLengthStoredAsTyped(
            page, {IDC_CODE1D_EDIT_ROWHEIGHT2D, IDC_CODE1D_SPIN_ROWHEIGHT2D, 1, 1, 10},
            [&] { return static_cast<int>(font.dwGs1RowHeight2D); });
        ExpectEveryLengthStoredAsTyped(
            page, {IDC_CODE1D_EDIT_SEPARATOR, IDC_CODE1D_SPIN_SEPARATOR, 1, 1, 10},
            [&] { return int{font.bGs1SeparatorHeight}; });

        // The row height of the report: 1, 0, 0 is 100 (the first key alone is below 2 and
        // must stand until more keys come), and so is 180.
        for (const wchar_t* typed : {L"50", L"100", L"180"}) {
            Type(page, IDC_CODE1D_EDIT_ROWHEIGHT, typed);
            EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_ROWHEIGHT), typed);
            EXPECT_EQ(std::to_wstring(font.dwGs1RowHeight), typed);
        }
    });
}

TEST_F(CodePages, Code2DEveryNumberFieldStoresWhatIsTypedKeyByKey) {
    RunOnPage(kCode2DTab, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        const zr640::Barcode2DSettings& font = record.barcode2D[0];
        // PDF417: the rows of the report (12 once stored 32) and the element height (15
        // once stored 25).
        ExpectEveryLengthStoredAsTyped(
            page, {IDC_CODE2D_EDIT_PDFWIDTH, IDC_CODE2D_SPIN_PDFWIDTH, 1, 1, 7},
            [&] { return int{font.bPdfElementWidth}; });
        ExpectEveryLengthStoredAsTyped(
            page, {IDC_CODE2D_EDIT_PDFHEIGHT, IDC_CODE2D_SPIN_PDFHEIGHT, 2, 2, 25},
            [&] { return int{font.bPdfElementHeight}; });
        ExpectEveryLengthStoredAsTyped(page,
                                       {IDC_CODE2D_EDIT_COLUMNS, IDC_CODE2D_SPIN_COLUMNS, 2, 1, 30},
                                       [&] { return int{font.bPdfColumns}; });
        ExpectEveryLengthStoredAsTyped(page, {IDC_CODE2D_EDIT_ROWS, IDC_CODE2D_SPIN_ROWS, 2, 3, 90},
                                       [&] { return int{font.bPdfRows}; });
        for (const auto& [edit, typed, read] :
             {std::tuple{IDC_CODE2D_EDIT_ROWS, L"12", &zr640::Barcode2DSettings::bPdfRows},
              std::tuple{IDC_CODE2D_EDIT_PDFHEIGHT, L"15",
                         &zr640::Barcode2DSettings::bPdfElementHeight}}) {
            Type(page, edit, typed);
            EXPECT_EQ(std::to_wstring(font.*read), typed);
            EXPECT_EQ(ControlText(page, edit), typed);
        }

        SelectCombo(page, IDC_CODE2D_COMBO_TYPE, 3);  // GS1 DataBar Expanded Stacked
        ClickCentre(page, IDC_CODE2D_RADIO_COMPOSITE);
        ExpectEveryLengthStoredAsTyped(
            page, {IDC_CODE2D_EDIT_GS1WIDTH, IDC_CODE2D_SPIN_GS1WIDTH, 1, 1, 6},
            [&] { return int{font.bGs1ElementWidth}; });
        ExpectEveryLengthStoredAsTyped(
            page, {IDC_CODE2D_EDIT_ROWHEIGHT, IDC_CODE2D_SPIN_ROWHEIGHT, 3, 2, 250},
            [&] { return static_cast<int>(font.dwGs1RowHeight); });
        ExpectEveryLengthStoredAsTyped(
            page, {IDC_CODE2D_EDIT_ROWHEIGHT2D, IDC_CODE2D_SPIN_ROWHEIGHT2D, 1, 1, 10},
            [&] { return static_cast<int>(font.dwGs1RowHeight2D); });
        ExpectEveryLengthStoredAsTyped(
            page, {IDC_CODE2D_EDIT_SEPARATOR, IDC_CODE2D_SPIN_SEPARATOR, 1, 1, 10},
            [&] { return int{font.bGs1SeparatorHeight}; });
        ExpectEveryLengthStoredAsTyped(
            page, {IDC_CODE2D_EDIT_SEGMENTS, IDC_CODE2D_SPIN_SEGMENTS, 1, 4, 20},
            [&] { return int{font.bGs1Segments}; });
        for (const wchar_t* typed : {L"100", L"180"}) {
            Type(page, IDC_CODE2D_EDIT_ROWHEIGHT, typed);
            EXPECT_EQ(std::to_wstring(font.dwGs1RowHeight), typed);
            EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_ROWHEIGHT), typed);
        }

        SelectCombo(page, IDC_CODE2D_COMBO_TYPE, 4);  // QR Code
        ExpectEveryLengthStoredAsTyped(page,
                                       {IDC_CODE2D_EDIT_QRWIDTH, IDC_CODE2D_SPIN_QRWIDTH, 2, 1, 24},
                                       [&] { return int{font.bQrElementWidth}; });
    });
}

// Above the range is lowered at the key that goes past it; below the range stands while typing
// and is raised when the field is left or when the sheet applies with the focus still in it.
TEST_F(CodePages, ValuesOutsideTheRangeAreKeptAtItsEnds) {
    RunOnPage(kCode2DTab, [&](HWND sheet, HWND page, zr640::PrivateDevMode& record) {
        const zr640::Barcode2DSettings& font = record.barcode2D[0];
        Focus(page, IDC_CODE2D_EDIT_ROWS);
        TypeKeys(L"9");
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_ROWS), L"9");
        TypeKeys(L"5");
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_ROWS), L"90") << "lowered at once";
        EXPECT_EQ(font.bPdfRows, 90);
        EXPECT_EQ(SpinPosition(page, IDC_CODE2D_SPIN_ROWS), 90);

        Focus(page, IDC_CODE2D_EDIT_ROWS);
        TypeKeys(L"1");
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_ROWS), L"1") << "stands while typing";
        EXPECT_EQ(font.bPdfRows, 90) << "nothing stored yet";
        LeaveField();
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_ROWS), L"3");
        EXPECT_EQ(font.bPdfRows, 3);
        EXPECT_EQ(SpinPosition(page, IDC_CODE2D_SPIN_ROWS), 3);

        Focus(page, IDC_CODE2D_EDIT_PDFHEIGHT);
        TypeKeys(L"1");
        PressApply(sheet);
        EXPECT_EQ(font.bPdfElementHeight, 2) << "apply raises what the field still holds";
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_PDFHEIGHT), L"2");
    });
}

// A person's own test data stays when they only click into a list and leave it; a real change
// of font or type brings the type's sample.
TEST_F(CodePages, TestDataStaysUntilTheFontOrTypeReallyChanges) {
    RunOnPage(kCode1DTab, [&](HWND, HWND page, zr640::PrivateDevMode&) {
        Type(page, IDC_CODE1D_EDIT_DATA, L"4006381333931");
        Focus(page, IDC_CODE1D_COMBO_FONTNAME);
        PressKey(VK_F4);
        PressKey(VK_ESCAPE);
        PickWithMouse(page, IDC_CODE1D_COMBO_TYPE, 0);  // the type it already has
        Focus(page, IDC_CODE1D_COMBO_TYPE);
        LeaveField();
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_DATA), L"4006381333931");
        PickWithMouse(page, IDC_CODE1D_COMBO_TYPE, 3);
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_DATA), L"1234567890123") << "EAN13's sample";
    });
    RunOnPage(kCode2DTab, [&](HWND, HWND page, zr640::PrivateDevMode&) {
        Type(page, IDC_CODE2D_EDIT_DATA, L"HELLO");
        PickWithMouse(page, IDC_CODE2D_COMBO_FONTNAME, 0);
        PickWithKeyboard(page, IDC_CODE2D_COMBO_TYPE, 0);
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_DATA), L"HELLO");
        PickWithMouse(page, IDC_CODE2D_COMBO_FONTNAME, 1);
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_DATA), L"01234567890123");
    });
}

// Every list of the 2D page, picked from its opened drop-down with the mouse, stores the entry.
TEST_F(CodePages, Code2DListsPickedWithTheMouseAreStored) {
    RunOnPage(kCode2DTab, [&](HWND sheet, HWND page, zr640::PrivateDevMode& record) {
        const zr640::Barcode2DSettings& font = record.barcode2D[0];
        PickWithMouse(page, IDC_CODE2D_COMBO_ERRORLEVEL, 8);
        EXPECT_EQ(font.bPdfErrorLevel, 8);
        EXPECT_TRUE(ApplyEnabled(sheet));
        PickWithMouse(page, IDC_CODE2D_COMBO_TYPE, 3);
        EXPECT_EQ(font.bType, 3);
        PickWithMouse(page, IDC_CODE2D_COMBO_HRI, 2);
        EXPECT_EQ(font.bGs1Hri, 3);
        PickWithMouse(page, IDC_CODE2D_COMBO_AI, 0);
        EXPECT_EQ(font.bGs1Ai, 0);
        PickWithMouse(page, IDC_CODE2D_COMBO_TYPE, 4);
        PickWithMouse(page, IDC_CODE2D_COMBO_QRLANGUAGE, 1);
        EXPECT_EQ(font.bQrLanguage, 1);
        PickWithMouse(page, IDC_CODE2D_COMBO_QRMODEL, 1);
        EXPECT_EQ(font.bQrModel, 2);
        PickWithMouse(page, IDC_CODE2D_COMBO_QRERROR, 3);
        EXPECT_EQ(font.bQrErrorLevel, 3);
        EXPECT_EQ(ControlText(page, IDC_CODE2D_COMBO_QRERROR), L"Q");
    });
}

TEST_F(CodePages, Code1DTypeShowsItsGroupAndSample) {
    RunOnPage(kCode1DTab, [&](HWND sheet, HWND page, zr640::PrivateDevMode& record) {
        SelectCombo(page, IDC_CODE1D_COMBO_TYPE, 9);
        EXPECT_EQ(record.barcode1D[0].bType, 9);
        EXPECT_TRUE(ApplyEnabled(sheet));
        EXPECT_TRUE(Visible(page, IDC_CODE1D_EDIT_GS1WIDTH));
        EXPECT_TRUE(Visible(page, IDC_CODE1D_GROUP_GS1));
        EXPECT_FALSE(Visible(page, IDC_CODE1D_EDIT_WIDTH));
        EXPECT_FALSE(Visible(page, IDC_CODE1D_EDIT_MM));
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_DATA), L"01234567890123");
        EXPECT_FALSE(Enabled(page, IDC_CODE1D_COMBO_AI)) << "Omnidirectional";
        SelectCombo(page, IDC_CODE1D_COMBO_TYPE, 12);
        EXPECT_TRUE(Enabled(page, IDC_CODE1D_COMBO_AI)) << "Expanded";
        SelectCombo(page, IDC_CODE1D_COMBO_AI, 0);
        EXPECT_EQ(record.barcode1D[0].bGs1Ai, 0);
        SelectCombo(page, IDC_CODE1D_COMBO_HRI, 3);
        EXPECT_EQ(record.barcode1D[0].bGs1Hri, 4);

        EXPECT_FALSE(Enabled(page, IDC_CODE1D_EDIT_ROWHEIGHT2D));
        Click(page, IDC_CODE1D_RADIO_COMPOSITE);
        EXPECT_TRUE(Enabled(page, IDC_CODE1D_EDIT_ROWHEIGHT2D));
        EXPECT_TRUE(Enabled(page, IDC_CODE1D_SPIN_ROWHEIGHT2D));
        Type(page, IDC_CODE1D_EDIT_ROWHEIGHT2D, L"0");
        EXPECT_EQ(record.barcode1D[0].dwGs1RowHeight2D, 1u);
        Click(page, IDC_CODE1D_RADIO_INDEPENDENCE);
        EXPECT_FALSE(Enabled(page, IDC_CODE1D_EDIT_ROWHEIGHT2D));

        // Another GS1 DataBar font starts as an independent symbol, its 2D row height closed.
        SelectCombo(page, IDC_CODE1D_COMBO_FONTNAME, 1);
        SelectCombo(page, IDC_CODE1D_COMBO_TYPE, 10);
        Click(page, IDC_CODE1D_RADIO_COMPOSITE);
        SelectCombo(page, IDC_CODE1D_COMBO_FONTNAME, 0);
        EXPECT_TRUE(Visible(page, IDC_CODE1D_EDIT_GS1WIDTH));
        EXPECT_TRUE(IsChecked(page, IDC_CODE1D_RADIO_INDEPENDENCE));
        EXPECT_FALSE(IsChecked(page, IDC_CODE1D_RADIO_COMPOSITE));
        EXPECT_FALSE(Enabled(page, IDC_CODE1D_EDIT_ROWHEIGHT2D));
        EXPECT_TRUE(Enabled(page, IDC_CODE1D_COMBO_AI)) << "font 1 is Expanded";

        SelectCombo(page, IDC_CODE1D_COMBO_TYPE, 5);
        EXPECT_TRUE(Visible(page, IDC_CODE1D_EDIT_WIDTH));
        EXPECT_FALSE(Visible(page, IDC_CODE1D_EDIT_GS1WIDTH));
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_DATA), L"123456789");

        SetDlgItemTextW(page, IDC_CODE1D_EDIT_DATA, L"");
        EXPECT_FALSE(Enabled(page, IDC_CODE1D_BUTTON_PRINT)) << "no data, no print";
        Type(page, IDC_CODE1D_EDIT_DATA, L"1");
        EXPECT_TRUE(Enabled(page, IDC_CODE1D_BUTTON_PRINT));
    });
}

// The font size the page advises follows the symbol height whenever it changes: a typed height,
// an HRI choice, another font.
TEST_F(CodePages, Code1DSizeBoxesFollowTheSymbolHeight) {
    RunOnPage(kCode1DTab, [&](HWND sheet, HWND page, zr640::PrivateDevMode& record) {
        Type(page, IDC_CODE1D_EDIT_HEIGHT, L"100");
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_MM), L" 14.1") << "100 dots";
        SelectCombo(page, IDC_CODE1D_COMBO_POSITION, 1);
        EXPECT_EQ(record.barcode1D[0].dwSymbolHeight, 123u)
            << "124 dots: 49.6 points round to 49.5";
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_MM), L" 17.4");
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_POINT), L" 49.0") << "123 dots: 49.2 points";

        SelectCombo(page, IDC_CODE1D_COMBO_FONTNAME, 2);
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_MM), L" 23.0") << "font 3 keeps 163 dots";
        SelectCombo(page, IDC_CODE1D_COMBO_FONTNAME, 0);
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_MM), L" 17.4");

        Type(page, IDC_CODE1D_EDIT_HEIGHT, L"163");
        EXPECT_EQ(record.barcode1D[0].dwSymbolHeight, 187u);
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_MM), L" 26.4");
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_POINT), L" 75.0");
        ClickCentre(page, IDC_CODE1D_RADIO_FONTB);
        EXPECT_EQ(record.barcode1D[0].bHriFont, 1);
        EXPECT_NE(ControlText(page, IDC_CODE1D_EDIT_POINT), L" 75.0") << "font B is smaller";
        PressApply(sheet);
        EXPECT_FALSE(ApplyEnabled(sheet));
    });
}

TEST_F(CodePages, Code1DListsFollowTheLanguageAndKeepTheirSelections) {
    RunOnPage(kCode1DTab, [&](HWND, HWND page, zr640::PrivateDevMode&) {
        SelectCombo(page, IDC_CODE1D_COMBO_POSITION, 3);
        SelectCombo(page, IDC_CODE1D_COMBO_HRI, 2);
        ChooseLanguage(L"CHN_ZR640.res");
        RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        EXPECT_EQ(ComboSelection(page, IDC_CODE1D_COMBO_POSITION), 3);
        EXPECT_EQ(ComboSelection(page, IDC_CODE1D_COMBO_HRI), 2);
        EXPECT_EQ(ComboItem(page, IDC_CODE1D_COMBO_POSITION, 3),
                  DriverText(L"CHN_ZR640.res", L"1DCODE", L"RC_STATIC_1DCODE_POSITION4"));
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_CODE1D_COMBO_AI, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(ComboItem(page, IDC_CODE1D_COMBO_FONTNAME, 0), L"1D Code1") << "not translated";
    });
}

TEST_F(CodePages, Code1DTestPrintsArriveByteExact) {
    RunOnPage(kCode1DTab, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        // A general type: font 1, UPC-A, with its sample data.
        Bytes captured = Print(page, IDC_CODE1D_BUTTON_PRINT);
        EXPECT_EQ(captured,
                  zr640::Barcode1DTestPrint(record.barcode1D[0], Ascii("123456789012"))->Bytes());
        Bytes expected = {0x1D, 0x66, 0x00, 0x1D, 0x48, 0x00, 0x1D, 0x77,
                          0x03, 0x1D, 0x68, 0xA3, 0x1D, 0x6B, 0x00};
        const Bytes data = Ascii("123456789012");
        expected.insert(expected.end(), data.begin(), data.end());
        expected.insert(expected.end(), {0x00, 0x0A, 0x1D, 0x56, 0x42, 0x00});
        EXPECT_EQ(captured, expected);

        // Code128 with code set C: font 8, the digits packed two to a byte.
        SelectCombo(page, IDC_CODE1D_COMBO_FONTNAME, 7);
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_DATA), L"{A1234");
        Type(page, IDC_CODE1D_EDIT_DATA, L"{C1234");
        captured = Print(page, IDC_CODE1D_BUTTON_PRINT);
        EXPECT_EQ(captured,
                  zr640::Barcode1DTestPrint(record.barcode1D[7], Ascii("{C1234"))->Bytes());
        const Bytes tail = {0x1D, 0x6B, 0x49, 0x04, 0x7B, 0x43, 0x0C,
                            0x22, 0x00, 0x0A, 0x1D, 0x56, 0x42, 0x00};
        ASSERT_GE(captured.size(), tail.size() + 15);
        EXPECT_EQ(Bytes(captured.end() - static_cast<ptrdiff_t>(tail.size()), captured.end()),
                  tail);
        EXPECT_EQ(Bytes(captured.begin() + 12, captured.begin() + 16),
                  Bytes({0x1D, 0x6B, 0x49, 0x00}));

        // A GS1 type: the HRI of the general group is never sent.
        SelectCombo(page, IDC_CODE1D_COMBO_FONTNAME, 0);
        SelectCombo(page, IDC_CODE1D_COMBO_POSITION, 2);
        SelectCombo(page, IDC_CODE1D_COMBO_TYPE, 12);
        captured = Print(page, IDC_CODE1D_BUTTON_PRINT);
        EXPECT_EQ(captured,
                  zr640::Barcode1DTestPrint(record.barcode1D[0], Ascii("01234567890123"))->Bytes());
        ASSERT_GE(captured.size(), 19u);
        EXPECT_EQ(Bytes(captured.begin(), captured.begin() + 19),
                  Bytes({0x1D, 0x66, 0x00, 0x1D, 0x48, 0x00, 0x1D, 0x73, 0x06, 0x02, 0x64, 0x02,
                         0x01, 0x02, 0x01, 0x01, 0x1D, 0x6B, 0x0D}));
        EXPECT_TRUE(platform.messages.empty());
    });
}

TEST_F(CodePages, Code1DRefusedDataShowsTheErrorAndSendsNothing) {
    RunOnPage(kCode1DTab, [&](HWND, HWND page, zr640::PrivateDevMode&) {
        Type(page, IDC_CODE1D_EDIT_DATA, L"1234567890");  // UPC-A takes 11 or 12 digits
        EXPECT_TRUE(Print(page, IDC_CODE1D_BUTTON_PRINT).empty());
        EXPECT_FALSE(Captured());
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(LastMessage().text, L"BarCode data error!");
        EXPECT_EQ(LastMessage().caption, L"Error");
        EXPECT_EQ(LastMessage().type, static_cast<UINT>(MB_OK));
        EXPECT_EQ(ControlText(page, IDC_CODE1D_EDIT_DATA), L"1234567890") << "the data stays";

        SelectCombo(page, IDC_CODE1D_COMBO_FONTNAME, 3);  // Code39 takes no lower case
        Type(page, IDC_CODE1D_EDIT_DATA, L"abc");
        EXPECT_TRUE(Print(page, IDC_CODE1D_BUTTON_PRINT).empty());
        EXPECT_EQ(platform.messages.size(), 2u);
    });
}

// ---- 2D Code ------------------------------------------------------------------------------

TEST_F(CodePages, Code2DStartsWithFontOneAsPdf417) {
    RunOnPage(kCode2DTab, [&](HWND sheet, HWND page, zr640::PrivateDevMode&) {
        EXPECT_EQ(ComboItem(page, IDC_CODE2D_COMBO_FONTNAME, 1), L"2D Code2");
        EXPECT_EQ(ComboItem(page, IDC_CODE2D_COMBO_TYPE, 5), L"Maxi Code");
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_POINT), L"9.5");
        EXPECT_FALSE(Enabled(page, IDC_CODE2D_EDIT_POINT));
        EXPECT_TRUE(Visible(page, IDC_CODE2D_EDIT_COLUMNS));
        EXPECT_FALSE(Visible(page, IDC_CODE2D_EDIT_GS1WIDTH));
        EXPECT_FALSE(Visible(page, IDC_CODE2D_EDIT_QRWIDTH));
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_COLUMNS), L"3");
        EXPECT_EQ(ComboSelection(page, IDC_CODE2D_COMBO_ERRORLEVEL), 5);
        EXPECT_EQ(SendDlgItemMessageW(page, IDC_CODE2D_COMBO_ERRORLEVEL, CB_GETCOUNT, 0, 0), 9);
        EXPECT_EQ(ControlText(page, IDC_CODE2D_RANGE_COLUMNS), L"[ 1. . 30 ]");
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_DATA), L"01234567890123");
        // The groups kept below the page stand where the GS1 DataBar group stands, in dialog
        // units (to the pixel that rounding the template's units and the move apart allows).
        const POINT gs1 = ClientPosition(page, IDC_CODE2D_GROUP_GS1);
        for (const int group : {IDC_CODE2D_GROUP_PDF417, IDC_CODE2D_GROUP_QR}) {
            const POINT moved = ClientPosition(page, group);
            EXPECT_NEAR(moved.x, gs1.x, 1) << group;
            EXPECT_NEAR(moved.y, gs1.y, 1) << group;
        }
        RECT qrError = {87, 451 - 310, 0, 0};  // the template's place, moved up 310 units
        MapDialogRect(page, &qrError);
        const POINT qr = ClientPosition(page, IDC_CODE2D_COMBO_QRERROR);
        EXPECT_NEAR(qr.x, qrError.left, 1);
        EXPECT_NEAR(qr.y, qrError.top, 1);
        EXPECT_FALSE(ApplyEnabled(sheet));

        SelectCombo(page, IDC_CODE2D_COMBO_TYPE, 4);
        EXPECT_TRUE(Visible(page, IDC_CODE2D_EDIT_QRWIDTH));
        EXPECT_FALSE(Visible(page, IDC_CODE2D_EDIT_COLUMNS));
        EXPECT_FALSE(Enabled(page, IDC_CODE2D_EDIT_COLUMNS));
        SelectCombo(page, IDC_CODE2D_COMBO_TYPE, 5);
        EXPECT_FALSE(Visible(page, IDC_CODE2D_EDIT_QRWIDTH));
        EXPECT_FALSE(Visible(page, IDC_CODE2D_EDIT_GS1WIDTH));
        EXPECT_FALSE(Visible(page, IDC_CODE2D_EDIT_COLUMNS));
    });
}

// A font that is already GS1 DataBar Expanded Stacked opens its segment number and AI list
// when the page opens, not only after the font list is touched.
TEST_F(CodePages, Code2DOpensTheFieldsOfFontOnesType) {
    SheetSession sheet(plugin, kPrinter);
    Record(sheet).barcode2D[0].bType = 3;
    Record(sheet).barcode2D[0].bGs1Segments = 6;
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kCode2DTab);
        EXPECT_EQ(ComboSelection(page, IDC_CODE2D_COMBO_TYPE), 3);
        EXPECT_TRUE(Visible(page, IDC_CODE2D_EDIT_SEGMENTS));
        EXPECT_TRUE(Enabled(page, IDC_CODE2D_EDIT_SEGMENTS));
        EXPECT_TRUE(Enabled(page, IDC_CODE2D_COMBO_AI));
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_SEGMENTS), L"6");
        EXPECT_FALSE(Visible(page, IDC_CODE2D_EDIT_COLUMNS));
        EXPECT_FALSE(ApplyEnabled(window));
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(CodePages, Code2DSegmentNumberFollowsIndependenceAndComposite) {
    RunOnPage(kCode2DTab, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        const zr640::Barcode2DSettings& font = record.barcode2D[0];
        EXPECT_FALSE(Enabled(page, IDC_CODE2D_EDIT_SEGMENTS));
        SelectCombo(page, IDC_CODE2D_COMBO_TYPE, 3);  // Expanded Stacked
        EXPECT_TRUE(Visible(page, IDC_CODE2D_EDIT_SEGMENTS));
        EXPECT_TRUE(Enabled(page, IDC_CODE2D_EDIT_SEGMENTS));
        EXPECT_TRUE(Enabled(page, IDC_CODE2D_COMBO_AI));
        Type(page, IDC_CODE2D_EDIT_SEGMENTS, L"2");
        EXPECT_EQ(font.bGs1Segments, 2);

        Click(page, IDC_CODE2D_RADIO_COMPOSITE);
        EXPECT_EQ(font.bGs1Segments, 4);
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_SEGMENTS), L"4");
        EXPECT_EQ(SpinRange(page, IDC_CODE2D_SPIN_SEGMENTS), std::make_pair(4, 20));
        EXPECT_EQ(ControlText(page, IDC_CODE2D_RANGE_SEGMENTS), L"[ 4 . . 20 ]");
        EXPECT_TRUE(Enabled(page, IDC_CODE2D_EDIT_ROWHEIGHT2D));

        Click(page, IDC_CODE2D_RADIO_INDEPENDENCE);
        EXPECT_EQ(font.bGs1Segments, 4) << "going back leaves 4";
        EXPECT_EQ(SpinRange(page, IDC_CODE2D_SPIN_SEGMENTS), std::make_pair(2, 20));
        EXPECT_EQ(ControlText(page, IDC_CODE2D_RANGE_SEGMENTS), L"[ 2 . . 20 ]");
        EXPECT_FALSE(Enabled(page, IDC_CODE2D_EDIT_ROWHEIGHT2D));

        Type(page, IDC_CODE2D_EDIT_SEGMENTS, L"1");
        EXPECT_EQ(font.bGs1Segments, 2) << "typing 1 stores 2";
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_SEGMENTS), L"2");
        EXPECT_EQ(SpinPosition(page, IDC_CODE2D_SPIN_SEGMENTS), 2);

        SelectCombo(page, IDC_CODE2D_COMBO_TYPE, 1);  // Stacked: no segment number
        EXPECT_FALSE(Enabled(page, IDC_CODE2D_EDIT_SEGMENTS));
        EXPECT_FALSE(Enabled(page, IDC_CODE2D_COMBO_AI));
    });
}

TEST_F(CodePages, Code2DEachFontKeepsItsOwnSettings) {
    RunOnPage(kCode2DTab, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        const zr640::Barcode2DSettings fontTwo = record.barcode2D[1];
        Type(page, IDC_CODE2D_EDIT_COLUMNS, L"12");
        Type(page, IDC_CODE2D_EDIT_ROWS, L"2");
        SelectCombo(page, IDC_CODE2D_COMBO_ERRORLEVEL, 8);
        SelectCombo(page, IDC_CODE2D_COMBO_TYPE, 4);
        Type(page, IDC_CODE2D_EDIT_QRWIDTH, L"30");
        SelectCombo(page, IDC_CODE2D_COMBO_QRMODEL, 1);
        SelectCombo(page, IDC_CODE2D_COMBO_QRLANGUAGE, 1);
        const zr640::Barcode2DSettings& font = record.barcode2D[0];
        EXPECT_EQ(font.bPdfColumns, 12);
        EXPECT_EQ(font.bPdfRows, 3);
        EXPECT_EQ(font.bPdfErrorLevel, 8);
        EXPECT_EQ(font.bType, 4);
        EXPECT_EQ(font.bQrElementWidth, 24);
        EXPECT_EQ(font.bQrModel, 2);
        EXPECT_EQ(font.bQrLanguage, 1);
        EXPECT_EQ(std::memcmp(&record.barcode2D[1], &fontTwo, sizeof fontTwo), 0);

        SelectCombo(page, IDC_CODE2D_COMBO_FONTNAME, 1);
        EXPECT_EQ(ComboSelection(page, IDC_CODE2D_COMBO_TYPE), 0);
        EXPECT_TRUE(Visible(page, IDC_CODE2D_EDIT_COLUMNS));
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_COLUMNS), L"3");
        EXPECT_EQ(ComboSelection(page, IDC_CODE2D_COMBO_ERRORLEVEL), 5);
        EXPECT_EQ(std::memcmp(&record.barcode2D[1], &fontTwo, sizeof fontTwo), 0);

        SelectCombo(page, IDC_CODE2D_COMBO_FONTNAME, 0);
        EXPECT_TRUE(Visible(page, IDC_CODE2D_EDIT_QRWIDTH));
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_QRWIDTH), L"24");
        EXPECT_EQ(ComboSelection(page, IDC_CODE2D_COMBO_QRMODEL), 1);
        EXPECT_EQ(ComboSelection(page, IDC_CODE2D_COMBO_QRLANGUAGE), 1);
        EXPECT_EQ(ControlText(page, IDC_CODE2D_EDIT_COLUMNS), L"12");
    });
}

TEST_F(CodePages, Code2DTestPrintsArriveByteExact) {
    RunOnPage(kCode2DTab, [&](HWND, HWND page, zr640::PrivateDevMode& record) {
        const Bytes sample = Ascii("01234567890123");
        // PDF417 with the defaults of font 1.
        Bytes captured = Print(page, IDC_CODE2D_BUTTON_PRINT);
        EXPECT_EQ(captured, zr640::Barcode2DTestPrint(record.barcode2D[0], sample)->Bytes());
        Bytes expected = {0x1D, 0x70, 0x01, 0x01, 0x03, 0x03, 0x03,
                          0x03, 0x1D, 0x71, 0x05, 0x1D, 0x6B, 0x0A};
        expected.insert(expected.end(), sample.begin(), sample.end());
        expected.insert(expected.end(), {0x00, 0x0A, 0x1D, 0x56, 0x42, 0x00});
        EXPECT_EQ(captured, expected);

        // A QR code with error correction "Q" on font 2.
        SelectCombo(page, IDC_CODE2D_COMBO_FONTNAME, 1);
        SelectCombo(page, IDC_CODE2D_COMBO_TYPE, 4);
        SelectCombo(page, IDC_CODE2D_COMBO_QRERROR, 3);
        Type(page, IDC_CODE2D_EDIT_QRWIDTH, L"8");
        Type(page, IDC_CODE2D_EDIT_DATA, L"https://example.com/r?id=7");
        captured = Print(page, IDC_CODE2D_BUTTON_PRINT);
        const Bytes url = Ascii("https://example.com/r?id=7");
        EXPECT_EQ(captured, zr640::Barcode2DTestPrint(record.barcode2D[1], url)->Bytes());
        ASSERT_GE(captured.size(), 12u);
        EXPECT_EQ(Bytes(captured.begin(), captured.begin() + 12),
                  Bytes({0x1D, 0x6F, 0x00, 0x08, 0x00, 0x01, 0x1D, 0x6B, 0x0B, 'Q', 'A', ','}));
        EXPECT_TRUE(platform.messages.empty());
    });
}

TEST_F(CodePages, Code2DRefusedDataShowsTheErrorAndSendsNothing) {
    RunOnPage(kCode2DTab, [&](HWND, HWND page, zr640::PrivateDevMode&) {
        SelectCombo(page, IDC_CODE2D_COMBO_TYPE, 5);  // Maxi Code: at most 84 bytes
        Type(page, IDC_CODE2D_EDIT_DATA, std::wstring(85, L'7'));
        EXPECT_TRUE(Print(page, IDC_CODE2D_BUTTON_PRINT).empty());
        EXPECT_FALSE(Captured());
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(LastMessage().text, L"BarCode data error!");
        EXPECT_EQ(LastMessage().caption, L"Error");

        Type(page, IDC_CODE2D_EDIT_DATA, std::wstring(84, L'7'));
        EXPECT_FALSE(Print(page, IDC_CODE2D_BUTTON_PRINT).empty());
        EXPECT_EQ(platform.messages.size(), 1u);

        SelectCombo(page, IDC_CODE2D_COMBO_TYPE, 1);  // GS1 DataBar Stacked takes no '#'
        Type(page, IDC_CODE2D_EDIT_DATA, L"0123#");
        EXPECT_TRUE(Print(page, IDC_CODE2D_BUTTON_PRINT).empty());
        EXPECT_EQ(platform.messages.size(), 2u);
    });
}

}  // namespace
