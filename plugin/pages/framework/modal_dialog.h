// A modal dialog of the plug-in (the event operations, the control-font table and its
// translator): DialogBoxParamW under the plug-in's activation context, the object in the
// dialog's slot, captions and tooltip help from the same kind of tables as a page.
#pragma once

#include <windows.h>

#include <span>

#include "plugin/pages/framework/dialog.h"

namespace zr640ui {

struct DialogDefinition {
    int templateId;
    Section section;  // loaded when the dialog opens
    std::span<const TextBinding> captions;
    std::span<const TextBinding> help = {};
};

class ModalDialog : public DialogObject {
public:
    explicit ModalDialog(const DialogDefinition& definition) : definition_(definition) {}

    // Runs the dialog; IDOK or IDCANCEL as it ended, -1 when it could not be created.
    INT_PTR Run(HWND owner);

protected:
    // OK pressed: return false to keep the dialog open (after telling the user why).
    virtual bool OnOk() { return true; }

    void End(INT_PTR result) const { EndDialog(window(), result); }

private:
    BOOL Initialise() final;
    void BeforePaint() final {}
    INT_PTR Notify(const NMHDR& header) final { return OnNotify(header); }
    void Command(int control, int code) final;
    void Destroying() final {}
    INT_PTR OtherMessage(UINT message, WPARAM wParam, LPARAM lParam) final {
        return OnMessage(message, wParam, lParam);
    }
    bool OwnedByWindow() const final { return false; }

    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const DialogDefinition& definition_;
};

}  // namespace zr640ui
