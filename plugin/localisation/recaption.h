// Re-captioning of the open property sheets after a language change, so both sheets of this
// printer show their tab titles in the new language without being reopened.
//
// Only sheets of this module in this process are touched: every page notes its window while
// it is open, with its printer and sheet kind, and the noted pages lead to their sheets. A
// sheet on another thread is asked, by a posted message, to re-caption itself on its own
// thread; nothing is sent to a window of another process.
#pragma once

#include <windows.h>

namespace zr640ui {

// A page window from WM_INITDIALOG to WM_DESTROY, with its printer and sheet kind.
void NotePage(HWND page, const wchar_t* printer, bool deviceSheet);
void ForgetPage(HWND page);

// Sets the tabs of the document sheet's pages (the last ones of its tab control) to the
// reloaded page titles.
void RecaptionDocumentSheet(HWND sheet);

// Sets the tabs of the device pages of this printer's device sheets (those with a noted page;
// the printer matched exactly) to the reloaded page titles and repaints their pages.
void RecaptionOtherSheets(HWND documentSheet);

// The message a page posted by RecaptionOtherSheets handles on its own thread.
UINT RecaptionMessage();
// Re-captions the device sheet of the page and repaints the sheet's pages.
void RecaptionDeviceSheetOf(HWND page);

}  // namespace zr640ui
