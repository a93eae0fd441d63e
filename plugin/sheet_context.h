// The records every property page receives as its lParam. They live inside the plug-in
// object, so they stay valid while the object lives; what belongs to one sheet (rather than
// to one page or to the whole module) is kept here.
#pragma once

#include "core/settings/private_devmode.h"
#include "plugin/platform/oem_interfaces.h"

namespace zr640ui {

inline HANDLE const kNoHandle = reinterpret_cast<HANDLE>(~static_cast<ULONG_PTR>(0));

// What both sheets have: the host's sheet and the driver's common parameters.
struct SheetContextBase {
    HANDLE hComPropSheet = kNoHandle;
    HANDLE hLastPage = kNoHandle;  // from the latest add-page call; used for set-result
    PFNCOMPROPSHEET pfnComPropSheet = nullptr;
    oem::OEMCUIPPARAM* commonParams = nullptr;  // option items, printer name and handle
    IPrintOemDriverUI* driverUi = nullptr;      // borrowed from the object
};

struct DocumentSheetContext : SheetContextBase {
    oem::OEMUIPSPARAM* uiParams = nullptr;  // pOEMDM is the settings record

    // The settings record the sheet edits; null until the driver has handed it over.
    zr640::PrivateDevMode* Record() const {
        return uiParams != nullptr ? static_cast<zr640::PrivateDevMode*>(uiParams->pOEMDM)
                                   : nullptr;
    }

    // Raised by the Water Mark page when a water mark is removed: the Main page of this
    // sheet checks "No" for print-as-graphics at its next activation, once.
    bool graphicsResetRequested = false;
};

struct DeviceSheetContext : SheetContextBase {};  // hPrinter (in commonParams) for raw jobs

}  // namespace zr640ui
