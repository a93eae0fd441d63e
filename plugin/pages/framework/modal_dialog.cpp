#include "plugin/pages/framework/modal_dialog.h"

#include "plugin/localisation/language_files.h"
#include "plugin/module.h"

namespace zr640ui {

INT_PTR ModalDialog::Run(HWND owner) {
    ResolveCurrentStringFile();
    LoadSection(definition_.section);
    const ScopedActivation activation;
    return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(definition_.templateId), owner,
                           &ModalDialog::Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch(window, message, wParam, lParam, [](LPARAM self) {
        return reinterpret_cast<DialogObject*>(reinterpret_cast<ModalDialog*>(self));
    });
}

BOOL ModalDialog::Initialise() {
    SetTexts(window(), definition_.captions);
    const BOOL result = OnInitDialog();
    OfferHelp(definition_.help);
    return result;
}

void ModalDialog::Command(int control, int code) {
    if (control == IDOK && code == BN_CLICKED) {
        if (OnOk()) End(IDOK);
        return;
    }
    if (control == IDCANCEL) {
        End(IDCANCEL);
        return;
    }
    OnCommand(control, code);
}

}  // namespace zr640ui
