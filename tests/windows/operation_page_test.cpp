// The Operation page in the real document sheet: each button opens the event-operation dialog,
// which the test drives from inside its own message loop (a thread timer finds it), then
// checks the settings record, the sheet's Apply button and the recorded message boxes.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/operation/event_operation.h"
#include "resource.h"
#include "tests/windows/person_input.h"
#include "tests/windows/sheet_fixture.h"
#include "win32/handles.h"

namespace {

using namespace wintest;
using oemhost::SheetKind;
using oemhost::SheetSession;

constexpr int kOperationTab = 4;

// ---- Driving the modal dialog ---------------------------------------------------------------

struct DialogDriver {
    const std::function<void(HWND)>* drive = nullptr;
    bool opened = false;
    int ticks = 0;
} driver;

BOOL CALLBACK MatchEventDialog(HWND window, LPARAM result) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    if (GetDlgItem(window, IDC_EVENT_FRAME_PREVIEW) == nullptr ||
        GetDlgItem(window, IDC_EVENT_EDIT_COMMAND) == nullptr) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(result) = window;
    return FALSE;
}

HWND FindEventDialog() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), MatchEventDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// EndDialog hides the dialog at once; the window goes when its loop next looks.
bool Ended(HWND dialog) { return !IsWindow(dialog) || !IsWindowVisible(dialog); }

VOID CALLBACK DriveTick(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND dialog = FindEventDialog();
    if (dialog == nullptr) {
        if (++driver.ticks > 250) KillTimer(nullptr, timer);  // 5 s without a dialog: give up
        return;
    }
    KillTimer(nullptr, timer);
    driver.opened = true;
    (*driver.drive)(dialog);
    // A drive that leaves the dialog open (or failed half-way) ends it with Cancel.
    if (!Ended(dialog)) SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// Presses the page's button and runs `drive` in the dialog it opens; false when none opened.
bool WithEventDialog(HWND page, int button, const std::function<void(HWND)>& drive) {
    driver = {&drive, false, 0};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, DriveTick);
    SendDlgItemMessageW(page, button, BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    driver.drive = nullptr;
    oemhost::Pump(20);
    return driver.opened;
}

void PressOk(HWND dialog) { SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0); }

// Picks the entry from the opened drop-down list, with the mouse.
void Select(HWND dialog, int control, int index) { wintest::PickWithMouse(dialog, control, index); }

int Selected(HWND dialog, int control) {
    return static_cast<int>(SendDlgItemMessageW(dialog, control, CB_GETCURSEL, 0, 0));
}

int SpinPosition(HWND dialog, int spin) {
    return static_cast<int>(SendDlgItemMessageW(dialog, spin, UDM_GETPOS32, 0, 0));
}

void Type(HWND dialog, int control, const std::wstring& text) {
    const HWND edit = GetDlgItem(dialog, control);
    for (const wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

void SetText(HWND dialog, int control, const std::wstring& text) {
    SetDlgItemTextW(dialog, control, text.c_str());
}

// Holds a key down in this thread's keyboard state while it lives.
class KeyHeld {
public:
    explicit KeyHeld(BYTE key) {
        GetKeyboardState(saved_);
        BYTE keys[256];
        std::memcpy(keys, saved_, sizeof keys);
        keys[key] = 0x80;
        SetKeyboardState(keys);
    }
    ~KeyHeld() { SetKeyboardState(saved_); }
    KeyHeld(const KeyHeld&) = delete;
    KeyHeld& operator=(const KeyHeld&) = delete;

private:
    BYTE saved_[256] = {};
};

bool PutOnClipboard(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    bool ok = false;
    if (memory != nullptr) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!ok) GlobalFree(memory);
    }
    CloseClipboard();
    return ok;
}

// ---- The preview's pixels --------------------------------------------------------------------

// A 32-bit top-down picture of a size, with its pixels readable.
class Picture {
public:
    Picture(HDC like, int width, int height) : width_(width), height_(height), dc_(like) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(like, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        bits_ = static_cast<const DWORD*>(bits);
    }
    HDC dc() const { return dc_.get(); }
    HBITMAP bitmap() const { return static_cast<HBITMAP>(bitmap_.get()); }
    // Whether the pixels inside a one-pixel border (the frame's own line) are equal.
    bool InteriorEquals(const Picture& other) const {
        if (bits_ == nullptr || other.bits_ == nullptr) return false;
        GdiFlush();
        for (int y = 1; y + 1 < height_; ++y) {
            for (int x = 1; x + 1 < width_; ++x) {
                const size_t at =
                    static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
                if ((bits_[at] & 0xFFFFFF) != (other.bits_[at] & 0xFFFFFF)) return false;
            }
        }
        return true;
    }

private:
    int width_, height_;
    zr640::win::MemoryDC dc_;
    zr640::win::ScopedGdiObject bitmap_;
    const DWORD* bits_ = nullptr;
};

// What the frame shows, read back from its window.
bool ReadFrame(HWND dialog, Picture& into, const RECT& area) {
    const zr640::win::WindowDC frame(GetDlgItem(dialog, IDC_EVENT_FRAME_PREVIEW));
    const zr640::win::ScopedSelection selected(into.dc(), into.bitmap());
    return BitBlt(into.dc(), 0, 0, area.right, area.bottom, frame.get(), 0, 0, SRCCOPY) != FALSE;
}

// The bitmap resource stretched over the area as the preview draws it.
bool DrawExpected(int bitmapId, Picture& into, const RECT& area) {
    const zr640::win::ScopedGdiObject picture(LoadImageW(GetModuleHandleW(nullptr),
                                                         MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP,
                                                         0, 0, LR_CREATEDIBSECTION));
    BITMAP size = {};
    if (picture.get() == nullptr || GetObjectW(picture.get(), sizeof size, &size) == 0)
        return false;
    const zr640::win::MemoryDC source(into.dc());
    const zr640::win::ScopedSelection from(source.get(), picture.get());
    const zr640::win::ScopedSelection to(into.dc(), into.bitmap());
    SetStretchBltMode(into.dc(), COLORONCOLOR);
    return StretchBlt(into.dc(), 0, 0, area.right, area.bottom, source.get(), 0, 0, size.bmWidth,
                      size.bmHeight, SRCCOPY) != FALSE;
}

class OperationPage : public SheetFixture {
protected:
    void SetUp() override {
        SheetFixture::SetUp();
        SetCursorPos(0, 0);  // no tooltip pops up over the dialogs
    }
};

struct Button {
    int control;
    zr640::OperationEvent event;
    const wchar_t* title;
};
constexpr Button kButtons[] = {
    {IDC_OPERATION_BUTTON_STARTDOC, zr640::OperationEvent::kStartOfDocument,
     L"Start Document Operation"},
    {IDC_OPERATION_BUTTON_STARTPAGE, zr640::OperationEvent::kStartOfPage, L"Start Page Operation"},
    {IDC_OPERATION_BUTTON_ENDPAGE, zr640::OperationEvent::kEndOfPage, L"End Page Operation"},
    {IDC_OPERATION_BUTTON_ENDDOC, zr640::OperationEvent::kEndOfDocument, L"End Document Operation"},
};

std::wstring WindowTitle(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// ---- Tests -----------------------------------------------------------------------------------

TEST_F(OperationPage, EachButtonOpensItsDialogOnItsOwnBlock) {
    SheetSession sheet(plugin, kPrinter);
    zr640::PrivateDevMode& record = Record(sheet);
    // A distinct block for each moment, so a dialog showing another moment's block shows.
    record.startDoc.bCashDrawer = 3;
    record.startPage.bCashDrawer = 5;
    record.startPage.bPaperCut = 2;
    record.endPage.bFeedMm = 42;
    record.endPage.bBuzzer = 2;
    record.endPage.bBuzzerVolume = 200;
    record.endDoc.bLogo = 7;
    record.endDoc.bLogoAlign = 2;
    record.endDoc.bLogoPosition = 1;
    record.endDoc.bSendCommand = 1;
    record.endDoc.cbCommand = 4;
    const uint8_t command[] = {0x1D, 0x56, 0x42, 0x00};
    std::memcpy(record.endDoc.abCommand, command, sizeof command);
    record.startPage.dwDrawerOrMessenger = 1;
    record.startPage.bMessenger = 1;

    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kOperationTab);
        EXPECT_EQ(ControlText(page, IDC_OPERATION_BUTTON_ENDDOC), L"End of Document");
        std::vector<std::wstring> titles;
        for (const Button& button : kButtons) {
            EXPECT_TRUE(WithEventDialog(page, button.control, [&](HWND dialog) {
                titles.push_back(WindowTitle(dialog));
                EXPECT_EQ(GetWindow(dialog, GW_OWNER), window) << "owned by the page's sheet";
                EXPECT_FALSE(IsWindowEnabled(window)) << "modal";
                EXPECT_EQ(ControlText(dialog, IDC_EVENT_LABEL_PAPERCUT), L"Paper Cut:");
                // Tooltip help on the dialog's controls, the filtered command edit included.
                const HWND edit = GetDlgItem(dialog, IDC_EVENT_EDIT_COMMAND);
                wintest::Hover(edit);
                EXPECT_EQ(ToolText(TooltipFor(edit), edit),
                          L"Edit the command which needs to be sent in the input column.");
                const HWND ok = GetDlgItem(dialog, IDOK);
                EXPECT_EQ(ToolText(TooltipFor(ok), ok), L"Confirm your settings.");
                switch (button.event) {
                case zr640::OperationEvent::kStartOfDocument:
                    EXPECT_EQ(Selected(dialog, IDC_EVENT_COMBO_DRAWER), 3);
                    EXPECT_TRUE(IsChecked(dialog, IDC_EVENT_RADIO_DRAWER));
                    EXPECT_TRUE(Enabled(dialog, IDC_EVENT_COMBO_DRAWER));
                    EXPECT_FALSE(Enabled(dialog, IDC_EVENT_COMBO_MESSENGER));
                    EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_COMMAND), L"");
                    EXPECT_FALSE(Enabled(dialog, IDC_EVENT_EDIT_COMMAND));
                    break;
                case zr640::OperationEvent::kStartOfPage:
                    EXPECT_EQ(Selected(dialog, IDC_EVENT_COMBO_DRAWER), 5);
                    EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_PAPERCUT), L"Full Cut");
                    EXPECT_TRUE(IsChecked(dialog, IDC_EVENT_RADIO_MESSENGER));
                    EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_MESSENGER), L"Disable");
                    EXPECT_FALSE(Enabled(dialog, IDC_EVENT_COMBO_DRAWER));
                    EXPECT_TRUE(Enabled(dialog, IDC_EVENT_COMBO_MESSENGER));
                    break;
                case zr640::OperationEvent::kEndOfPage:
                    EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_FEED), L"42");
                    EXPECT_EQ(SpinPosition(dialog, IDC_EVENT_SPIN_FEED), 42);
                    EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_BUZZER), L"Beep three");
                    EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_VOLUME), L"200");
                    EXPECT_TRUE(Enabled(dialog, IDC_EVENT_EDIT_VOLUME));
                    EXPECT_TRUE(Enabled(dialog, IDC_EVENT_SPIN_VOLUME));
                    EXPECT_FALSE(Enabled(dialog, IDC_EVENT_RADIO_LEFT)) << "no logo";
                    break;
                case zr640::OperationEvent::kEndOfDocument:
                    EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_LOGO), L"Print Logo7");
                    EXPECT_TRUE(IsChecked(dialog, IDC_EVENT_RADIO_RIGHT));
                    EXPECT_TRUE(IsChecked(dialog, IDC_EVENT_RADIO_AFTERCUT));
                    EXPECT_TRUE(Enabled(dialog, IDC_EVENT_RADIO_CENTERED));
                    EXPECT_TRUE(Enabled(dialog, IDC_EVENT_RADIO_BEFORECUT));
                    EXPECT_TRUE(IsChecked(dialog, IDC_EVENT_CHECK_SENDCOMMAND));
                    EXPECT_TRUE(Enabled(dialog, IDC_EVENT_EDIT_COMMAND));
                    EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_COMMAND), L"1D 56 42 00 ");
                    break;
                }
            })) << button.title;
        }
        EXPECT_EQ(titles.size(), std::size(kButtons));
        for (size_t i = 0; i < titles.size() && i < std::size(kButtons); ++i) {
            EXPECT_EQ(titles[i], kButtons[i].title);
        }
        EXPECT_TRUE(IsWindowEnabled(window)) << "the sheet is free again";
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(OperationPage, OkStoresEveryFieldIntoTheRightBlockOnly) {
    SheetSession sheet(plugin, kPrinter);
    zr640::PrivateDevMode& record = Record(sheet);
    // The end-of-page block (the record's last) starts with a full command area, which OK must
    // zero-fill behind the new, shorter command.
    std::memset(record.endPage.abCommand, 0xAA, sizeof record.endPage.abCommand);
    record.endPage.cbCommand = 128;
    record.endPage.bSendCommand = 0;
    record.endPage.bLogoAlign = 1;
    const std::vector<BYTE> before = sheet.record;

    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kOperationTab);
        EXPECT_FALSE(ApplyEnabled(window));
        EXPECT_TRUE(WithEventDialog(page, IDC_OPERATION_BUTTON_ENDPAGE, [&](HWND dialog) {
            EXPECT_EQ(WindowTitle(dialog), L"End Page Operation");
            Click(dialog, IDC_EVENT_CHECK_SENDCOMMAND);
            SetText(dialog, IDC_EVENT_EDIT_COMMAND, L"1d 56 42 0");
            Select(dialog, IDC_EVENT_COMBO_DRAWER, 7);  // stored, though the messenger is used
            Click(dialog, IDC_EVENT_RADIO_MESSENGER);
            Select(dialog, IDC_EVENT_COMBO_MESSENGER, 1);
            Select(dialog, IDC_EVENT_COMBO_BUZZER, 4);
            SetText(dialog, IDC_EVENT_EDIT_VOLUME, L"77");
            SetText(dialog, IDC_EVENT_EDIT_FEED, L"12");
            Click(dialog, IDC_EVENT_CHECK_FEEDTOCUT);
            Select(dialog, IDC_EVENT_COMBO_PAPERCUT, 2);
            Select(dialog, IDC_EVENT_COMBO_LOGO, 3);
            Click(dialog, IDC_EVENT_RADIO_RIGHT);
            Click(dialog, IDC_EVENT_RADIO_AFTERCUT);
            PressOk(dialog);
            EXPECT_TRUE(Ended(dialog));
        }));
        EXPECT_TRUE(ApplyEnabled(window)) << "PSM_CHANGED after OK";
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));

    std::vector<BYTE> expected = before;
    auto& want = *reinterpret_cast<zr640::PrivateDevMode*>(expected.data());
    want.endPage.bSendCommand = 1;
    std::memset(want.endPage.abCommand, 0, sizeof want.endPage.abCommand);
    want.endPage.abCommand[0] = 0x1D;
    want.endPage.abCommand[1] = 0x56;
    want.endPage.abCommand[2] = 0x42;
    want.endPage.abCommand[3] = 0x00;
    want.endPage.cbCommand = 4;
    want.endPage.dwDrawerOrMessenger = 1;
    want.endPage.bMessenger = 1;
    want.endPage.bCashDrawer = 7;
    want.endPage.bBuzzer = 4;
    want.endPage.bBuzzerVolume = 77;
    want.endPage.bFeedMm = 12;
    want.endPage.bFeedToCut = 1;
    want.endPage.bPaperCut = 2;
    want.endPage.bLogo = 3;
    want.endPage.bLogoAlign = 2;
    want.endPage.bLogoPosition = 1;
    ASSERT_EQ(sheet.record.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(sheet.record[i], expected[i]) << "byte " << i;
    }
}

TEST_F(OperationPage, CancelChangesNothingAndReportsNoChange) {
    SheetSession sheet(plugin, kPrinter);
    const std::vector<BYTE> before = sheet.record;
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kOperationTab);
        EXPECT_TRUE(WithEventDialog(page, IDC_OPERATION_BUTTON_STARTDOC, [&](HWND dialog) {
            Click(dialog, IDC_EVENT_CHECK_SENDCOMMAND);
            SetText(dialog, IDC_EVENT_EDIT_COMMAND, L"1B 40");
            Select(dialog, IDC_EVENT_COMBO_PAPERCUT, 2);
            Select(dialog, IDC_EVENT_COMBO_LOGO, 1);
            SetText(dialog, IDC_EVENT_EDIT_FEED, L"30");
            SendDlgItemMessageW(dialog, IDCANCEL, BM_CLICK, 0, 0);
            EXPECT_TRUE(Ended(dialog));
        }));
        EXPECT_EQ(sheet.record, before);
        EXPECT_FALSE(ApplyEnabled(window)) << "no PSM_CHANGED";
        // The next opening shows the record again, not the cancelled edits.
        EXPECT_TRUE(WithEventDialog(page, IDC_OPERATION_BUTTON_STARTDOC, [&](HWND dialog) {
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_COMMAND), L"");
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_PAPERCUT), L"No Cut");
        }));
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
    EXPECT_EQ(sheet.record, before);
}

TEST_F(OperationPage, DefaultShowsEachMomentsInitialValues) {
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kOperationTab);
        auto scramble = [](HWND dialog) {
            Click(dialog, IDC_EVENT_CHECK_SENDCOMMAND);
            SetText(dialog, IDC_EVENT_EDIT_COMMAND, L"1B 40");
            Select(dialog, IDC_EVENT_COMBO_DRAWER, 4);
            Click(dialog, IDC_EVENT_RADIO_MESSENGER);
            Select(dialog, IDC_EVENT_COMBO_BUZZER, 3);
            SetText(dialog, IDC_EVENT_EDIT_VOLUME, L"99");
            Select(dialog, IDC_EVENT_COMBO_LOGO, 5);
            Click(dialog, IDC_EVENT_RADIO_CENTERED);
            Click(dialog, IDC_EVENT_RADIO_AFTERCUT);
            Select(dialog, IDC_EVENT_COMBO_PAPERCUT, 2);
            SetText(dialog, IDC_EVENT_EDIT_FEED, L"50");
        };
        auto expectCommonDefaults = [](HWND dialog) {
            EXPECT_FALSE(IsChecked(dialog, IDC_EVENT_CHECK_SENDCOMMAND));
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_COMMAND), L"");
            EXPECT_FALSE(Enabled(dialog, IDC_EVENT_EDIT_COMMAND));
            EXPECT_TRUE(IsChecked(dialog, IDC_EVENT_RADIO_DRAWER));
            EXPECT_FALSE(IsChecked(dialog, IDC_EVENT_RADIO_MESSENGER));
            EXPECT_TRUE(Enabled(dialog, IDC_EVENT_COMBO_DRAWER));
            EXPECT_FALSE(Enabled(dialog, IDC_EVENT_COMBO_MESSENGER));
            EXPECT_EQ(Selected(dialog, IDC_EVENT_COMBO_MESSENGER), 0);
            EXPECT_EQ(SpinPosition(dialog, IDC_EVENT_SPIN_FEED), 0);
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_BUZZER), L"Beep off");
            EXPECT_EQ(SpinPosition(dialog, IDC_EVENT_SPIN_VOLUME), 0);
            EXPECT_FALSE(Enabled(dialog, IDC_EVENT_EDIT_VOLUME));
            EXPECT_FALSE(Enabled(dialog, IDC_EVENT_SPIN_VOLUME));
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_LOGO), L"Not Print Logo");
            for (int control :
                 {IDC_EVENT_RADIO_LEFT, IDC_EVENT_RADIO_CENTERED, IDC_EVENT_RADIO_RIGHT,
                  IDC_EVENT_RADIO_BEFORECUT, IDC_EVENT_RADIO_AFTERCUT}) {
                EXPECT_FALSE(Enabled(dialog, control)) << control;
            }
            EXPECT_TRUE(IsChecked(dialog, IDC_EVENT_RADIO_LEFT));
            EXPECT_FALSE(IsChecked(dialog, IDC_EVENT_RADIO_CENTERED));
            EXPECT_TRUE(IsChecked(dialog, IDC_EVENT_RADIO_BEFORECUT));
            EXPECT_FALSE(IsChecked(dialog, IDC_EVENT_RADIO_AFTERCUT));
        };
        EXPECT_TRUE(WithEventDialog(page, IDC_OPERATION_BUTTON_ENDDOC, [&](HWND dialog) {
            scramble(dialog);
            Click(dialog, IDC_EVENT_CHECK_FEEDTOCUT);  // off
            Click(dialog, IDC_EVENT_BUTTON_DEFAULT);
            EXPECT_FALSE(Ended(dialog)) << "Default keeps the dialog open";
            expectCommonDefaults(dialog);
            EXPECT_TRUE(IsChecked(dialog, IDC_EVENT_CHECK_FEEDTOCUT));
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_PAPERCUT), L"Partial Cut");
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_DRAWER), L"No Cash Drawer");
        }));
        EXPECT_TRUE(WithEventDialog(page, IDC_OPERATION_BUTTON_STARTDOC, [&](HWND dialog) {
            scramble(dialog);
            Click(dialog, IDC_EVENT_CHECK_FEEDTOCUT);  // on
            Click(dialog, IDC_EVENT_BUTTON_DEFAULT);
            expectCommonDefaults(dialog);
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_DRAWER),
                      L"Cash Drawer #1+#2 Waiting 60ms");
            EXPECT_FALSE(IsChecked(dialog, IDC_EVENT_CHECK_FEEDTOCUT));
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_PAPERCUT), L"No Cut");
        }));
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(OperationPage, BuzzerLogoAndDrawerChoicesEnableTheirControls) {
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kOperationTab);
        EXPECT_TRUE(WithEventDialog(page, IDC_OPERATION_BUTTON_STARTPAGE, [&](HWND dialog) {
            Select(dialog, IDC_EVENT_COMBO_BUZZER, 2);
            EXPECT_TRUE(Enabled(dialog, IDC_EVENT_EDIT_VOLUME));
            EXPECT_TRUE(Enabled(dialog, IDC_EVENT_SPIN_VOLUME));
            Select(dialog, IDC_EVENT_COMBO_BUZZER, 0);
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_BUZZER), L"Beep off");
            EXPECT_FALSE(Enabled(dialog, IDC_EVENT_EDIT_VOLUME));
            EXPECT_FALSE(Enabled(dialog, IDC_EVENT_SPIN_VOLUME));

            const int placement[] = {IDC_EVENT_RADIO_LEFT, IDC_EVENT_RADIO_CENTERED,
                                     IDC_EVENT_RADIO_RIGHT, IDC_EVENT_RADIO_BEFORECUT,
                                     IDC_EVENT_RADIO_AFTERCUT};
            Select(dialog, IDC_EVENT_COMBO_LOGO, 9);
            for (int control : placement) EXPECT_TRUE(Enabled(dialog, control)) << control;
            Select(dialog, IDC_EVENT_COMBO_LOGO, 0);
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_COMBO_LOGO), L"Not Print Logo");
            for (int control : placement) EXPECT_FALSE(Enabled(dialog, control)) << control;

            Click(dialog, IDC_EVENT_RADIO_MESSENGER);
            EXPECT_FALSE(Enabled(dialog, IDC_EVENT_COMBO_DRAWER));
            EXPECT_TRUE(Enabled(dialog, IDC_EVENT_COMBO_MESSENGER));
            Click(dialog, IDC_EVENT_RADIO_DRAWER);
            EXPECT_TRUE(Enabled(dialog, IDC_EVENT_COMBO_DRAWER));
            EXPECT_FALSE(Enabled(dialog, IDC_EVENT_COMBO_MESSENGER));

            Click(dialog, IDC_EVENT_CHECK_SENDCOMMAND);
            EXPECT_TRUE(Enabled(dialog, IDC_EVENT_EDIT_COMMAND));
            SetText(dialog, IDC_EVENT_EDIT_COMMAND, L"1B 40");
            Click(dialog, IDC_EVENT_CHECK_SENDCOMMAND);
            EXPECT_FALSE(Enabled(dialog, IDC_EVENT_EDIT_COMMAND));
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_COMMAND), L"1B 40") << "the text stays";
        }));
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(OperationPage, TypedFeedAboveTheRangeMovesTheSpinToItsEndAndStoresIt) {
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kOperationTab);
        EXPECT_TRUE(WithEventDialog(page, IDC_OPERATION_BUTTON_STARTPAGE, [&](HWND dialog) {
            SendDlgItemMessageW(dialog, IDC_EVENT_EDIT_FEED, EM_SETSEL, 0,
                                -1);  // typing replaces all
            Type(dialog, IDC_EVENT_EDIT_FEED, L"25");
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_FEED), L"25");
            EXPECT_EQ(SpinPosition(dialog, IDC_EVENT_SPIN_FEED), 25);
            Type(dialog, IDC_EVENT_EDIT_FEED, L"0");
            EXPECT_EQ(SpinPosition(dialog, IDC_EVENT_SPIN_FEED), 100);
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_FEED), L"100")
                << "the spin's buddy shows its end";

            SendDlgItemMessageW(dialog, IDC_EVENT_EDIT_VOLUME, EM_SETSEL, 0, -1);
            Type(dialog, IDC_EVENT_EDIT_VOLUME, L"999");
            EXPECT_EQ(SpinPosition(dialog, IDC_EVENT_SPIN_VOLUME), 255);
            PressOk(dialog);
        }));
        EXPECT_EQ(Record(sheet).startPage.bFeedMm, 100);
        EXPECT_EQ(Record(sheet).startPage.bBuzzerVolume, 255);
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

// The feed and volume typed key by key and left: every length of value the range allows is
// kept as typed, above the range is lowered while typing, and OK stores what the boxes show.
TEST_F(OperationPage, FeedAndVolumeTypedKeyByKeyAreKeptAsTyped) {
    const TypedNumber cases[] = {
        {IDC_EVENT_EDIT_FEED, IDC_EVENT_SPIN_FEED, L"0", L"0"},
        {IDC_EVENT_EDIT_FEED, IDC_EVENT_SPIN_FEED, L"7", L"7"},
        {IDC_EVENT_EDIT_FEED, IDC_EVENT_SPIN_FEED, L"25", L"25"},
        {IDC_EVENT_EDIT_FEED, IDC_EVENT_SPIN_FEED, L"100", L"100"},
        {IDC_EVENT_EDIT_FEED, IDC_EVENT_SPIN_FEED, L"150", L"100"},
        {IDC_EVENT_EDIT_FEED, IDC_EVENT_SPIN_FEED, L"075", L"75"},
        {IDC_EVENT_EDIT_VOLUME, IDC_EVENT_SPIN_VOLUME, L"1", L"1"},
        {IDC_EVENT_EDIT_VOLUME, IDC_EVENT_SPIN_VOLUME, L"42", L"42"},
        {IDC_EVENT_EDIT_VOLUME, IDC_EVENT_SPIN_VOLUME, L"255", L"255"},
        {IDC_EVENT_EDIT_VOLUME, IDC_EVENT_SPIN_VOLUME, L"300", L"255"},
        {IDC_EVENT_EDIT_VOLUME, IDC_EVENT_SPIN_VOLUME, L"007", L"7"},
    };
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kOperationTab);
        EXPECT_TRUE(WithEventDialog(page, IDC_OPERATION_BUTTON_STARTPAGE, [&](HWND dialog) {
            PickWithKeyboard(dialog, IDC_EVENT_COMBO_BUZZER, 1);  // the volume box opens
            ASSERT_TRUE(Enabled(dialog, IDC_EVENT_EDIT_VOLUME));
            for (const TypedNumber& c : cases) ExpectKeptAfterTyping(dialog, c);
            // A cleared box typed again holds just the new digits.
            Focus(dialog, IDC_EVENT_EDIT_FEED);
            PressKey(VK_BACK);
            TypeKeys(L"38");
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_FEED), L"38");
            LeaveField();
            // A box left empty reads as 0.
            Focus(dialog, IDC_EVENT_EDIT_VOLUME);
            PressKey(VK_BACK);
            ClickCentre(dialog, IDOK);
        }));
        EXPECT_EQ(Record(sheet).startPage.bFeedMm, 38);
        EXPECT_EQ(Record(sheet).startPage.bBuzzerVolume, 0);
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(OperationPage, CommandEditTakesHexTypingAndPastesAnything) {
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kOperationTab);
        EXPECT_TRUE(WithEventDialog(page, IDC_OPERATION_BUTTON_ENDDOC, [&](HWND dialog) {
            Click(dialog, IDC_EVENT_CHECK_SENDCOMMAND);
            const HWND edit = GetDlgItem(dialog, IDC_EVENT_EDIT_COMMAND);
            EXPECT_EQ(SendMessageW(edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
            SetText(dialog, IDC_EVENT_EDIT_COMMAND, L"");
            Type(dialog, IDC_EVENT_EDIT_COMMAND, L"1d Gg zZ x");
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_COMMAND), L"1d   ")
                << "only hex digits and spaces";
            Type(dialog, IDC_EVENT_EDIT_COMMAND, L"-.aF\b");
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_COMMAND), L"1d   -.a")
                << "-, . and backspace pass";

            SetFocus(edit);
            {
                const KeyHeld tab(VK_TAB);
                SendMessageW(edit, WM_CHAR, L'\t', 1);
            }
            oemhost::Pump(20);
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_COMMAND), L"1d   -.a") << "no tab typed";
            EXPECT_NE(GetFocus(), edit) << "Tab moves the focus on";

            SetText(dialog, IDC_EVENT_EDIT_COMMAND, L"");
            ASSERT_TRUE(PutOnClipboard(dialog, L"zz 1D"));
            {
                const KeyHeld ctrl(VK_CONTROL);
                SendMessageW(edit, WM_CHAR, 0x16, 1);  // Ctrl+V
            }
            EXPECT_EQ(ControlText(dialog, IDC_EVENT_EDIT_COMMAND), L"zz 1D");
            PressOk(dialog);
        }));
        const zr640::PrivateDevMode& record = Record(sheet);
        EXPECT_EQ(record.endDoc.cbCommand, 2) << "non-hex characters count as 0";
        EXPECT_EQ(record.endDoc.abCommand[0], 0x00);
        EXPECT_EQ(record.endDoc.abCommand[1], 0x1D);
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(OperationPage, OverlongCommandIsRefusedAndTheDialogStaysOpen) {
    SheetSession sheet(plugin, kPrinter);
    const std::vector<BYTE> before = sheet.record;
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kOperationTab);
        EXPECT_TRUE(WithEventDialog(page, IDC_OPERATION_BUTTON_ENDDOC, [&](HWND dialog) {
            Click(dialog, IDC_EVENT_CHECK_SENDCOMMAND);
            SetText(dialog, IDC_EVENT_EDIT_COMMAND, std::wstring(258, L'1'));  // 129 bytes
            PressOk(dialog);
            ASSERT_FALSE(Ended(dialog)) << "kept open";
            ASSERT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(platform.messages[0].text, L"Command length error!");
            EXPECT_EQ(platform.messages[0].caption, L"Error");
            EXPECT_EQ(platform.messages[0].type & 0xF, static_cast<UINT>(MB_OK));
            EXPECT_EQ(sheet.record, before) << "nothing stored";

            // Longer than the 399 characters the edit used to be read with, though its first
            // 399 would give one byte: refused rather than cut.
            SetText(dialog, IDC_EVENT_EDIT_COMMAND, L"1D" + std::wstring(398, L' ') + L"56");
            PressOk(dialog);
            ASSERT_FALSE(Ended(dialog));
            EXPECT_EQ(platform.messages.size(), 2u);

            SetText(dialog, IDC_EVENT_EDIT_COMMAND, std::wstring(256, L'1'));  // 128 bytes
            PressOk(dialog);
            EXPECT_TRUE(Ended(dialog)) << "128 bytes are taken";
        }));
        EXPECT_EQ(Record(sheet).endDoc.cbCommand, 128);
        EXPECT_EQ(Record(sheet).endDoc.abCommand[127], 0x11);
        EXPECT_TRUE(ApplyEnabled(window));
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

TEST_F(OperationPage, PreviewDrawsTheStripForEventFeedAndCut) {
    SheetSession sheet(plugin, kPrinter);
    sheet.scenario = [&](HWND window) {
        const HWND page = oemhost::PageAt(window, kOperationTab);
        for (const Button& button : kButtons) {
            EXPECT_TRUE(WithEventDialog(page, button.control, [&](HWND dialog) {
                RECT area;
                GetClientRect(GetDlgItem(dialog, IDC_EVENT_FRAME_PREVIEW), &area);
                ASSERT_GT(area.right, 2);
                ASSERT_GT(area.bottom, 2);
                const zr640::win::WindowDC screen(nullptr);
                for (const bool feed : {false, true}) {
                    for (const int cut : {0, 1, 2}) {
                        if (IsChecked(dialog, IDC_EVENT_CHECK_FEEDTOCUT) != feed) {
                            Click(dialog, IDC_EVENT_CHECK_FEEDTOCUT);
                        }
                        Select(dialog, IDC_EVENT_COMBO_PAPERCUT, cut);
                        RedrawWindow(dialog, nullptr, nullptr,
                                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                        const int id = zr640::PreviewBitmapId(button.event, feed, cut != 0);
                        Picture shown(screen.get(), area.right, area.bottom);
                        Picture expected(screen.get(), area.right, area.bottom);
                        ASSERT_TRUE(ReadFrame(dialog, shown, area));
                        ASSERT_TRUE(DrawExpected(id, expected, area)) << id;
                        EXPECT_TRUE(shown.InteriorEquals(expected))
                            << button.title << " feed " << feed << " cut " << cut << ": bitmap "
                            << id;
                        // The picture tells the cases apart: the table's other strips differ.
                        for (const int other : {136, 139, 143, 149}) {
                            if (other == id) continue;
                            Picture wrong(screen.get(), area.right, area.bottom);
                            ASSERT_TRUE(DrawExpected(other, wrong, area));
                            if (!wrong.InteriorEquals(expected)) {
                                EXPECT_FALSE(shown.InteriorEquals(wrong)) << other;
                            }
                        }
                    }
                }
            })) << button.title;
        }
        return false;
    };
    ASSERT_TRUE(sheet.Run(SheetKind::Document));
}

}  // namespace
