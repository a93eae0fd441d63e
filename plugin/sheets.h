// Assembly of the document and device property sheets from the sheet host's callbacks.
#pragma once

#include "plugin/platform/oem_interfaces.h"
#include "plugin/sheet_context.h"

namespace zr640ui {

HRESULT DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, DocumentSheetContext& context);
HRESULT DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, DeviceSheetContext& context);

}  // namespace zr640ui
