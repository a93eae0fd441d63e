// The object behind every page and dialog of the plug-in. The window keeps it in its own
// slot (DWLP_USER) from WM_INITDIALOG to WM_NCDESTROY; messages are handed to one virtual
// handler each. Nothing thrown by a handler leaves the dialog procedure: the plug-in runs
// inside other people's programs.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/localisation/message.h"
#include "plugin/localisation/texts.h"

namespace zr640ui {

using TextBinding = zr640::text::TextBinding<Key>;

class DialogObject {
public:
    DialogObject() = default;
    virtual ~DialogObject() = default;
    DialogObject(const DialogObject&) = delete;
    DialogObject& operator=(const DialogObject&) = delete;

    HWND window() const { return window_; }
    // The dialog's control, asked of the system once and then kept: the controls of a page or
    // dialog live as long as it does. Use on the dialog's thread.
    HWND Item(int control) const;

    // The object a dialog window of this module keeps, or null (not ours, or not yet).
    static DialogObject* Of(HWND window);

    // The one dialog procedure: `make` builds the object at WM_INITDIALOG from its lParam
    // (null refuses the window: it then stays without an object and does nothing).
    template <typename Make>
    static INT_PTR Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Make make);

protected:
    // WM_INITDIALOG, after the captions are set; return FALSE when the focus was set.
    virtual BOOL OnInitDialog() { return TRUE; }
    // WM_COMMAND from a control (or a menu or accelerator, control null).
    virtual void OnCommand(int /*control*/, int /*code*/) {}
    // WM_NOTIFY: the answer a dialog procedure gives (use Answer() for DWLP_MSGRESULT).
    virtual INT_PTR OnNotify(const NMHDR& /*header*/) { return FALSE; }
    // WM_HSCROLL / WM_VSCROLL from a track bar, up-down or scroll bar.
    virtual void OnScroll(HWND /*control*/, int /*code*/) {}
    // WM_PAINT, after the texts and lists are reloaded. Return true when the handler painted
    // (BeginPaint/EndPaint) itself; false lets the dialog paint as usual.
    virtual bool OnPaint() { return false; }
    // Any other message; FALSE for the default handling.
    virtual INT_PTR OnMessage(UINT /*message*/, WPARAM, LPARAM) { return FALSE; }

    // What the template procedure does around the handlers: the shared part of a page or a
    // modal dialog. The framework's PropertyPage and ModalDialog override these and seal them
    // (final), so a page or dialog can only override the On… handlers above.
    virtual BOOL Initialise() { return OnInitDialog(); }
    virtual void BeforePaint() {}
    virtual INT_PTR Notify(const NMHDR& header) { return OnNotify(header); }
    virtual void Command(int control, int code) { OnCommand(control, code); }
    virtual void Destroying() {}
    virtual INT_PTR OtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return OnMessage(message, wParam, lParam);
    }
    // Pages belong to their window and are deleted with it; a modal dialog's object belongs
    // to the code that runs it.
    virtual bool OwnedByWindow() const { return true; }

    // Tooltip help for these controls, attached when the mouse first moves over the dialog
    // or one of its controls (the system asks the dialog for the cursor then, before the
    // control sees the move). Help only ever shows under a resting mouse, and its tooltip
    // window and subclasses cost a page's first showing more than the rest of its set-up.
    void OfferHelp(std::span<const TextBinding> help) { offeredHelp_ = help; }

    // Helpers for the controls of this dialog.
    void Enable(int control, bool enabled) const;
    void Enable(std::span<const int> controls, bool enabled) const;
    // Shows or hides each control (a page that shows one group of controls at a time).
    void SetVisible(std::span<const int> controls, bool visible) const;
    void Check(int control, bool checked) const;
    bool Checked(int control) const;
    void SetText(int control, const wchar_t* text) const;
    void SetText(int control, const std::wstring& text) const { SetText(control, text.c_str()); }
    std::wstring ControlText(int control) const;
    LRESULT Send(int control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Shows a message box of the catalogue through the platform seam; returns its answer.
    int Show(const zr640::text::Message& message, UINT buttons = MB_OK) const;
    // Answers a message whose result goes through DWLP_MSGRESULT.
    INT_PTR Answer(LRESULT result) const;

    // While a Filling lives, the dialog is putting values it holds into its controls: the
    // change notifications that sends (EN_CHANGE from an edit's new text) are not the user's,
    // and handlers that store what the user typed skip them while filling() is true.
    class Filling {
    public:
        explicit Filling(const DialogObject& dialog) : dialog_(dialog) { ++dialog_.filling_; }
        ~Filling() { --dialog_.filling_; }
        Filling(const Filling&) = delete;
        Filling& operator=(const Filling&) = delete;

    private:
        const DialogObject& dialog_;
    };
    bool filling() const { return filling_ > 0; }

private:
    static void Attach(HWND window, DialogObject* object);
    static void Detach(HWND window);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    mutable int filling_ = 0;
    mutable std::vector<std::pair<int, HWND>> items_;  // the controls asked for so far
    std::span<const TextBinding> offeredHelp_;         // not yet attached
};

template <typename Make>
INT_PTR DialogObject::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Make make) {
    try {
        if (message == WM_INITDIALOG) {
            DialogObject* object = make(lParam);
            if (object == nullptr) return TRUE;
            Attach(window, object);
        }
        DialogObject* object = Of(window);
        return object != nullptr ? object->Handle(message, wParam, lParam) : FALSE;
    } catch (...) {
        return FALSE;  // an allocation failed: the host's program goes on
    }
}

// The dialog's control: from its object's kept handles when the dialog is one of ours, else
// asked of the system (GetDlgItem). Use on the dialog's thread.
HWND DialogItem(HWND dialog, int control);

// Shows a message box of the catalogue through the platform seam; returns its answer.
int ShowMessage(HWND owner, const zr640::text::Message& message, UINT buttons = MB_OK);

// Sets each control's text from the loaded catalogue text.
void SetTexts(HWND dialog, std::span<const TextBinding> bindings);

}  // namespace zr640ui
