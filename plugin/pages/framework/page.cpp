#include "plugin/pages/framework/page.h"

#include "plugin/localisation/language_files.h"

namespace zr640ui {

BOOL PropertyPage::Initialise() {
    const wchar_t* printer =
        sheet_.commonParams != nullptr ? sheet_.commonParams->pPrinterName : nullptr;
    NotePage(window(), printer, deviceSheet_);
    shownTexts_ = TextGeneration();
    SetTexts(window(), definition_.captions);
    for (const ChoiceList& list : definition_.lists) list.Fill(window());
    const BOOL result = OnInitDialog();
    OnTextsChanged();
    if (AttachesHelp()) OfferHelp(definition_.help);
    return result;
}

void PropertyPage::ReloadTexts() {
    ResolveCurrentStringFile();
    if (definition_.reload.empty()) {
        LoadSection(definition_.section);
    } else {
        LoadSections(definition_.reload);
    }
    // The buffers are shared by every page of both sheets: a change loaded by another page
    // since this one last set its captions counts too.
    const uint32_t loaded = TextGeneration();
    if (loaded == shownTexts_) return;
    shownTexts_ = loaded;
    SetTexts(window(), definition_.captions);
    for (const ChoiceList& list : definition_.lists) list.Refill(window());
    OnTextsChanged();
}

void PropertyPage::BeforePaint() { ReloadTexts(); }

void PropertyPage::NotifyChanged() const {
    SendMessageW(GetParent(window()), PSM_CHANGED, reinterpret_cast<WPARAM>(window()), 0);
}

void PropertyPage::ReportApplied() const {
    if (sheet_.pfnComPropSheet != nullptr) {
        sheet_.pfnComPropSheet(sheet_.hComPropSheet, CPSFUNC_SET_RESULT,
                               reinterpret_cast<LPARAM>(sheet_.hLastPage), CPSUI_OK);
    }
    SendMessageW(GetParent(window()), PSM_UNCHANGED, reinterpret_cast<WPARAM>(window()), 0);
}

INT_PTR PropertyPage::Notify(const NMHDR& header) {
    switch (header.code) {
    case PSN_SETACTIVE:
        cancelled_ = false;
        OnSetActive();
        return OnNotify(header);
    case PSN_APPLY:
        applyWithheld_ = false;
        OnApply();
        if (!applyWithheld_) {
            ReportApplied();
            OnApplied();
        }
        return Answer(PSNRET_NOERROR);
    case PSN_QUERYCANCEL:  // reaches the showing page only
        if (!cancelled_) OnCancel();
        cancelled_ = true;
        return Answer(FALSE);  // the cancel goes on
    case PSN_RESET:            // every page that was created
        if (!cancelled_) OnCancel();
        cancelled_ = true;
        return FALSE;
    default: return OnNotify(header);
    }
}

void PropertyPage::Destroying() { ForgetPage(window()); }

INT_PTR PropertyPage::OtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RecaptionMessage()) {
        RecaptionDeviceSheetOf(window());
        return TRUE;
    }
    return OnMessage(message, wParam, lParam);
}

}  // namespace zr640ui
