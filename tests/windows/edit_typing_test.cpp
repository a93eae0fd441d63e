// Typing into the edit boxes of the plug-in's dialog templates. Each box is created from its
// template in a bare dialog, limited the way its page limits it, focused and typed into one
// character at a time; the box must then hold the whole value. A single-line edit without
// automatic horizontal scrolling refuses the characters that do not fit its width, so a box
// too narrow for its field keeps "25" of "250".
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <ostream>
#include <string>
#include <vector>

#include "resource.h"

namespace {

INT_PTR CALLBACK BareDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A top-level window that parents the page templates (they are child windows).
class Host {
public:
    Host() {
        window_ =
            CreateWindowExW(0, L"Static", L"edit typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                            900, 900, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~Host() {
        if (window_) DestroyWindow(window_);
    }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_ = nullptr;
};

// One dialog made from a template of the test program's own resources (the plug-in's .rc).
class TemplateDialog {
public:
    TemplateDialog(int templateId, HWND parent) {
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId),
                                     parent, BareDialogProc, 0);
        if (dialog_) ShowWindow(dialog_, SW_SHOW);
    }
    ~TemplateDialog() {
        if (dialog_) DestroyWindow(dialog_);
    }
    TemplateDialog(const TemplateDialog&) = delete;
    TemplateDialog& operator=(const TemplateDialog&) = delete;
    HWND get() const { return dialog_; }

private:
    HWND dialog_ = nullptr;
};

void InitControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_UPDOWN_CLASS | ICC_BAR_CLASSES |
                                                    ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    ASSERT_TRUE(done);
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void Type(HWND edit, const std::wstring& text) {
    for (wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

std::wstring Repeat(const std::wstring& piece, size_t times) {
    std::wstring out;
    for (size_t i = 0; i < times; ++i) out += piece;
    return out;
}

// The longest texts of the text fields.
const std::wstring kCommand128 = Repeat(L"1D ", 127) + L"00";  // 128 bytes of hex command text
const std::wstring kBarcode255 = Repeat(L"123ABC-. $", 25) + L"12345";
const std::wstring kLogFolder255 =
    L"C:\\" + Repeat(L"Driver log folder\\", 13) + L"driver-log-2026-12";
const std::wstring kBitmap124 = L"C:\\" + Repeat(L"Pictures\\", 12) + L"mark_2026.bmp";
const std::wstring kFile259 = L"D:\\" + Repeat(L"firmware\\", 27) + L"fw_1_2026.bin";

enum class Box {
    Plain,     // an edit the user types into
    ReadOnly,  // a box the page fills: made writable here to see it take a text longer than itself
    Combo,     // the edit field of a combo box with an edit field
};

struct TypingCase {
    const char* name;
    int dialogTemplate;
    int control;
    int limit;  // the page's text limit in characters; 0 when the page sets none
    std::wstring typed;
    std::wstring expected;  // what the box holds afterwards
    Box box = Box::Plain;
    bool inView = false;  // a number whose digits are all in view without scrolling
};

void PrintTo(const TypingCase& c, std::ostream* os) { *os << c.name; }

TypingCase Number(const char* name, int dialogTemplate, int control, int limit,
                  const wchar_t* typed, const wchar_t* expected = nullptr) {
    return {name, dialogTemplate, control, limit, typed, expected ? expected : typed, Box::Plain,
            true};
}

// A number box that the page moves, with its up-down, to fixed places that fix its width: it
// takes its digits and scrolls them, but need not show them all at once.
TypingCase MovedNumber(const char* name, int dialogTemplate, int control, int limit,
                       const wchar_t* typed) {
    TypingCase c = Number(name, dialogTemplate, control, limit, typed);
    c.inView = false;
    return c;
}

TypingCase Text(const char* name, int dialogTemplate, int control, int limit,
                const std::wstring& typed, Box box = Box::Plain) {
    return {name, dialogTemplate, control, limit, typed, typed, box, false};
}

const std::vector<TypingCase>& Cases() {
    static const std::vector<TypingCase> cases = {
        // Main page.
        Number("MainScale", IDD_MAIN_PAGE, IDC_MAIN_EDIT_SCALE, 3, L"100"),
        Text("MainLogFolder", IDD_MAIN_PAGE, IDC_MAIN_EDIT_LOG, 255, kLogFolder255, Box::ReadOnly),
        // Water Mark page.
        Number("WaterMarkFontSize", IDD_WATERMARK_PAGE, IDC_WATERMARK_EDIT_FONTSIZE, 2, L"72"),
        Text("WaterMarkBitmap", IDD_WATERMARK_PAGE, IDC_WATERMARK_EDIT_BITMAP, 0, kBitmap124,
             Box::ReadOnly),
        Text("WaterMarkText", IDD_WATERMARK_PAGE, IDC_WATERMARK_COMBO_TEXT, 16, L"Copy - not valid",
             Box::Combo),
        {"WaterMarkTextCutAt16", IDD_WATERMARK_PAGE, IDC_WATERMARK_COMBO_TEXT, 16,
         L"Copy - not valid!", L"Copy - not valid", Box::Combo, false},
        // Event-operation dialog.
        Number("EventFeed", IDD_EVENT_OPERATION, IDC_EVENT_EDIT_FEED, 3, L"100"),
        Number("EventFeedFourthDigitRefused", IDD_EVENT_OPERATION, IDC_EVENT_EDIT_FEED, 3, L"2500",
               L"250"),
        Number("EventVolume", IDD_EVENT_OPERATION, IDC_EVENT_EDIT_VOLUME, 3, L"255"),
        Text("EventCommand", IDD_EVENT_OPERATION, IDC_EVENT_EDIT_COMMAND, 0, kCommand128),
        // 1D Code page.
        Number("Code1DWidth", IDD_CODE1D_PAGE, IDC_CODE1D_EDIT_WIDTH, 1, L"6"),
        Number("Code1DHeight", IDD_CODE1D_PAGE, IDC_CODE1D_EDIT_HEIGHT, 3, L"255"),
        Number("Code1DGs1Width", IDD_CODE1D_PAGE, IDC_CODE1D_EDIT_GS1WIDTH, 1, L"6"),
        MovedNumber("Code1DRowHeight", IDD_CODE1D_PAGE, IDC_CODE1D_EDIT_ROWHEIGHT, 3, L"250"),
        Number("Code1DRowHeight2D", IDD_CODE1D_PAGE, IDC_CODE1D_EDIT_ROWHEIGHT2D, 1, L"9"),
        Number("Code1DSeparator", IDD_CODE1D_PAGE, IDC_CODE1D_EDIT_SEPARATOR, 1, L"9"),
        Text("Code1DMillimetres", IDD_CODE1D_PAGE, IDC_CODE1D_EDIT_MM, 0, L" 26.4", Box::ReadOnly),
        Text("Code1DPoints", IDD_CODE1D_PAGE, IDC_CODE1D_EDIT_POINT, 0, L" 75.0", Box::ReadOnly),
        Text("Code1DData", IDD_CODE1D_PAGE, IDC_CODE1D_EDIT_DATA, 0, kBarcode255),
        // 2D Code page.
        Number("Code2DColumns", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_COLUMNS, 2, L"30"),
        Number("Code2DPdfWidth", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_PDFWIDTH, 1, L"7"),
        Number("Code2DRows", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_ROWS, 2, L"90"),
        Number("Code2DPdfHeight", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_PDFHEIGHT, 2, L"25"),
        Number("Code2DGs1Width", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_GS1WIDTH, 1, L"6"),
        Number("Code2DRowHeight2D", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_ROWHEIGHT2D, 1, L"9"),
        Number("Code2DRowHeight", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_ROWHEIGHT, 3, L"250"),
        Number("Code2DSeparator", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_SEPARATOR, 1, L"9"),
        Number("Code2DSegments", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_SEGMENTS, 1, L"9"),
        Number("Code2DQrWidth", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_QRWIDTH, 2, L"24"),
        Text("Code2DPoints", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_POINT, 0, L"9.5", Box::ReadOnly),
        Text("Code2DData", IDD_CODE2D_PAGE, IDC_CODE2D_EDIT_DATA, 0, kBarcode255),
        // Utility page: the width takes three characters, the height five.
        Text("UtilityFormName", IDD_UTILITY_PAGE, IDC_UTILITY_EDIT_FORMNAME, 18,
             L"Kitchen ticket 58w"),
        {"UtilityFormNameCutAt18", IDD_UTILITY_PAGE, IDC_UTILITY_EDIT_FORMNAME, 18,
         L"Kitchen ticket 58wx", L"Kitchen ticket 58w", Box::Plain, false},
        Number("UtilityWidth", IDD_UTILITY_PAGE, IDC_UTILITY_EDIT_WIDTH, 3, L"580"),
        Number("UtilityWidthCutAt3", IDD_UTILITY_PAGE, IDC_UTILITY_EDIT_WIDTH, 3, L"9999", L"999"),
        Number("UtilityHeight", IDD_UTILITY_PAGE, IDC_UTILITY_EDIT_HEIGHT, 5, L"32760"),
        // Control-font dialogs.
        Text("ControlFontDriver", IDD_CONTROLFONT_TABLE, IDC_CFTABLE_EDIT_DRIVER, 0,
             L"ZR640 Receipt Printer Driver for the kitchen and the front desk", Box::ReadOnly),
        Text("TranslatorChar", IDD_CONTROLFONT_TRANSLATOR, IDC_CFEDIT_EDIT_CHAR, 0, L"~",
             Box::ReadOnly),
        Text("TranslatorHex", IDD_CONTROLFONT_TRANSLATOR, IDC_CFEDIT_EDIT_HEX, 0, L"7E",
             Box::ReadOnly),
        Text("TranslatorCommand", IDD_CONTROLFONT_TRANSLATOR, IDC_CFEDIT_EDIT_COMMAND, 0,
             kCommand128),
        // Download page.
        Text("DownloadFile", IDD_DOWNLOAD_PAGE, IDC_DOWNLOAD_EDIT_FILE, 0, kFile259, Box::ReadOnly),
    };
    return cases;
}

class EditTypingTest : public ::testing::TestWithParam<TypingCase> {
protected:
    void SetUp() override { InitControls(); }
    Host host_;
};

// Prepares the case's box as its page does, focuses it and types the case's text.
HWND TypeIntoBox(const TypingCase& c, HWND dialog, HFONT font = nullptr) {
    HWND control = GetDlgItem(dialog, c.control);
    EXPECT_NE(control, nullptr) << "control " << c.control;
    if (!control) return nullptr;
    // Pages enable the fields their bar code type uses; the template starts some disabled.
    EnableWindow(control, TRUE);
    HWND edit = control;
    if (c.box == Box::Combo) {
        edit = FindWindowExW(control, nullptr, L"Edit", nullptr);
        EXPECT_NE(edit, nullptr);
        if (!edit) return nullptr;
        if (c.limit) SendMessageW(control, CB_LIMITTEXT, static_cast<WPARAM>(c.limit), 0);
    } else if (c.limit) {
        SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(c.limit), 0);
    }
    if (c.box == Box::ReadOnly) {
        EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
        SendMessageW(edit, EM_SETREADONLY, FALSE, 0);
    }
    if (font) SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetFocus(edit);
    EXPECT_EQ(GetFocus(), edit);
    Type(edit, c.typed);
    return edit;
}

TEST_P(EditTypingTest, BoxHoldsTheWholeTypedValue) {
    const TypingCase& c = GetParam();
    ASSERT_NE(host_.get(), nullptr);
    TemplateDialog dialog(c.dialogTemplate, host_.get());
    ASSERT_NE(dialog.get(), nullptr) << "template " << c.dialogTemplate;
    HWND edit = TypeIntoBox(c, dialog.get());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(TextOf(edit), c.expected);
    if (c.inView) {
        // The box is wide enough for the field's digits: the first one is still in view.
        const LRESULT first = SendMessageW(edit, EM_POSFROMCHAR, 0, 0);
        EXPECT_GE(static_cast<short>(LOWORD(first)), 0) << "the number scrolled out of view";
    }
}

// A font far wider than the dialog's: on systems whose dialog font draws wider digits, or
// with a translation's fallback font, the box must still take every character.
class WideFont {
public:
    WideFont()
        : font_(CreateFontW(-24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                            L"Tahoma")) {}
    ~WideFont() {
        if (font_) DeleteObject(font_);
    }
    WideFont(const WideFont&) = delete;
    WideFont& operator=(const WideFont&) = delete;
    HFONT get() const { return font_; }

private:
    HFONT font_;
};

TEST_P(EditTypingTest, BoxHoldsTheWholeTypedValueInAWideFont) {
    const TypingCase& c = GetParam();
    WideFont font;  // outlives the dialog that uses it
    ASSERT_NE(font.get(), nullptr);
    TemplateDialog dialog(c.dialogTemplate, host_.get());
    ASSERT_NE(dialog.get(), nullptr) << "template " << c.dialogTemplate;
    HWND edit = TypeIntoBox(c, dialog.get(), font.get());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(TextOf(edit), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Templates, EditTypingTest, ::testing::ValuesIn(Cases()),
                         [](const auto& p) { return std::string(p.param.name); });

BOOL CALLBACK CollectEdits(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (lstrcmpiW(className, L"Edit") == 0)
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

TEST(EditTemplates, EverySingleLineEditScrollsItsText) {
    InitControls();
    Host host;
    ASSERT_NE(host.get(), nullptr);
    size_t checked = 0;
    for (int id :
         {IDD_OPERATION_PAGE, IDD_EVENT_OPERATION, IDD_VERSION_PAGE, IDD_DOWNLOAD_PAGE,
          IDD_UTILITY_PAGE, IDD_CONTROLFONT_TABLE, IDD_CONTROLFONT_TRANSLATOR, IDD_CODE1D_PAGE,
          IDD_CODE2D_PAGE, IDD_FONT_PAGE, IDD_MAIN_PAGE, IDD_WATERMARK_PAGE}) {
        TemplateDialog dialog(id, host.get());
        ASSERT_NE(dialog.get(), nullptr) << "template " << id;
        std::vector<HWND> edits;
        EnumChildWindows(dialog.get(), CollectEdits, reinterpret_cast<LPARAM>(&edits));
        for (HWND edit : edits) {
            const LONG style = GetWindowLongW(edit, GWL_STYLE);
            // A multi-line box wraps its text and grows downwards instead.
            if (style & ES_MULTILINE) continue;
            EXPECT_TRUE(style & ES_AUTOHSCROLL)
                << "template " << id << ", control " << GetDlgCtrlID(edit);
            ++checked;
        }
    }
    EXPECT_EQ(checked, 36u);  // 35 edits and the Water Mark text box's edit field
}

}  // namespace
