// Assembly of the document and device property sheets from the sheet host's callbacks.
#pragma once

#include <span>

#include "plugin/localisation/texts.h"
#include "plugin/platform/oem_interfaces.h"
#include "plugin/sheet_context.h"

namespace zr640ui {

struct PageDefinition;

// A page of the plug-in's sheets: its template, its tab title, its dialog procedure and its
// captions and help (for the code that checks them).
struct PageEntry {
    const char* name;
    WORD dialogTemplate;
    Key title;
    DLGPROC procedure;
    const PageDefinition& (*definition)();
};

// The pages of each sheet, in the order of their tabs after the driver's own pages: the one
// list the sheets add, the re-captioning titles and the tests walk.
std::span<const PageEntry> DocumentSheetPages();
std::span<const PageEntry> DeviceSheetPages();

HRESULT DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam,
                               DocumentSheetContext& context);
HRESULT DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, DeviceSheetContext& context);

// Renames the driver's printer-specific density option and its choices into the current
// language ("Print Density", "Density0".."DensityN-1") and tells the driver.
void RelabelDensity(oem::OEMCUIPPARAM* common, IPrintOemDriverUI* driverUi);

}  // namespace zr640ui
