// Acting on a page as a person does. Keys go to the window that has the keyboard focus and
// pass through the dialog manager of the top-level window first (as the sheet's own message
// loop passes them), so Tab moves on, Enter presses the default button or closes a dropped
// list, and arrows move in a list; the page's reactions run between keys. Mouse clicks land
// on whatever window really is at the point, so a covered or hidden control does not get them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace wintest {

// Moves the keyboard focus into the control as Tab does (an edit gets its text selected).
void Focus(HWND dialog, int control);
// One key through the focused window: down (the character it makes follows), then up.
void PressKey(UINT virtualKey);
// The characters, key by key, into the focused window.
void TypeKeys(std::wstring_view text);
// Focuses the edit (its text selected), types the text key by key and leaves the field with
// Tab.
void TypeAndLeave(HWND dialog, int edit, std::wstring_view text);
// Leaves the focused field for the next control, with Tab.
void LeaveField();

// A click (button down, then up) at a point of the screen, delivered to the window that has
// the mouse captured or else the one that is at that point.
void ClickScreen(POINT point);
// A click at the centre of the control.
void ClickCentre(HWND dialog, int control);

// Opens the combo's drop-down list with the keyboard (F4), moves to the entry with the arrow
// keys and takes it with Enter.
void PickWithKeyboard(HWND dialog, int combo, int index);
// Opens the combo's drop-down list with a click and clicks the entry in the dropped list.
void PickWithMouse(HWND dialog, int combo, int index);

// A value typed into a number box with an up-down, and what the box keeps after it is left.
struct TypedNumber {
    int edit, spin;
    const wchar_t* typed;
    const wchar_t* kept;
};
// Types the value key by key, leaves the box, and checks that the box and its up-down show the
// kept value.
void ExpectKeptAfterTyping(HWND dialog, const TypedNumber& number);

// The mouse comes to rest over the window's centre, as a person points at it: the system's own
// move reaches the window under the pointer (and asks its dialog for the cursor first).
void Hover(HWND window);

// The window under the centre of the control, as a click there would find it.
HWND WindowAtCentre(HWND dialog, int control);

// Clicks the button at its centre and runs `drive` in the modal dialog it opens (a dialog
// still open afterwards is cancelled); false when no dialog opened within five seconds.
bool WithDialogOpenedBy(HWND dialog, int button, const std::function<void(HWND)>& drive);

}  // namespace wintest
