// The Download page: a file sent to the printer as it is, and the logos of its flash memory.
//
// The logo list is kept twice, in step: the list view shows it, and the page's LogoList holds
// the rows' paths, the page's logo format and each row's settings, in the same order. Every
// conversion writes the row's own converted file in the page's scratch folder (under the
// user's temporary folder, never beside the logo); the preview shows it and Download all
// sends it.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>

#include "core/common/scratch_folder.h"
#include "core/imaging/logo_files.h"
#include "core/printer/download_rules.h"
#include "core/printer/logo_commands.h"
#include "core/printer/logo_conversion.h"
#include "plugin/localisation/language_files.h"
#include "plugin/pages/device/file_download.h"
#include "plugin/pages/device/logo_preview.h"
#include "plugin/platform/printer_spooler.h"
#include "plugin/pages/framework/list_view.h"
#include "plugin/pages/device/download_page_tables.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "plugin/platform/services.h"
#include "resource.h"
#include "win32/wide_text.h"
#include "win32/handles.h"

namespace zr640ui {
namespace {

using zr640::win::WideFromUtf16;

using zr640::BitmapLead;
using zr640::LogoFormat;
using zr640::LogoList;
using zr640::LogoRow;
using zr640::LogoSettings;
using LogoPath = std::filesystem::path;

using namespace download;  // the page's tables

const wchar_t* FileFilter() {
    const std::wstring language = CurrentStringFileName();
    if (lstrcmpiW(language.c_str(), kSimplifiedChineseFile) == 0) return kSimplifiedFileFilter;
    if (lstrcmpiW(language.c_str(), kTraditionalChineseFile) == 0) return kTraditionalFileFilter;
    return kEnglishFileFilter;
}

class DownloadPage final : public DevicePage {
public:
    explicit DownloadPage(DeviceSheetContext& context) : DevicePage(context, kPage) {}

private:
    BOOL OnInitDialog() override;
    void OnCommand(int control, int code) override;
    INT_PTR OnNotify(const NMHDR& header) override;
    void OnScroll(HWND control, int code) override;
    bool OnPaint() override;
    void OnTextsChanged() override;
    void OnApplied() override { zr640::RemoveConvertedFiles(logos_); }
    void OnCancel() override { zr640::RemoveConvertedFiles(logos_); }

    HWND List() const { return Item(IDC_DOWNLOAD_LIST_LOGOS); }
    std::optional<size_t> Selected() const { return SelectedRow(List(), logos_.size()); }

    void AppendRow(size_t row, const LogoPath& path) const;
    void Renumber() const;
    void ShowSettings(const LogoSettings& settings) const;
    void ShowSelectedRow() const;
    RECT PreviewArea() const;
    void RepaintPreview() const;
    void EnableAdjustments(bool halftone, bool sliders) const;
    std::optional<LogoPath> PreviewPicture(const LogoRow& row, LogoFormat format) const;

    void OnBrowse() const;
    void OnDownloadFile() const;
    void OnClearAllLogos() const;
    void OnAdd();
    void OnDelete();
    void OnFormat(LogoFormat format);
    void OnHalftone(int32_t halftone);
    void OnDownloadAll() const;
    void OnListNotify(const NMHDR& header) const;
    void OnSliderReleased(const Slider& slider);

    LogoList logos_;
    zr640::ScratchFolder converted_{{}, "ZR640UI-logos"};  // removed with the page
};

// ---- The list view ------------------------------------------------------------------------

void DownloadPage::AppendRow(size_t row, const LogoPath& path) const {
    InsertRow(List(), row, WideFromUtf16(LogoList::IdText(row)));
    SetCell(List(), row, kNameColumn, WideFromUtf16(LogoList::NameText(path)));
    SetCell(List(), row, kPathColumn, path.wstring());
}

void DownloadPage::Renumber() const {
    for (size_t row = 0; row < logos_.size(); ++row)
        SetCell(List(), row, kIdColumn, WideFromUtf16(LogoList::IdText(row)));
}

// ---- Settings controls --------------------------------------------------------------------

void DownloadPage::ShowSettings(const LogoSettings& settings) const {
    kContrast.Show(window(), settings.contrast);
    kBrightness.Show(window(), settings.brightness);
    CheckRadio(window(), kHalftones, std::clamp(settings.halftone, 0, 3));
}

// The format radios act on the list only while a row is selected; the other controls show
// that row's settings.
void DownloadPage::ShowSelectedRow() const {
    const auto row = Selected();
    Enable(kFormatControls, row.has_value());
    if (row) ShowSettings(logos_[*row].settings);
}

// ---- The preview --------------------------------------------------------------------------

RECT DownloadPage::PreviewArea() const {
    const HWND frame = Item(IDC_DOWNLOAD_FRAME_PREVIEW);
    RECT area = {};
    GetClientRect(frame, &area);
    MapWindowPoints(frame, window(), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void DownloadPage::RepaintPreview() const {
    const RECT area = PreviewArea();
    InvalidateRect(window(), &area, TRUE);
    UpdateWindow(window());
}

void DownloadPage::EnableAdjustments(bool halftone, bool sliders) const {
    Enable(kHalftoneControls, halftone);
    Enable(kSliderControls, sliders);
}

// The picture that shows the row in the page's format, converted with the row's settings
// first; enables the adjustments that apply to it. Nothing when the row cannot be shown.
std::optional<LogoPath> DownloadPage::PreviewPicture(const LogoRow& row, LogoFormat format) const {
    if (format == LogoFormat::kOriginal) {
        EnableAdjustments(false, false);
        return row.path;
    }
    const BitmapLead lead = zr640::ReadLogoLead(row.path);
    if (!lead.bitmap) return std::nullopt;
    if (format == LogoFormat::kTransformation) {
        const bool convertible = zr640::MonoConvertible(lead);
        EnableAdjustments(convertible, convertible);
        if (!convertible) return row.path;  // a one-bit logo is shown as it is
    } else {
        if (!zr640::GrayConvertible(lead)) return std::nullopt;
        EnableAdjustments(false, true);
    }
    if (!zr640::ConvertLogo(row, format)) return std::nullopt;
    return row.converted;
}

void DownloadPage::OnTextsChanged() { SetColumnTitles(List(), kColumns); }

// When the preview frame needs painting: the selected logo converted and shown.
bool DownloadPage::OnPaint() {
    const zr640::win::PaintDC paint(window());
    const RECT area = PreviewArea();
    if (!RectVisible(paint.get(), &area)) return true;
    const auto row = Selected();
    const auto picture = row ? PreviewPicture(logos_[*row], logos_.format()) : std::nullopt;
    if (!picture || !DrawPictureFile(paint.get(), area, *picture)) ClearPicture(paint.get(), area);
    return true;
}

// ---- Buttons ------------------------------------------------------------------------------

BOOL DownloadPage::OnInitDialog() {
    Send(IDC_DOWNLOAD_EDIT_FILE, EM_SETREADONLY, TRUE);
    Enable(IDC_DOWNLOAD_BUTTON_BROWSE, true);
    Enable(IDC_DOWNLOAD_BUTTON_DOWNLOAD, false);
    SetUpListView(List(), kColumns);
    CheckRadio(window(), kFormats, static_cast<int>(LogoFormat::kOriginal));
    CheckRadio(window(), kHalftones, 0);
    kContrast.SetUp(window(), 0);
    kBrightness.SetUp(window(), 0);
    Enable(IDC_DOWNLOAD_BUTTON_DOWNLOADALL, false);
    return TRUE;
}

void DownloadPage::OnBrowse() const {
    std::wstring chosen;
    if (!Platform().ChooseFileToOpen(window(), Text(Key::Download_RC_BROWSEBOX), FileFilter(),
                                     chosen))
        return;
    SetText(IDC_DOWNLOAD_EDIT_FILE, chosen);
    Enable(IDC_DOWNLOAD_BUTTON_DOWNLOAD, true);
}

// The chosen file goes to the printer unchanged. A file that cannot be sent says why; a
// spooler failure is not shown (nor is one of Clear All Logos).
void DownloadPage::OnDownloadFile() const {
    const std::wstring path = ControlText(IDC_DOWNLOAD_EDIT_FILE);
    if (path.empty()) return;
    PrinterSpooler spooler(Printer());
    const FileDownloadResult result = DownloadFile(spooler, path);
    if (result.message) Show(*result.message);
}

void DownloadPage::OnClearAllLogos() const { SendRawJob(Printer(), zr640::ClearAllLogosJob()); }

void DownloadPage::OnAdd() {
    if (const auto refusal = zr640::CheckAddLogo(logos_)) {
        Show(*refusal);
        return;
    }
    std::wstring chosen;
    if (!Platform().ChooseFileToOpen(window(), Text(Key::Download_RC_BROWSEBOX), kBitmapFilter,
                                     chosen))
        return;
    const LogoPath logo(chosen);
    const auto lead = zr640::ReadLogoLeadBytes(logo);
    if (!lead) {
        Show(zr640::kDownloadError1);
        return;
    }
    if (const auto refusal = zr640::CheckLogoLead(*lead)) {
        Show(*refusal);
        return;
    }
    LogoRow added = logos_.NewRow(logo, converted_.NewFile("logo", ".bmp"));
    if (!zr640::ConvertNewLogo(added, logos_.format(), zr640::ReadBitmapLead(*lead))) {
        converted_.Remove(added.converted);
        return;
    }
    const size_t row = logos_.size();
    logos_.Add(std::move(added));
    AppendRow(row, logo);
    SetFocus(List());
    Enable(kFormatControls, Selected().has_value());
}

void DownloadPage::OnDelete() {
    const auto row = Selected();
    if (!row) return;
    zr640::RemoveConvertedFile(logos_[*row]);
    logos_.Remove(*row);
    DeleteRow(List(), *row);
    Renumber();
    SetFocus(List());
    ShowSelectedRow();
    RepaintPreview();
}

// A format applies to every row: each gets the format's default settings and, for
// Transformation and Gray, a fresh converted file. A row whose file cannot be converted
// keeps no converted file and does not stop the rows after it.
void DownloadPage::OnFormat(LogoFormat format) {
    if (format != LogoFormat::kOriginal) zr640::RemoveConvertedFiles(logos_);
    logos_.SetFormat(format);
    if (format == LogoFormat::kOriginal) {
        Enable(IDC_DOWNLOAD_BUTTON_DOWNLOADALL, false);
    } else if (!logos_.empty()) {
        Enable(IDC_DOWNLOAD_BUTTON_DOWNLOADALL, true);
    }
    if (logos_.empty() || !Selected()) return;
    const LogoSettings settings = zr640::DefaultLogoSettings(format);
    for (size_t row = 0; row < logos_.size(); ++row) {
        logos_.settings(row) = settings;
        if (format != LogoFormat::kOriginal &&
            zr640::Convertible(zr640::ReadLogoLead(logos_[row].path), format)) {
            zr640::ConvertLogo(logos_[row], format);
        }
    }
    ShowSettings(settings);
}

void DownloadPage::OnHalftone(int32_t halftone) {
    if (const auto row = Selected()) logos_.settings(*row).halftone = halftone;
}

// Download all sends what the rows' settings give: each converted file is written again
// first, so a file removed by Apply or never previewed in this format is not missing.
void DownloadPage::OnDownloadAll() const {
    if (logos_.format() != LogoFormat::kOriginal) {
        for (const LogoRow& row : logos_.rows()) {
            if (zr640::Convertible(zr640::ReadLogoLead(row.path), logos_.format()))
                zr640::ConvertLogo(row, logos_.format());
        }
    }
    const zr640::DownloadAllPlan plan = zr640::PrepareDownloadAll(logos_.format(), logos_.rows());
    if (plan.message) {
        Show(*plan.message);
        return;
    }
    if (plan.job) SendRawJob(Printer(), *plan.job);
}

void DownloadPage::OnCommand(int control, int code) {
    if (code != BN_CLICKED) return;
    switch (control) {
    case IDC_DOWNLOAD_BUTTON_BROWSE: OnBrowse(); return;
    case IDC_DOWNLOAD_BUTTON_DOWNLOAD: OnDownloadFile(); return;
    case IDC_DOWNLOAD_BUTTON_ADD: OnAdd(); return;
    case IDC_DOWNLOAD_BUTTON_DELETE: OnDelete(); return;
    case IDC_DOWNLOAD_BUTTON_DOWNLOADALL: OnDownloadAll(); return;
    case IDC_DOWNLOAD_BUTTON_CLEARALL: OnClearAllLogos(); return;
    default: break;
    }
    if (const auto format = kFormats.IndexOf(control)) {
        OnFormat(static_cast<LogoFormat>(*format));
    } else if (const auto halftone = kHalftones.IndexOf(control)) {
        OnHalftone(static_cast<int32_t>(*halftone));
    } else {
        return;
    }
    RepaintPreview();
}

// ---- Sliders, list and sheet notifications ------------------------------------------------

// While a slider moves, both values go to the selected row and the preview follows.
void DownloadPage::OnScroll(HWND, int code) {
    if (code < TB_LINEUP || code >= TB_ENDTRACK) return;
    const int contrast = kContrast.ShowPosition(window());
    const int brightness = kBrightness.ShowPosition(window());
    const auto row = Selected();
    if (!row) return;
    LogoSettings& settings = logos_.settings(*row);
    settings.contrast = contrast;
    settings.brightness = brightness;
    RepaintPreview();
}

// A slider let go: its value is stored and the sheet told of the change.
void DownloadPage::OnSliderReleased(const Slider& slider) {
    const int value = slider.ShowPosition(window());
    if (const auto row = Selected()) {
        LogoSettings& settings = logos_.settings(*row);
        (&slider == &kContrast ? settings.contrast : settings.brightness) = value;
    }
    NotifyChanged();
    RepaintPreview();
}

// A click, and any change of the selected row (by mouse or keyboard), shows that row.
void DownloadPage::OnListNotify(const NMHDR& header) const {
    if (header.code == NM_CLICK) {
        RepaintPreview();
        ShowSelectedRow();
    } else if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) &&
            ((change.uOldState ^ change.uNewState) & LVIS_SELECTED)) {
            ShowSelectedRow();
        }
        RepaintPreview();
    }
}

INT_PTR DownloadPage::OnNotify(const NMHDR& header) {
    if (header.idFrom == IDC_DOWNLOAD_LIST_LOGOS) {
        OnListNotify(header);
    } else if (header.code == NM_RELEASEDCAPTURE && header.idFrom == IDC_DOWNLOAD_SLIDER_CONTRAST) {
        OnSliderReleased(kContrast);
    } else if (header.code == NM_RELEASEDCAPTURE &&
               header.idFrom == IDC_DOWNLOAD_SLIDER_BRIGHTNESS) {
        OnSliderReleased(kBrightness);
    }
    return FALSE;
}

}  // namespace

const PageDefinition& DownloadPageDefinition() { return kPage; }

INT_PTR CALLBACK DownloadPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<DownloadPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
