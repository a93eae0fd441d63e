// Re-captioning of the open property sheets after a language change, so both sheets of this
// printer show their tab titles in the new language without being reopened.
#pragma once

#include <windows.h>

#include <string>

namespace zr640ui {

// Pages whose windows the device-sheet pass repaints; each page notes its window while it is
// open (the page framework does it from the page's definition).
enum class NotedPage { Utility, Download, Font, DocumentVersion, DeviceVersion, Count };

void NotePageWindow(NotedPage page, HWND window);
HWND NotedPageWindow(NotedPage page);

// The printer whose sheets are re-captioned; the Main page notes it when it is created.
void NotePrinterName(const wchar_t* name);
const std::wstring& NotedPrinterName();

// Sets tabs 2 to 7 of the document sheet's tab control to the reloaded page titles.
void RecaptionDocumentSheet(HWND sheet);

// Finds this printer's other sheet windows (dialogs whose title holds the printer name, not
// the document sheet) and sets their last four tabs to the device page titles.
void RecaptionOtherSheets(HWND documentSheet);

}  // namespace zr640ui
