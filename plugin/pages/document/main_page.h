// The Main page's part that other pages use.
#pragma once

#include <windows.h>

#include "plugin/sheet_context.h"

namespace zr640ui {

// Asks the sheet's Main page to check "No" for print-as-graphics at its next activation; the
// Water Mark page raises it when a water mark is removed. The request belongs to the one
// sheet: another printer's sheet never sees it.
void RequestGraphicsReset(DocumentSheetContext& sheet);

}  // namespace zr640ui
