#include "plugin/sheets.h"

namespace zr640ui {
namespace {

constexpr wchar_t kHeaderTitle[] = L"OEM UI Page";

bool ValidInfo(PPROPSHEETUI_INFO info) {
    // Newer hosts announce the sheet before initialising it, before the block carries its
    // version; the notice needs no answer.
    if (info != nullptr && info->Reason == oem::PROPSHEETUI_REASON_BEFORE_INIT) return true;
    if (info == nullptr || info->Version != PROPSHEETUI_INFO_VERSION) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

// Reasons after initialisation are the same for both sheets.
void HandleCommonReason(PPROPSHEETUI_INFO info, LPARAM lParam) {
    switch (info->Reason) {
    case PROPSHEETUI_REASON_GET_INFO_HEADER: {
        auto* header = reinterpret_cast<PPROPSHEETUI_INFO_HEADER>(lParam);
        if (header != nullptr) header->pTitle = const_cast<LPWSTR>(kHeaderTitle);
        info->Result = 1;
        break;
    }
    case PROPSHEETUI_REASON_DESTROY:
        info->Result = 1;
        break;
    case PROPSHEETUI_REASON_SET_RESULT: {
        const auto* result = reinterpret_cast<const SETRESULT_INFO*>(lParam);
        if (result != nullptr) info->Result = static_cast<ULONG_PTR>(result->Result);
        break;
    }
    case PROPSHEETUI_REASON_GET_ICON:
        info->Result = 0;
        break;
    default:  // including the notice newer hosts send before initialisation
        break;
    }
}

}  // namespace

HRESULT DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, DocumentSheetContext& context) {
    if (!ValidInfo(info)) return E_FAIL;
    if (info->Reason != PROPSHEETUI_REASON_INIT) {
        HandleCommonReason(info, lParam);
        return S_OK;
    }
    context.hComPropSheet = info->hComPropSheet;
    context.uiParams = reinterpret_cast<oem::OEMUIPSPARAM*>(info->lParamInit);
    context.pfnComPropSheet = info->pfnComPropSheet;
    return S_OK;
}

HRESULT DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, DeviceSheetContext& context) {
    if (!ValidInfo(info)) return E_FAIL;
    if (info->Reason != PROPSHEETUI_REASON_INIT) {
        HandleCommonReason(info, lParam);
        return S_OK;
    }
    context.hComPropSheet = info->hComPropSheet;
    context.pfnComPropSheet = info->pfnComPropSheet;
    return S_OK;
}

}  // namespace zr640ui
