// Assembly of the document and device property sheets from the sheet host's callbacks.
#pragma once

#include "plugin/platform/oem_interfaces.h"
#include "plugin/sheet_context.h"

namespace zr640ui {

HRESULT DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam,
                               DocumentSheetContext& context);
HRESULT DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, DeviceSheetContext& context);

// Renames the driver's printer-specific density option and its choices into the current
// language ("Print Density", "Density0".."DensityN-1") and tells the driver.
void RelabelDensity(oem::OEMCUIPPARAM* common, IPrintOemDriverUI* driverUi);

}  // namespace zr640ui
