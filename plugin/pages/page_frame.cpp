#include "plugin/pages/page_frame.h"

#include "plugin/localisation/language_files.h"

namespace zr640ui {

void SetCaptions(HWND page, std::span<const CaptionBinding> captions) {
    for (const CaptionBinding& caption : captions) SetDlgItemTextW(page, caption.control, Text(caption.text));
}

void InitPage(HWND page, LPARAM pageRecord, const PageDefinition& definition) {
    const auto* record = reinterpret_cast<const PROPSHEETPAGEW*>(pageRecord);
    SetWindowLongPtrW(page, DWLP_USER, record != nullptr ? record->lParam : 0);
    SetCaptions(page, definition.captions);
    if (!definition.help.empty()) AttachHelp(page, definition.help);
}

void RefreshPageTexts(HWND page, const PageDefinition& definition) {
    ResolveCurrentStringFile();
    LoadSection(definition.section);
    SetCaptions(page, definition.captions);
}

void NotifyChanged(HWND page) { SendMessageW(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0); }

INT_PTR HandlePageMessage(HWND page, UINT message, LPARAM lParam, const PageDefinition& definition) {
    if (message == WM_INITDIALOG) {
        InitPage(page, lParam, definition);
        return TRUE;
    }
    if (PageContext<void>(page) == nullptr) return FALSE;
    if (message == WM_PAINT) RefreshPageTexts(page, definition);
    return FALSE;
}

}  // namespace zr640ui
