#include "tests/windows/person_input.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <vector>

namespace wintest {
namespace {

constexpr DWORD kSettleMilliseconds = 15;

// Runs the thread's messages for a while; keyboard messages pass the dialog manager of their
// top-level window first, as in a dialog's or a sheet's own message loop.
void Settle(DWORD milliseconds = kSettleMilliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    MSG message;
    do {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            const bool key = message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
            const HWND root =
                message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
            if (key && root != nullptr && IsDialogMessageW(root, &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(2);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

LPARAM KeyData(UINT virtualKey, bool release) {
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM data = 1 | static_cast<LPARAM>(scan & 0xff) << 16;
    if (release) data |= static_cast<LPARAM>(0xC0000000u);
    return data;
}

// Holds Shift for the keys between construction and destruction (the keyboard state that
// turns a key into its character).
class ShiftHeld {
public:
    explicit ShiftHeld(bool held) : held_(held) {
        if (!held_) return;
        GetKeyboardState(saved_.data());
        std::array<BYTE, 256> state = saved_;
        state[VK_SHIFT] = 0x80;
        state[VK_LSHIFT] = 0x80;
        SetKeyboardState(state.data());
    }
    ~ShiftHeld() {
        if (held_) SetKeyboardState(saved_.data());
    }
    ShiftHeld(const ShiftHeld&) = delete;
    ShiftHeld& operator=(const ShiftHeld&) = delete;

private:
    bool held_;
    std::array<BYTE, 256> saved_{};
};

// The key goes to the focused window as the keyboard sends it; the character it makes comes
// from the thread's translation of the key, as for a person's key.
void KeyDownUp(UINT virtualKey) {
    const HWND focus = GetFocus();
    ASSERT_NE(focus, nullptr) << "no window has the keyboard focus";
    PostMessageW(focus, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
    Settle();
    if (const HWND now = GetFocus()) {
        PostMessageW(now, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
    }
    Settle();
}

POINT Centre(const RECT& area) {
    return {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

POINT ScreenCentre(HWND window) {
    RECT area = {};
    GetWindowRect(window, &area);
    return Centre(area);
}

void SendMouse(HWND target, UINT message, WPARAM keys, POINT screen) {
    POINT client = screen;
    ScreenToClient(target, &client);
    SendMessageW(target, message, keys, MAKELPARAM(client.x, client.y));
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, static_cast<int>(std::size(name)));
    if (IsWindowVisible(window) && std::wstring_view(name) == L"#32770") {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

// The visible dialog windows of this thread.
std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

struct DialogDrive {
    const std::function<void(HWND)>* drive = nullptr;
    std::vector<HWND> before;
    bool opened = false;
    int ticks = 0;
};
DialogDrive dialogDrive;

VOID CALLBACK DialogTick(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND opened = nullptr;
    for (const HWND window : ThreadDialogs()) {
        const auto& before = dialogDrive.before;
        if (std::find(before.begin(), before.end(), window) == before.end()) opened = window;
    }
    if (opened == nullptr) {
        if (++dialogDrive.ticks > 250) KillTimer(nullptr, timer);
        return;
    }
    KillTimer(nullptr, timer);
    dialogDrive.opened = true;
    Settle();
    (*dialogDrive.drive)(opened);
    if (IsWindow(opened) && IsWindowVisible(opened)) {
        SendMessageW(opened, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
}

}  // namespace

bool WithDialogOpenedBy(HWND dialog, int button, const std::function<void(HWND)>& drive) {
    const DialogDrive outer = dialogDrive;  // a drive may open a dialog of its own
    dialogDrive = {&drive, ThreadDialogs(), false, 0};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, DialogTick);
    ClickCentre(dialog, button);
    KillTimer(nullptr, timer);
    const bool opened = dialogDrive.opened;
    dialogDrive = outer;
    Settle();
    return opened;
}

void Focus(HWND dialog, int control) {
    const HWND item = GetDlgItem(dialog, control);
    ASSERT_NE(item, nullptr) << "no control " << control;
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item), TRUE);
    Settle();
}

void PressKey(UINT virtualKey) { KeyDownUp(virtualKey); }

void TypeKeys(std::wstring_view text) {
    for (const wchar_t c : text) {
        const SHORT key = VkKeyScanW(c);
        if (key == -1) {
            // No key of the layout makes it (an input method would): the character alone.
            const HWND focus = GetFocus();
            ASSERT_NE(focus, nullptr) << "no window has the keyboard focus";
            PostMessageW(focus, WM_CHAR, c, 1);
            Settle();
            continue;
        }
        const ShiftHeld shift((HIBYTE(key) & 1) != 0);
        KeyDownUp(LOBYTE(key));
    }
}

void LeaveField() { PressKey(VK_TAB); }

void TypeAndLeave(HWND dialog, int edit, std::wstring_view text) {
    Focus(dialog, edit);
    // Everything selected, as Tab into the field selects it (a combo box's edit is the window
    // that has the focus).
    SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
    TypeKeys(text);
    LeaveField();
}

void ClickScreen(POINT point) {
    // The pointer is where the person clicks: the system's own mouse moves then agree with
    // the click (a pointer left elsewhere, over a list that drops down, would take it over).
    SetCursorPos(point.x, point.y);
    Settle();
    HWND target = GetCapture();
    if (target == nullptr) target = WindowFromPoint(point);
    ASSERT_NE(target, nullptr) << "nothing at " << point.x << "," << point.y;
    SendMouse(target, WM_MOUSEMOVE, 0, point);
    SendMouse(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
    Settle();
    // The press may have captured the mouse (a button, a list that drops down).
    HWND release = GetCapture();
    if (release == nullptr) release = WindowFromPoint(point);
    if (release != nullptr) SendMouse(release, WM_LBUTTONUP, 0, point);
    Settle(3 * kSettleMilliseconds);
}

void ClickCentre(HWND dialog, int control) {
    const HWND item = GetDlgItem(dialog, control);
    ASSERT_NE(item, nullptr) << "no control " << control;
    ClickScreen(ScreenCentre(item));
}

void ExpectKeptAfterTyping(HWND dialog, const TypedNumber& number) {
    const std::wstring typed(number.typed);
    SCOPED_TRACE(testing::Message() << "typed " << std::string(typed.begin(), typed.end()));
    TypeAndLeave(dialog, number.edit, typed);
    wchar_t shown[32] = {};
    GetDlgItemTextW(dialog, number.edit, shown, static_cast<int>(std::size(shown)));
    EXPECT_EQ(std::wstring(shown), number.kept);
    EXPECT_EQ(SendDlgItemMessageW(dialog, number.spin, UDM_GETPOS32, 0, 0), _wtoi(number.kept));
}

void Hover(HWND window) {
    const POINT centre = ScreenCentre(window);
    // From a pixel aside, so that the pointer really moves when it already rests there.
    SetCursorPos(centre.x - 1, centre.y);
    Settle();
    SetCursorPos(centre.x, centre.y);
    Settle();
}

HWND WindowAtCentre(HWND dialog, int control) {
    return WindowFromPoint(ScreenCentre(GetDlgItem(dialog, control)));
}

void PickWithKeyboard(HWND dialog, int combo, int index) {
    Focus(dialog, combo);
    PressKey(VK_F4);
    ASSERT_TRUE(SendDlgItemMessageW(dialog, combo, CB_GETDROPPEDSTATE, 0, 0))
        << "F4 did not open the list of " << combo;
    auto selected = static_cast<int>(SendDlgItemMessageW(dialog, combo, CB_GETCURSEL, 0, 0));
    for (int step = 0; selected != index && step < 1000; ++step) {
        PressKey(selected < index ? VK_DOWN : VK_UP);
        const auto moved = static_cast<int>(SendDlgItemMessageW(dialog, combo, CB_GETCURSEL, 0, 0));
        ASSERT_NE(moved, selected) << "the arrow key did not move in the list of " << combo;
        selected = moved;
    }
    PressKey(VK_RETURN);
    EXPECT_FALSE(SendDlgItemMessageW(dialog, combo, CB_GETDROPPEDSTATE, 0, 0))
        << "Enter did not close the list of " << combo;
}

void PickWithMouse(HWND dialog, int combo, int index) {
    const HWND box = GetDlgItem(dialog, combo);
    ASSERT_NE(box, nullptr) << "no control " << combo;
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(box, &info));
    // The arrow opens every kind of drop-down list.
    POINT arrow = Centre(info.rcButton);
    ClientToScreen(box, &arrow);
    const HWND under = WindowFromPoint(arrow);
    ClickScreen(arrow);
    ASSERT_TRUE(SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0))
        << "a click on the arrow did not open the list of " << combo
        << (IsWindowEnabled(box) ? "" : " (disabled)") << "; under the arrow: control "
        << GetDlgCtrlID(under) << (under == box || IsChild(box, under) ? " (the list)" : "");
    const HWND list = info.hwndList;
    RECT item = {};
    RECT shown = {};
    GetClientRect(list, &shown);
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    if (item.top < shown.top || item.bottom > shown.bottom) {
        // Scrolled into view, as the wheel or the scroll bar would.
        SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    }
    POINT entry = Centre(item);
    ClientToScreen(list, &entry);
    ClickScreen(entry);
    EXPECT_FALSE(SendMessageW(box, CB_GETDROPPEDSTATE, 0, 0))
        << "a click on the entry did not close the list of " << combo;
}

}  // namespace wintest
