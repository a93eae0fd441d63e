// The records every property page receives as its lParam. They live inside the plug-in
// object, so they stay valid while the object lives.
#pragma once

#include "plugin/platform/oem_interfaces.h"

namespace zr640ui {

inline HANDLE const kNoHandle = reinterpret_cast<HANDLE>(~static_cast<ULONG_PTR>(0));

struct DocumentSheetContext {
    HANDLE hComPropSheet = kNoHandle;
    HANDLE hLastPage = kNoHandle;  // from the latest add-page call; used for set-result
    oem::OEMUIPSPARAM* uiParams = nullptr;  // pOEMDM is the settings record
    oem::OEMCUIPPARAM* commonParams = nullptr;  // option items, printer name and handle
    PFNCOMPROPSHEET pfnComPropSheet = nullptr;
    IPrintOemDriverUI* driverUi = nullptr;  // borrowed from the object
};

struct DeviceSheetContext {
    HANDLE hComPropSheet = kNoHandle;
    HANDLE hLastPage = kNoHandle;
    PFNCOMPROPSHEET pfnComPropSheet = nullptr;
    oem::OEMCUIPPARAM* commonParams = nullptr;  // hPrinter for raw jobs
    IPrintOemDriverUI* driverUi = nullptr;
};

}  // namespace zr640ui
