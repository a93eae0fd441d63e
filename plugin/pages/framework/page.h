// A property page of either sheet: a small class over DialogObject whose tables (captions,
// tooltip help, lists) and handlers make the page. The template procedure PageProc<Page>
// does the shared work: the object made at WM_INITDIALOG from the page record's context,
// captions set, tooltip help offered after the page's own initialisation (attached at the first
// mouse move, it stands in front of any subclass the page adds), the window noted for
// re-captioning, texts and lists reloaded before every paint, and apply reported to the sheet
// in one place.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <span>
#include <type_traits>

#include "plugin/localisation/recaption.h"
#include "plugin/localisation/texts.h"
#include "plugin/pages/framework/controls.h"
#include "plugin/pages/framework/dialog.h"
#include "plugin/sheet_context.h"

namespace zr640ui {

struct PageDefinition {
    Section section;
    std::span<const TextBinding> captions;
    std::span<const TextBinding> help;       // empty: the page has no tooltip help
    std::span<const ChoiceList> lists = {};  // refilled after every reload
    // Reloaded before every paint; empty: the page's own section.
    std::span<const Section> reload = {};
};

// The part of every page that does not depend on the sheet.
class PropertyPage : public DialogObject {
public:
    PropertyPage(SheetContextBase& sheet, const PageDefinition& definition, bool deviceSheet)
        : sheet_(sheet), definition_(definition), deviceSheet_(deviceSheet) {}

    const PageDefinition& definition() const { return definition_; }

protected:
    // PSN_SETACTIVE: the page is about to show.
    virtual void OnSetActive() {}
    // PSN_APPLY: store what the page keeps. The sheet is told of success afterwards
    // (CPSUI_OK through CPSFUNC_SET_RESULT, then PSM_UNCHANGED), then OnApplied runs.
    virtual void OnApply() {}
    virtual void OnApplied() {}
    // The sheet is cancelled (once, whether this page is showing or not).
    virtual void OnCancel() {}
    // After the captions and lists show texts that a reload changed, and once after
    // OnInitDialog: whatever else the page shows from its texts (column titles, tree items).
    virtual void OnTextsChanged() {}
    // Asked after OnInitDialog: false leaves the page without its tooltip help (a page whose
    // set-up failed half-way).
    virtual bool AttachesHelp() const { return true; }

    // Tells the sheet that the page changed a setting (enables Apply).
    void NotifyChanged() const;
    // The driver's printer handle for raw jobs, or null.
    HANDLE Printer() const {
        return sheet_.commonParams != nullptr ? sheet_.commonParams->hPrinter : nullptr;
    }
    // Reloads the texts, as before a paint; captions and lists are set again only when the
    // texts changed since they were last set.
    void ReloadTexts();
    // From OnApply: what the page had to write could not be written. The sheet is not told
    // of success for this apply (no CPSUI_OK, the page stays changed) and OnApplied does not
    // run; the apply itself goes on.
    void WithholdApplyResult() { applyWithheld_ = true; }

private:
    BOOL Initialise() final;
    void BeforePaint() final;
    INT_PTR Notify(const NMHDR& header) final;
    void Command(int control, int code) final { OnCommand(control, code); }
    void Destroying() final;
    INT_PTR OtherMessage(UINT message, WPARAM wParam, LPARAM lParam) final;
    bool OwnedByWindow() const final { return true; }

    void ReportApplied() const;

    SheetContextBase& sheet_;
    const PageDefinition& definition_;
    bool deviceSheet_;
    bool cancelled_ = false;
    bool applyWithheld_ = false;
    uint32_t shownTexts_ = 0;  // TextGeneration() when the captions and lists were last set
};

// A page of one sheet, with that sheet's context.
template <typename Context>
class SheetPage : public PropertyPage {
public:
    SheetPage(Context& context, const PageDefinition& definition)
        : PropertyPage(context, definition, std::is_same_v<Context, DeviceSheetContext>),
          context_(context) {}

    Context& context() const { return context_; }

private:
    Context& context_;
};

using DocumentPage = SheetPage<DocumentSheetContext>;
using DevicePage = SheetPage<DeviceSheetContext>;

// The dialog procedure of a page class. Page is constructed from its sheet's context; a page
// record without a context gets no object, and the window then does nothing.
template <typename Page>
INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DialogObject::Dispatch(
        window, message, wParam, lParam, [](LPARAM record) -> DialogObject* {
            const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(record);
            using Context = std::remove_reference_t<decltype(std::declval<Page&>().context())>;
            auto* context = page != nullptr ? reinterpret_cast<Context*>(page->lParam) : nullptr;
            return context != nullptr ? new Page(*context) : nullptr;
        });
}

}  // namespace zr640ui
