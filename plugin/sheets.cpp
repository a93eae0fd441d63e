#include "plugin/sheets.h"

#include <cwchar>
#include <set>
#include <string>
#include <vector>

#include "plugin/localisation/language_files.h"
#include "plugin/localisation/texts.h"
#include "plugin/module.h"
#include "plugin/pages/pages.h"
#include "resource.h"
#include "win32/lock.h"

namespace zr640ui {
namespace {

using zr640::text::SheetMask;

constexpr wchar_t kHeaderTitle[] = L"OEM UI Page";

constexpr PageEntry kDocumentPages[] = {
    {"Main", IDD_MAIN_PAGE, Key::Layout_RC_LAYOUTFORM, MainPageProc, MainPageDefinition},
    {"WaterMark", IDD_WATERMARK_PAGE, Key::Watermark_RC_WATERMARKFORM, WatermarkPageProc,
     WatermarkPageDefinition},
    {"Operation", IDD_OPERATION_PAGE, Key::Operation_RC_OPERATIONFORM, OperationPageProc,
     OperationPageDefinition},
    {"Code1D", IDD_CODE1D_PAGE, Key::Code1D_RC_1DCODEFORM, Code1DPageProc, Code1DPageDefinition},
    {"Code2D", IDD_CODE2D_PAGE, Key::Code2D_RC_2DCODEFORM, Code2DPageProc, Code2DPageDefinition},
    {"DocumentVersion", IDD_VERSION_PAGE, Key::Version_RC_VERSIONFORM, DocumentVersionPageProc,
     VersionPageDefinition},
};

constexpr PageEntry kDevicePages[] = {
    {"Utility", IDD_UTILITY_PAGE, Key::Utility_RC_UTILITYFORM, UtilityPageProc,
     UtilityPageDefinition},
    {"Download", IDD_DOWNLOAD_PAGE, Key::Download_RC_DOWNLOADFORM, DownloadPageProc,
     DownloadPageDefinition},
    {"Font", IDD_FONT_PAGE, Key::Font_RC_FONTFORM, FontPageProc, FontPageDefinition},
    {"DeviceVersion", IDD_VERSION_PAGE, Key::Version_RC_VERSIONFORM, DeviceVersionPageProc,
     VersionPageDefinition},
};

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
    case PROPSHEETUI_REASON_DESTROY: info->Result = 1; break;
    case PROPSHEETUI_REASON_SET_RESULT: {
        const auto* result = reinterpret_cast<const SETRESULT_INFO*>(lParam);
        if (result != nullptr) info->Result = static_cast<ULONG_PTR>(result->Result);
        break;
    }
    case PROPSHEETUI_REASON_GET_ICON: info->Result = 0; break;
    default:  // including the notice newer hosts send before initialisation
        break;
    }
}

PROPSHEETPAGEW PageRecord(const PageEntry& page, void* context) {
    PROPSHEETPAGEW record = {};
    record.dwSize = sizeof record;
    record.dwFlags = PSP_USETITLE;
    const HANDLE activation = ActivationContext();
    if (activation != nullptr && activation != INVALID_HANDLE_VALUE) {
        record.dwFlags |= PSP_USEFUSIONCONTEXT;
        record.hActCtx = activation;
    }
    record.hInstance = ModuleInstance();
    record.pszTemplate = MAKEINTRESOURCEW(page.dialogTemplate);
    record.pszTitle = Text(page.title);
    record.pfnDlgProc = page.procedure;
    record.lParam = reinterpret_cast<LPARAM>(context);
    return record;
}

// Adds the pages in order; the handle of each added page is kept, the last one returned.
template <typename Context>
LONG_PTR AddPages(std::span<const PageEntry> pages, Context& context) {
    LONG_PTR last = 0;
    for (const PageEntry& page : pages) {
        PROPSHEETPAGEW record = PageRecord(page, &context);
        last = context.pfnComPropSheet(context.hComPropSheet, CPSFUNC_ADD_PROPSHEETPAGEW,
                                       reinterpret_cast<LPARAM>(&record), 0);
        context.hLastPage = reinterpret_cast<HANDLE>(last);
    }
    return last;
}

// The relabelled density texts belong to the plug-in: interned here and never freed while
// the module is loaded, so the driver's option items can point at them for as long as any
// sheet shows them; repeated relabelling reuses the same strings.
const wchar_t* Interned(std::wstring text) {
    static zr640::win::Lock lock;
    static std::set<std::wstring> texts;  // node-based: a text's address never moves
    const zr640::win::Exclusive hold(lock);
    return texts.insert(std::move(text)).first->c_str();
}

bool NamesDensity(const OPTITEM& item) {
    if (item.DMPubID != DMPUB_NONE || item.Level != 2 || item.pOptType == nullptr ||
        item.pOptType->Count == 0 || item.pOptType->pOptParam == nullptr) {
        return false;
    }
    const auto* first = reinterpret_cast<const wchar_t*>(item.pOptType->pOptParam[0].pData);
    if (first == nullptr || reinterpret_cast<ULONG_PTR>(first) <= 0xFFFF)
        return false;  // a resource id
    return std::wcsstr(first, L"Density") != nullptr ||
           std::wcsstr(first, L"\u6D53\u5EA6") != nullptr ||
           std::wcsstr(first, L"\u6FC3\u5EA6") != nullptr;
}

}  // namespace

std::span<const PageEntry> DocumentSheetPages() { return kDocumentPages; }
std::span<const PageEntry> DeviceSheetPages() { return kDevicePages; }

void RelabelDensity(oem::OEMCUIPPARAM* common, IPrintOemDriverUI* driverUi) {
    if (common == nullptr || common->pDrvOptItems == nullptr) return;
    for (DWORD i = 0; i < common->cDrvOptItems; ++i) {
        OPTITEM& item = common->pDrvOptItems[i];
        if (!NamesDensity(item)) continue;
        item.Flags |= OPTIF_CHANGED;
        item.pName = const_cast<LPWSTR>(Interned(Text(Key::Gpd_RC_DENSITY)));
        for (WORD v = 0; v < item.pOptType->Count; ++v) {
            item.pOptType->pOptParam[v].pData = const_cast<LPWSTR>(
                Interned(std::wstring(Text(Key::Gpd_RC_DENSITY_INDEX)) + std::to_wstring(v)));
        }
        if (driverUi != nullptr)
            driverUi->DrvUpdateUISetting(common->poemuiobj, &item, 0, oem::OEMCUIP_DOCPROP);
    }
}

HRESULT DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam,
                               DocumentSheetContext& context) {
    if (!ValidInfo(info)) return E_FAIL;
    if (info->Reason != PROPSHEETUI_REASON_INIT) {
        HandleCommonReason(info, lParam);
        return S_OK;
    }
    ResolveCurrentStringFile();
    LoadSheetTexts(zr640::text::kDocumentSheet);
    context.hComPropSheet = info->hComPropSheet;
    context.uiParams = reinterpret_cast<oem::OEMUIPSPARAM*>(info->lParamInit);
    context.pfnComPropSheet = info->pfnComPropSheet;
    RelabelDensity(context.commonParams, context.driverUi);
    if (context.pfnComPropSheet != nullptr)
        info->Result = static_cast<ULONG_PTR>(AddPages(kDocumentPages, context));
    return S_OK;
}

namespace {

// Records, for the printer's port, which registry value names its language.
void NoteLanguageForPort(HANDLE printer) {
    std::vector<BYTE> information;
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    if (needed == 0) return;
    information.assign(needed, 0);
    if (!GetPrinterW(printer, 2, information.data(), needed, &needed)) return;
    const auto* level2 = reinterpret_cast<const PRINTER_INFO_2W*>(information.data());
    if (level2->pPortName == nullptr) return;
    const LanguageKey key(LanguageKey::Mode::Write);
    if (key.ok()) key.Write(level2->pPortName, kLanguageValue);
}

}  // namespace

HRESULT DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, DeviceSheetContext& context) {
    if (!ValidInfo(info)) return E_FAIL;
    if (info->Reason != PROPSHEETUI_REASON_INIT) {
        HandleCommonReason(info, lParam);
        return S_OK;
    }
    if (context.commonParams != nullptr && context.commonParams->hPrinter != nullptr) {
        NoteLanguageForPort(context.commonParams->hPrinter);
    }
    ResolveCurrentStringFile();
    LoadSheetTexts(zr640::text::kDeviceSheet);
    context.hComPropSheet = info->hComPropSheet;
    context.pfnComPropSheet = info->pfnComPropSheet;
    if (context.pfnComPropSheet != nullptr)
        info->Result = static_cast<ULONG_PTR>(AddPages(kDevicePages, context));
    return S_OK;
}

}  // namespace zr640ui
