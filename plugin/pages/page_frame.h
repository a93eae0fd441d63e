// What every property page of the plug-in shares: its SheetContext kept in the dialog's own
// slot, captions set from the loaded texts at creation and after every reload, its section
// reloaded on every paint, and tooltip help attached at creation.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <span>

#include "plugin/localisation/texts.h"
#include "plugin/localisation/tooltip_help.h"

namespace zr640ui {

struct CaptionBinding {
    int control;
    Key text;
};

struct PageDefinition {
    Section section;
    std::span<const CaptionBinding> captions;
    std::span<const HelpBinding> help;  // empty: the page has no tooltip help
};

// The context the page was created with, or null before WM_INITDIALOG stored it.
template <typename Context>
Context* PageContext(HWND page) {
    return reinterpret_cast<Context*>(GetWindowLongPtrW(page, DWLP_USER));
}

// WM_INITDIALOG: stores the context from the page record, sets the captions, attaches help.
void InitPage(HWND page, LPARAM pageRecord, const PageDefinition& definition);

// WM_PAINT: resolves the current string file, reloads the page's section, sets the captions.
// Normal painting goes on afterwards (the caller returns FALSE).
void RefreshPageTexts(HWND page, const PageDefinition& definition);

void SetCaptions(HWND page, std::span<const CaptionBinding> captions);

// Tells the sheet that the page changed a setting.
void NotifyChanged(HWND page);

// A page with nothing of its own beyond the shared behaviour.
INT_PTR HandlePageMessage(HWND page, UINT message, LPARAM lParam, const PageDefinition& definition);

}  // namespace zr640ui
