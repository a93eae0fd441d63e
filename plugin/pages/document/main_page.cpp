// The Main page: print-as-graphics, zoom and scale, rotation, paper size, language choice,
// the driver log and the log viewer. Every control writes the settings record at once.
#include "plugin/pages/document/main_page.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "core/common/text.h"
#include "core/settings/private_devmode.h"
#include "plugin/localisation/language_files.h"
#include "plugin/localisation/language_list.h"
#include "plugin/localisation/recaption.h"
#include "plugin/pages/page_frame.h"
#include "plugin/pages/pages.h"
#include "plugin/platform/services.h"
#include "plugin/sheet_context.h"
#include "plugin/sheets.h"
#include "resource.h"

namespace zr640ui {
namespace {

constexpr CaptionBinding kCaptions[] = {
    {IDC_MAIN_GROUP_DOCSETTING, Key::Layout_RC_DOCSETTING},
    {IDC_MAIN_LABEL_PRINTASIMAGE, Key::Layout_RC_PRINT_AS_IMAGE},
    {IDC_MAIN_RADIO_GRAPHICSYES, Key::Layout_RC_RADIO_ASGRAPHICSYES},
    {IDC_MAIN_RADIO_GRAPHICSNO, Key::Layout_RC_RADIO_ASGRAPHICSNO},
    {IDC_MAIN_CHECK_ZOOM, Key::Layout_RC_CHECK_ZOOM},
    {IDC_MAIN_LABEL_SCALE, Key::Layout_RC_SCALE},
    {IDC_MAIN_GROUP_ROTATE, Key::Layout_RC_ROTATE},
    {IDC_MAIN_RADIO_ROTATENORMAL, Key::Layout_RC_RADIO_ROTATENOMAL},
    {IDC_MAIN_RADIO_ROTATE180, Key::Layout_RC_RADIO_ROTATE180},
    {IDC_MAIN_LABEL_PAPERSIZE, Key::Layout_RC_PAPERSIZE},
    {IDC_MAIN_LABEL_LANGUAGE, Key::Layout_RC_LANGUAGE},
    {IDC_MAIN_BUTTON_LOG, Key::Layout_RC_BUTTON_LOG},
    {IDC_MAIN_BUTTON_VIEWER, Key::Layout_RC_BUTTON_VIEWER},
    {IDC_MAIN_CHECK_LOG, Key::Layout_RC_CHECK_LOG},
    {IDC_MAIN_GROUP_LOG, Key::Layout_RC_STATIC_LOG},
};

constexpr HelpBinding kHelp[] = {
    {IDC_MAIN_RADIO_GRAPHICSYES, Key::Layout_CTEXT_RADIO_ASGRAPHICSYES},
    {IDC_MAIN_RADIO_GRAPHICSNO, Key::Layout_CTEXT_RADIO_ASGRAPHICSNO},
    {IDC_MAIN_CHECK_ZOOM, Key::Layout_CTEXT_CHECK_ZOOM},
    {IDC_MAIN_BUTTON_LOG, Key::Layout_CTEXT_BUTTON_LOG},
    {IDC_MAIN_BUTTON_VIEWER, Key::Layout_CTEXT_BUTTON_VIEWER},
    {IDC_MAIN_CHECK_LOG, Key::Layout_CTEXT_CHECK_LOG},
    {IDC_MAIN_EDIT_LOG, Key::Layout_CTEXT_EDIT_LOG},
    {IDC_MAIN_EDIT_SCALE, Key::Layout_CTEXT_SCALE},
    {IDC_MAIN_RADIO_ROTATENORMAL, Key::Layout_CTEXT_RADIO_ROTATENOMAL},
    {IDC_MAIN_RADIO_ROTATE180, Key::Layout_CTEXT_RADIO_ROTATE180},
    {IDC_MAIN_COMBO_PAPERSIZE, Key::Layout_CTEXT_PAPERSIZE},
    {IDC_MAIN_COMBO_LANGUAGE, Key::Layout_CTEXT_LANGUAGE},
};

constexpr PageDefinition kPage = {Section::Layout, kCaptions, kHelp};

constexpr int kScaleLowest = 10;
constexpr int kScaleHighest = 100;
constexpr int kSpinHighest = 200;  // the arrows alone may show up to 200; leaving the edit clamps
constexpr size_t kPaperNameKept = 31;

bool graphicsResetRequested = false;
std::vector<LanguageEntry> languages;

zr640::PrivateDevMode* Record(const DocumentSheetContext& context) {
    if (context.uiParams == nullptr || context.uiParams->pOEMDM == nullptr) return nullptr;
    return static_cast<zr640::PrivateDevMode*>(context.uiParams->pOEMDM);
}

bool Checked(HWND page, int control) { return IsDlgButtonChecked(page, control) == BST_CHECKED; }

void Enable(HWND page, int control, bool enabled) { EnableWindow(GetDlgItem(page, control), enabled); }

// The driver's paper-size items (public identifier DMPUB_FORMNAME).
template <typename Visit>
void ForEachFormItem(const DocumentSheetContext& context, Visit visit) {
    if (context.commonParams == nullptr || context.commonParams->pDrvOptItems == nullptr) return;
    for (DWORD i = 0; i < context.commonParams->cDrvOptItems; ++i) {
        OPTITEM& item = context.commonParams->pDrvOptItems[i];
        if (item.DMPubID == DMPUB_FORMNAME) visit(item);
    }
}

const wchar_t* ChoiceText(const OPTITEM& item, LONG index) {
    if (item.pOptType == nullptr || item.pOptType->pOptParam == nullptr || index < 0 ||
        index >= item.pOptType->Count) {
        return nullptr;
    }
    const auto* text = reinterpret_cast<const wchar_t*>(item.pOptType->pOptParam[index].pData);
    return reinterpret_cast<ULONG_PTR>(text) > 0xFFFF ? text : nullptr;
}

void SelectCurrentForm(HWND page, const DocumentSheetContext& context) {
    ForEachFormItem(context, [&](OPTITEM& item) {
        if (const wchar_t* text = ChoiceText(item, item.Sel)) {
            SendDlgItemMessageW(page, IDC_MAIN_COMBO_PAPERSIZE, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(text));
        }
    });
}

// "Yes" and "No" are free only while zoom is off, the page is not rotated and no water mark
// is set; otherwise everything prints as graphics.
bool GraphicsChoiceFree(HWND page, const zr640::PrivateDevMode& record) {
    return !Checked(page, IDC_MAIN_CHECK_ZOOM) && record.bRotate180 == 0 && record.bWatermarkType == 0;
}

void LockGraphics(HWND page) {
    CheckDlgButton(page, IDC_MAIN_RADIO_GRAPHICSYES, BST_CHECKED);
    CheckDlgButton(page, IDC_MAIN_RADIO_GRAPHICSNO, BST_UNCHECKED);
    Enable(page, IDC_MAIN_RADIO_GRAPHICSYES, false);
    Enable(page, IDC_MAIN_RADIO_GRAPHICSNO, false);
}

void ShowMessage(HWND page, Key text, Key caption, UINT icon) {
    Platform().ShowMessage(page, Text(text), Text(caption), icon);
}

// Zoom or rotation forces printing as graphics; the user is told once when that changes.
void ForceGraphics(HWND page, zr640::PrivateDevMode& record) {
    if (record.bPrintAsImage == 0) {
        ShowMessage(page, Key::MessageBox_MB_LAYOUT_INFORMATION1, Key::MessageBox_MB_INFORMATION,
                    MB_OK | MB_ICONINFORMATION);
        record.bPrintAsImage = 1;
    }
    LockGraphics(page);
}

void EnableScale(HWND page, bool enabled) {
    for (int control : {IDC_MAIN_EDIT_SCALE, IDC_MAIN_SPIN_SCALE, IDC_MAIN_LABEL_SCALE}) Enable(page, control, enabled);
}

void EnableLog(HWND page, bool enabled) {
    for (int control : {IDC_MAIN_EDIT_LOG, IDC_MAIN_BUTTON_LOG, IDC_MAIN_BUTTON_VIEWER}) Enable(page, control, enabled);
}

void FillLanguages(HWND page) {
    const HWND combo = GetDlgItem(page, IDC_MAIN_COMBO_LANGUAGE);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const LanguageEntry& language : languages) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(language.name.c_str()));
    }
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(SystemLanguageLabel().c_str()));

    const auto current = std::find_if(languages.begin(), languages.end(), [](const LanguageEntry& language) {
        return language.file == CurrentStringFileName();
    });
    if (current == languages.end()) return;
    std::wstring firstRun;
    const LanguageKey key;
    if (!key.Read(kFirstRunValue, firstRun)) {
        key.Write(kFirstRunValue, L"TRUE");
        firstRun = L"TRUE";
    }
    const std::wstring& select = firstRun.find(L"TRUE") != std::wstring::npos ? current->systemLabel : current->name;
    SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(select.c_str()));
}

void FillPaperSizes(HWND page, const DocumentSheetContext& context, const zr640::PrivateDevMode& record) {
    const HWND combo = GetDlgItem(page, IDC_MAIN_COMBO_PAPERSIZE);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    ForEachFormItem(context, [&](OPTITEM& item) {
        for (LONG i = 0; item.pOptType != nullptr && i < item.pOptType->Count; ++i) {
            if (const wchar_t* text = ChoiceText(item, i)) {
                SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            }
        }
    });
    const std::u16string_view stored = zr640::FieldText(record.wszPaperName, std::size(record.wszPaperName));
    if (!stored.empty()) {
        const std::wstring name(stored.begin(), stored.end());
        SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    } else {
        SelectCurrentForm(page, context);
    }
}

void ShowRecord(HWND page, const zr640::PrivateDevMode& record) {
    CheckRadioButton(page, IDC_MAIN_RADIO_ROTATENORMAL, IDC_MAIN_RADIO_ROTATE180,
                     record.bRotate180 ? IDC_MAIN_RADIO_ROTATE180 : IDC_MAIN_RADIO_ROTATENORMAL);
    SendDlgItemMessageW(page, IDC_MAIN_EDIT_SCALE, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessageW(page, IDC_MAIN_SPIN_SCALE, UDM_SETRANGE32, kScaleLowest, kSpinHighest);
    SendDlgItemMessageW(page, IDC_MAIN_SPIN_SCALE, UDM_SETPOS32, 0, record.bZoomScale);
    CheckDlgButton(page, IDC_MAIN_CHECK_LOG, record.bDriverLog ? BST_CHECKED : BST_UNCHECKED);
    EnableLog(page, record.bDriverLog != 0);
    SendDlgItemMessageW(page, IDC_MAIN_EDIT_LOG, EM_SETREADONLY, TRUE, 0);
    const std::u16string_view folder = zr640::FieldText(record.wszLogFolder, std::size(record.wszLogFolder));
    SetDlgItemTextW(page, IDC_MAIN_EDIT_LOG, std::wstring(folder.begin(), folder.end()).c_str());
    CheckDlgButton(page, IDC_MAIN_CHECK_ZOOM, record.bZoom ? BST_CHECKED : BST_UNCHECKED);
    EnableScale(page, record.bZoom != 0);
    CheckRadioButton(page, IDC_MAIN_RADIO_GRAPHICSYES, IDC_MAIN_RADIO_GRAPHICSNO,
                     record.bPrintAsImage ? IDC_MAIN_RADIO_GRAPHICSYES : IDC_MAIN_RADIO_GRAPHICSNO);
    const bool free = GraphicsChoiceFree(page, record);
    Enable(page, IDC_MAIN_RADIO_GRAPHICSYES, free);
    Enable(page, IDC_MAIN_RADIO_GRAPHICSNO, free);
}

void OnInitDialog(HWND page, LPARAM lParam) {
    languages = RefreshLanguageList();
    InitPage(page, lParam, kPage);
    auto* context = PageContext<DocumentSheetContext>(page);
    if (context == nullptr) return;
    if (context->commonParams != nullptr) NotePrinterName(context->commonParams->pPrinterName);
    FillLanguages(page);
    zr640::PrivateDevMode* record = Record(*context);
    if (record == nullptr) return;
    FillPaperSizes(page, *context, *record);
    ShowRecord(page, *record);
}

// The paper choice goes to the driver's form items and into the record.
void StorePaperSize(HWND page, DocumentSheetContext& context, zr640::PrivateDevMode& record) {
    const LRESULT selection = SendDlgItemMessageW(page, IDC_MAIN_COMBO_PAPERSIZE, CB_GETCURSEL, 0, 0);
    ForEachFormItem(context, [&](OPTITEM& item) {
        item.Sel = static_cast<LONG>(selection);
        item.Flags |= OPTIF_CHANGED;
        if (context.driverUi != nullptr) {
            context.driverUi->DrvUpdateUISetting(context.commonParams->poemuiobj, &item, 0, oem::OEMCUIP_DOCPROP);
        }
    });
    std::fill(std::begin(record.wszPaperName), std::end(record.wszPaperName), u'\0');
    if (selection == CB_ERR) return;
    const auto length = static_cast<size_t>(
        SendDlgItemMessageW(page, IDC_MAIN_COMBO_PAPERSIZE, CB_GETLBTEXTLEN, static_cast<WPARAM>(selection), 0));
    std::wstring text(length + 1, L'\0');
    SendDlgItemMessageW(page, IDC_MAIN_COMBO_PAPERSIZE, CB_GETLBTEXT, static_cast<WPARAM>(selection),
                        reinterpret_cast<LPARAM>(text.data()));
    const size_t kept = std::min({length, kPaperNameKept, text.size()});
    std::copy_n(text.begin(), kept, record.wszPaperName);
}

void StoreScale(HWND page, zr640::PrivateDevMode& record) {
    BOOL translated = FALSE;
    const int typed = static_cast<int>(GetDlgItemInt(page, IDC_MAIN_EDIT_SCALE, &translated, FALSE));
    const int scale = std::clamp(typed, kScaleLowest, kScaleHighest);
    SendDlgItemMessageW(page, IDC_MAIN_SPIN_SCALE, UDM_SETPOS32, 0, scale);
    record.bZoomScale = static_cast<uint8_t>(scale);
}

// A folder longer than the record's field would be stored cut, which is a different folder
// from the one chosen: it is refused and the user told why; the old folder stays.
void ChooseLogFolder(HWND page, zr640::PrivateDevMode& record) {
    std::wstring folder;
    if (!Platform().BrowseForFolder(page, folder)) return;
    const std::u16string wide(folder.begin(), folder.end());
    if (!zr640::StoreFieldText(record.wszLogFolder, std::size(record.wszLogFolder), wide)) {
        ShowMessage(page, Key::MessageBox_MB_LAYOUT_LOGFOLDER, Key::MessageBox_MB_ERROR, MB_OK | MB_ICONERROR);
        return;
    }
    SetDlgItemTextW(page, IDC_MAIN_EDIT_LOG, folder.c_str());
    NotifyChanged(page);
}

void StartViewer(HWND page, const zr640::PrivateDevMode& record) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring program = std::wstring(system, std::min<size_t>(3, std::wcslen(system))) +
                                 L"RZKDriverlog\\RZKDriverlogViewer.exe";
    const std::u16string_view folder = zr640::FieldText(record.wszLogFolder, std::size(record.wszLogFolder));
    const std::wstring parameters = L"\"ZR640\" \"" + std::wstring(folder.begin(), folder.end()) + L"\"";
    const ShellStart start = Platform().StartProgram(program.c_str(), parameters.c_str());
    if (!start.started && start.lastError == ERROR_FILE_NOT_FOUND) {
        ShowMessage(page, Key::MessageBox_MB_LAYOUT_VIEWER, Key::MessageBox_MB_ERROR, MB_OK);
    }
}

void OnCommand(HWND page, WPARAM wParam) {
    auto* context = PageContext<DocumentSheetContext>(page);
    zr640::PrivateDevMode* record = context != nullptr ? Record(*context) : nullptr;
    if (record == nullptr) return;
    const int control = LOWORD(wParam);
    const int code = HIWORD(wParam);
    switch (control) {
    case IDC_MAIN_CHECK_ZOOM:
        if (Checked(page, IDC_MAIN_CHECK_ZOOM)) {
            EnableScale(page, true);
            ForceGraphics(page, *record);
            record->bZoom = 1;
        } else {
            record->bZoom = 0;
            const bool free = GraphicsChoiceFree(page, *record);
            Enable(page, IDC_MAIN_RADIO_GRAPHICSYES, free);
            Enable(page, IDC_MAIN_RADIO_GRAPHICSNO, free);
            EnableScale(page, false);
        }
        break;
    case IDC_MAIN_RADIO_ROTATE180:
        ForceGraphics(page, *record);
        record->bRotate180 = 1;
        break;
    case IDC_MAIN_RADIO_ROTATENORMAL: {
        record->bRotate180 = 0;
        const bool free = GraphicsChoiceFree(page, *record);
        Enable(page, IDC_MAIN_RADIO_GRAPHICSYES, free);
        Enable(page, IDC_MAIN_RADIO_GRAPHICSNO, free);
        break;
    }
    case IDC_MAIN_RADIO_GRAPHICSYES:
        record->bPrintAsImage = 1;
        break;
    case IDC_MAIN_RADIO_GRAPHICSNO:
        record->bPrintAsImage = 0;
        break;
    case IDC_MAIN_EDIT_SCALE:
        if (code != EN_KILLFOCUS) return;
        StoreScale(page, *record);
        break;
    case IDC_MAIN_COMBO_PAPERSIZE:
        if (code != CBN_SELCHANGE) return;
        StorePaperSize(page, *context, *record);
        break;
    case IDC_MAIN_COMBO_LANGUAGE:
        if (code != CBN_SELCHANGE) return;
        break;  // stored on apply
    case IDC_MAIN_CHECK_LOG:
        record->bDriverLog = Checked(page, IDC_MAIN_CHECK_LOG) ? 1 : 0;
        EnableLog(page, record->bDriverLog != 0);
        break;
    case IDC_MAIN_BUTTON_LOG:
        ChooseLogFolder(page, *record);
        return;
    case IDC_MAIN_BUTTON_VIEWER:
        StartViewer(page, *record);
        return;
    default:
        return;
    }
    NotifyChanged(page);
}

void OnSetActive(HWND page, DocumentSheetContext& context, const zr640::PrivateDevMode& record) {
    if (GraphicsChoiceFree(page, record)) {
        Enable(page, IDC_MAIN_RADIO_GRAPHICSYES, true);
        Enable(page, IDC_MAIN_RADIO_GRAPHICSNO, true);
        if (graphicsResetRequested) {
            CheckDlgButton(page, IDC_MAIN_RADIO_GRAPHICSNO, BST_CHECKED);
            CheckDlgButton(page, IDC_MAIN_RADIO_GRAPHICSYES, BST_UNCHECKED);
            graphicsResetRequested = false;
        }
    } else {
        LockGraphics(page);
    }
    SelectCurrentForm(page, context);
}

// The language chosen by name is kept ("FALSE"); the system-language entry keeps following
// the system ("TRUE").
void StoreLanguage(HWND page) {
    wchar_t chosen[256] = {};
    GetDlgItemTextW(page, IDC_MAIN_COMBO_LANGUAGE, chosen, 256);
    if (!LanguageKey().ok()) return;  // the key is never created here
    for (const LanguageEntry& language : languages) {
        if (language.name == chosen) RecordLanguageChoice(language.file, false);
        if (language.systemLabel == chosen) RecordLanguageChoice(language.file, true);
    }
}

void OnApply(HWND page, DocumentSheetContext& context, zr640::PrivateDevMode& record) {
    record.bRotate180 = Checked(page, IDC_MAIN_RADIO_ROTATE180) ? 1 : 0;
    StorePaperSize(page, context, record);
    if (context.pfnComPropSheet != nullptr) {
        context.pfnComPropSheet(context.hComPropSheet, CPSFUNC_SET_RESULT,
                                reinterpret_cast<LPARAM>(context.hLastPage), CPSUI_OK);
    }
    SendMessageW(GetParent(page), PSM_UNCHANGED, reinterpret_cast<WPARAM>(page), 0);
    StoreLanguage(page);
    const HWND sheet = GetParent(page);
    RecaptionDocumentSheet(sheet);
    RecaptionOtherSheets(sheet);
    InvalidateRect(page, nullptr, TRUE);
    UpdateWindow(page);
}

INT_PTR OnNotify(HWND page, const NMHDR& header) {
    auto* context = PageContext<DocumentSheetContext>(page);
    zr640::PrivateDevMode* record = context != nullptr ? Record(*context) : nullptr;
    if (record == nullptr) return FALSE;
    switch (header.code) {
    case PSN_SETACTIVE:
        OnSetActive(page, *context, *record);
        break;
    case PSN_APPLY:
        OnApply(page, *context, *record);
        SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    default:
        break;
    }
    return FALSE;
}

// Every paint reloads the Main page's texts, the shared message texts and the density names.
void OnPaint(HWND page) {
    auto* context = PageContext<DocumentSheetContext>(page);
    ResolveCurrentStringFile();
    for (Section section : zr640::text::kMainPageReload) LoadSection(section);
    SetCaptions(page, kCaptions);
    if (context != nullptr) RelabelDensity(context->commonParams, context->driverUi);
}

}  // namespace

void RequestGraphicsReset() { graphicsResetRequested = true; }

const PageDefinition& MainPageDefinition() { return kPage; }

INT_PTR CALLBACK MainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        OnInitDialog(page, lParam);
        return TRUE;
    }
    if (PageContext<DocumentSheetContext>(page) == nullptr) return FALSE;
    switch (message) {
    case WM_PAINT:
        OnPaint(page);
        return FALSE;
    case WM_COMMAND:
        OnCommand(page, wParam);
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(page, *reinterpret_cast<const NMHDR*>(lParam));
    default:
        return FALSE;
    }
}

}  // namespace zr640ui
