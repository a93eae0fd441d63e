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
#include "plugin/pages/document/main_page_tables.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "plugin/platform/services.h"
#include "plugin/sheet_context.h"
#include "plugin/sheets.h"
#include "resource.h"
#include "win32/wide_text.h"

namespace zr640ui {
namespace {

using zr640::win::WideFromUtf16;

using namespace main_page;  // the page's tables

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

class MainPage final : public DocumentPage {
public:
    explicit MainPage(DocumentSheetContext& context) : DocumentPage(context, kPage) {}

private:
    BOOL OnInitDialog() override;
    void OnCommand(int control, int code) override;
    void OnSetActive() override;
    void OnApply() override;
    void OnApplied() override;
    void OnTextsChanged() override;

    void SelectCurrentForm() const;
    bool GraphicsChoiceFree(const zr640::PrivateDevMode& record) const;
    void LockGraphics() const;
    void FreeGraphicsIfAllowed(const zr640::PrivateDevMode& record) const;
    void ForceGraphics(zr640::PrivateDevMode& record) const;
    void FillLanguages() const;
    void FillPaperSizes(const zr640::PrivateDevMode& record);
    void ShowRecord(const zr640::PrivateDevMode& record) const;
    void StorePaperSize(zr640::PrivateDevMode& record) const;
    void StoreScale(zr640::PrivateDevMode& record) const;
    void ChooseLogFolder(zr640::PrivateDevMode& record) const;
    void StartViewer(const zr640::PrivateDevMode& record) const;
    void StoreLanguage() const;

    // Selects the combo entry whose text is exactly `text`; false when none is.
    bool SelectExact(int combo, const wchar_t* text) const;

    std::vector<LanguageEntry> languages_;
    // The form item's choice index of each paper-combo entry, in combo order (choices whose
    // text is a resource id are not listed, so the two indexes differ).
    std::vector<LONG> paperChoices_;
    bool paperChangedHere_ = false;  // the paper was chosen on this page since the last apply
};

bool MainPage::SelectExact(int combo, const wchar_t* text) const {
    const LRESULT found =
        Send(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
    if (found == CB_ERR) return false;
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(found));
    return true;
}

void MainPage::SelectCurrentForm() const {
    ForEachFormItem(context(), [&](OPTITEM& item) {
        const auto entry = std::find(paperChoices_.begin(), paperChoices_.end(), item.Sel);
        if (entry != paperChoices_.end()) {
            Send(IDC_MAIN_COMBO_PAPERSIZE, CB_SETCURSEL,
                 static_cast<WPARAM>(entry - paperChoices_.begin()));
        }
    });
}

// "Yes" and "No" are free only while zoom is off, the page is not rotated and no water mark
// is set; otherwise everything prints as graphics.
bool MainPage::GraphicsChoiceFree(const zr640::PrivateDevMode& record) const {
    return !Checked(IDC_MAIN_CHECK_ZOOM) && record.bRotate180 == 0 && record.bWatermarkType == 0;
}

void MainPage::LockGraphics() const {
    Check(IDC_MAIN_RADIO_GRAPHICSYES, true);
    Check(IDC_MAIN_RADIO_GRAPHICSNO, false);
    Enable(kGraphicsControls, false);
}

void MainPage::FreeGraphicsIfAllowed(const zr640::PrivateDevMode& record) const {
    Enable(kGraphicsControls, GraphicsChoiceFree(record));
}

// Zoom or rotation forces printing as graphics; the user is told once when that changes.
void MainPage::ForceGraphics(zr640::PrivateDevMode& record) const {
    if (record.bPrintAsImage == 0) {
        Show(kGraphicsInformation);
        record.bPrintAsImage = 1;
    }
    LockGraphics();
}

void MainPage::FillLanguages() const {
    const HWND combo = Item(IDC_MAIN_COMBO_LANGUAGE);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    for (const LanguageEntry& language : languages_) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(language.name.c_str()));
    }
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(SystemLanguageLabel().c_str()));

    const auto current = std::find_if(
        languages_.begin(), languages_.end(),
        [](const LanguageEntry& language) { return language.file == CurrentStringFileName(); });
    if (current == languages_.end()) return;
    std::wstring firstRun;
    const LanguageKey key(LanguageKey::Mode::Write);
    if (!key.Read(kFirstRunValue, firstRun)) {
        key.Write(kFirstRunValue, L"TRUE");
        firstRun = L"TRUE";
    }
    const std::wstring& select =
        firstRun.find(L"TRUE") != std::wstring::npos ? current->systemLabel : current->name;
    SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(select.c_str()));
}

void MainPage::FillPaperSizes(const zr640::PrivateDevMode& record) {
    const HWND combo = Item(IDC_MAIN_COMBO_PAPERSIZE);
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    paperChoices_.clear();
    bool listed = false;  // the choices of the first form item are the list
    ForEachFormItem(context(), [&](OPTITEM& item) {
        if (listed) return;
        listed = true;
        for (LONG i = 0; item.pOptType != nullptr && i < item.pOptType->Count; ++i) {
            if (const wchar_t* text = ChoiceText(item, i)) {
                SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
                paperChoices_.push_back(i);
            }
        }
    });
    const std::u16string_view stored =
        zr640::FieldText(record.wszPaperName, std::size(record.wszPaperName));
    if (stored.empty() || !SelectExact(IDC_MAIN_COMBO_PAPERSIZE, WideFromUtf16(stored).c_str()))
        SelectCurrentForm();
}

void MainPage::ShowRecord(const zr640::PrivateDevMode& record) const {
    CheckRadioButton(window(), IDC_MAIN_RADIO_ROTATENORMAL, IDC_MAIN_RADIO_ROTATE180,
                     record.bRotate180 ? IDC_MAIN_RADIO_ROTATE180 : IDC_MAIN_RADIO_ROTATENORMAL);
    Send(IDC_MAIN_EDIT_SCALE, EM_LIMITTEXT, 3);
    Send(IDC_MAIN_SPIN_SCALE, UDM_SETRANGE32, kScaleLowest, kSpinHighest);
    Send(IDC_MAIN_SPIN_SCALE, UDM_SETPOS32, 0, record.bZoomScale);
    Check(IDC_MAIN_CHECK_LOG, record.bDriverLog != 0);
    Enable(kLogControls, record.bDriverLog != 0);
    Send(IDC_MAIN_EDIT_LOG, EM_SETREADONLY, TRUE);
    SetText(IDC_MAIN_EDIT_LOG,
            WideFromUtf16(zr640::FieldText(record.wszLogFolder, std::size(record.wszLogFolder))));
    Check(IDC_MAIN_CHECK_ZOOM, record.bZoom != 0);
    Enable(kScaleControls, record.bZoom != 0);
    CheckRadioButton(window(), IDC_MAIN_RADIO_GRAPHICSYES, IDC_MAIN_RADIO_GRAPHICSNO,
                     record.bPrintAsImage ? IDC_MAIN_RADIO_GRAPHICSYES : IDC_MAIN_RADIO_GRAPHICSNO);
    FreeGraphicsIfAllowed(record);
}

BOOL MainPage::OnInitDialog() {
    languages_ = RefreshLanguageList();
    FillLanguages();
    if (const zr640::PrivateDevMode* record = context().Record()) {
        FillPaperSizes(*record);
        ShowRecord(*record);
    }
    return TRUE;
}

// The paper choice goes to the driver's form items and into the record.
void MainPage::StorePaperSize(zr640::PrivateDevMode& record) const {
    const LRESULT selection = Send(IDC_MAIN_COMBO_PAPERSIZE, CB_GETCURSEL);
    if (selection == CB_ERR || static_cast<size_t>(selection) >= paperChoices_.size()) return;
    const LONG choice = paperChoices_[static_cast<size_t>(selection)];
    const DocumentSheetContext& sheet = context();
    ForEachFormItem(sheet, [&](OPTITEM& item) {
        item.Sel = choice;
        item.Flags |= OPTIF_CHANGED;
        if (sheet.driverUi != nullptr) {
            sheet.driverUi->DrvUpdateUISetting(sheet.commonParams->poemuiobj, &item, 0,
                                               oem::OEMCUIP_DOCPROP);
        }
    });
    std::fill(std::begin(record.wszPaperName), std::end(record.wszPaperName), u'\0');
    const auto length = static_cast<size_t>(
        Send(IDC_MAIN_COMBO_PAPERSIZE, CB_GETLBTEXTLEN, static_cast<WPARAM>(selection)));
    std::wstring text(length + 1, L'\0');
    Send(IDC_MAIN_COMBO_PAPERSIZE, CB_GETLBTEXT, static_cast<WPARAM>(selection),
         reinterpret_cast<LPARAM>(text.data()));
    const size_t kept = std::min({length, kPaperNameKept, text.size()});
    std::copy_n(text.begin(), kept, record.wszPaperName);
}

void MainPage::StoreScale(zr640::PrivateDevMode& record) const {
    record.bZoomScale = static_cast<uint8_t>(kScale.Read(window(), ClampMoment::Leaving));
}

// A folder longer than the record's field would be stored cut, which is a different folder
// from the one chosen: it is refused and the user told why; the old folder stays.
void MainPage::ChooseLogFolder(zr640::PrivateDevMode& record) const {
    std::wstring folder;
    if (!Platform().BrowseForFolder(window(), folder)) return;
    const std::u16string wide(folder.begin(), folder.end());
    if (!zr640::StoreFieldText(record.wszLogFolder, std::size(record.wszLogFolder), wide)) {
        Show(kFolderTooLong);
        return;
    }
    SetText(IDC_MAIN_EDIT_LOG, folder);
    NotifyChanged();
}

void MainPage::StartViewer(const zr640::PrivateDevMode& record) const {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring program = std::wstring(system, std::min<size_t>(3, std::wcslen(system))) +
                                 L"RZKDriverlog\\RZKDriverlogViewer.exe";
    const std::wstring folder =
        WideFromUtf16(zr640::FieldText(record.wszLogFolder, std::size(record.wszLogFolder)));
    const std::wstring parameters = L"\"ZR640\" \"" + folder + L"\"";
    const ShellStart start = Platform().StartProgram(program.c_str(), parameters.c_str());
    if (!start.started && start.lastError == ERROR_FILE_NOT_FOUND) Show(kViewerMissing);
}

void MainPage::OnCommand(int control, int code) {
    zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr) return;
    switch (control) {
    case IDC_MAIN_CHECK_ZOOM:
        if (Checked(IDC_MAIN_CHECK_ZOOM)) {
            Enable(kScaleControls, true);
            ForceGraphics(*record);
            record->bZoom = 1;
        } else {
            record->bZoom = 0;
            FreeGraphicsIfAllowed(*record);
            Enable(kScaleControls, false);
        }
        break;
    case IDC_MAIN_RADIO_ROTATE180:
        ForceGraphics(*record);
        record->bRotate180 = 1;
        break;
    case IDC_MAIN_RADIO_ROTATENORMAL:
        record->bRotate180 = 0;
        FreeGraphicsIfAllowed(*record);
        break;
    case IDC_MAIN_RADIO_GRAPHICSYES: record->bPrintAsImage = 1; break;
    case IDC_MAIN_RADIO_GRAPHICSNO:
        // Zoom, rotation or a water mark keep printing as graphics, whoever clicks "No".
        if (!GraphicsChoiceFree(*record)) {
            LockGraphics();
            return;
        }
        record->bPrintAsImage = 0;
        break;
    case IDC_MAIN_EDIT_SCALE:
        if (code != EN_KILLFOCUS) return;
        StoreScale(*record);
        break;
    case IDC_MAIN_COMBO_PAPERSIZE:
        if (code != CBN_SELCHANGE) return;
        StorePaperSize(*record);
        paperChangedHere_ = true;
        break;
    case IDC_MAIN_COMBO_LANGUAGE:
        if (code != CBN_SELCHANGE) return;
        break;  // stored on apply
    case IDC_MAIN_CHECK_LOG:
        record->bDriverLog = Checked(IDC_MAIN_CHECK_LOG) ? 1 : 0;
        Enable(kLogControls, record->bDriverLog != 0);
        break;
    case IDC_MAIN_BUTTON_LOG: ChooseLogFolder(*record); return;
    case IDC_MAIN_BUTTON_VIEWER: StartViewer(*record); return;
    default: return;
    }
    NotifyChanged();
}

void MainPage::OnSetActive() {
    const zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr) return;
    if (GraphicsChoiceFree(*record)) {
        Enable(kGraphicsControls, true);
        if (context().graphicsResetRequested) {
            Check(IDC_MAIN_RADIO_GRAPHICSNO, true);
            Check(IDC_MAIN_RADIO_GRAPHICSYES, false);
            context().graphicsResetRequested = false;
        }
    } else {
        LockGraphics();
    }
    SelectCurrentForm();
}

// The language chosen by name is kept ("FALSE"); the system-language entry keeps following
// the system ("TRUE").
void MainPage::StoreLanguage() const {
    const std::wstring chosen = ControlText(IDC_MAIN_COMBO_LANGUAGE);
    if (!LanguageKey().ok()) return;  // the key is never created here
    for (const LanguageEntry& language : languages_) {
        if (language.name == chosen) RecordLanguageChoice(language.file, false);
        if (language.systemLabel == chosen) RecordLanguageChoice(language.file, true);
    }
}

void MainPage::OnApply() {
    zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr) return;
    record->bRotate180 = Checked(IDC_MAIN_RADIO_ROTATE180) ? 1 : 0;
    // A paper chosen on the driver's own page since stays: the form item is written only for a
    // choice made here.
    if (paperChangedHere_) StorePaperSize(*record);
    paperChangedHere_ = false;
    // A scale typed and applied with Enter never lost the focus.
    if (Checked(IDC_MAIN_CHECK_ZOOM)) StoreScale(*record);
}

void MainPage::OnApplied() {
    if (context().Record() == nullptr) return;
    StoreLanguage();
    const HWND sheet = GetParent(window());
    RecaptionDocumentSheet(sheet);
    RecaptionOtherSheets(sheet);
    InvalidateRect(window(), nullptr, TRUE);
    UpdateWindow(window());
}

// The Main page's reload takes its texts, the shared message texts and the density names; the
// density option follows them.
void MainPage::OnTextsChanged() { RelabelDensity(context().commonParams, context().driverUi); }

}  // namespace

void RequestGraphicsReset(DocumentSheetContext& sheet) { sheet.graphicsResetRequested = true; }

const PageDefinition& MainPageDefinition() { return kPage; }

INT_PTR CALLBACK MainPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<MainPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
