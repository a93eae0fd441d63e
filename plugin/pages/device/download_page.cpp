// The Download page: a file sent to the printer as it is, and the logos of its flash memory.
//
// The logo list is kept twice, in step: the list view shows it, and a LogoList per page holds
// the rows' paths, the page's logo format and each row's settings, in the same order. Every
// conversion writes the row's converted file beside the logo; the preview shows it and
// Download all sends it.
#include <windows.h>

#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

#include "core/imaging/logo_files.h"
#include "core/printer/download_rules.h"
#include "core/printer/logo_commands.h"
#include "plugin/localisation/language_files.h"
#include "plugin/localisation/recaption.h"
#include "plugin/pages/device/logo_preview.h"
#include "plugin/pages/device/printer_spooler.h"
#include "plugin/pages/page_frame.h"
#include "plugin/pages/pages.h"
#include "plugin/platform/gdi_handles.h"
#include "plugin/platform/services.h"
#include "plugin/sheet_context.h"
#include "resource.h"

namespace zr640ui {
namespace {

using zr640::BitmapLead;
using zr640::LogoFormat;
using zr640::LogoList;
using zr640::LogoRow;
using zr640::LogoSettings;
using LogoPath = std::filesystem::path;

// Not captions: RC_LOGOID, RC_LOGONAME and RC_LOGOPATH are the logo list's column titles and
// go with the list (renamed on every reload); RC_BROWSEBOX titles the page's file dialogs.
constexpr CaptionBinding kCaptions[] = {
    {IDC_DOWNLOAD_GROUP_FILE, Key::Download_RC_STATIC_FWDOWNLOAD},
    {IDC_DOWNLOAD_LABEL_INFO, Key::Download_RC_STATIC_DOWN_INFO},
    {IDC_DOWNLOAD_BUTTON_BROWSE, Key::Download_RC_BROWSE_FIREWARE},
    {IDC_DOWNLOAD_BUTTON_DOWNLOAD, Key::Download_RC_DOWNLOAD_FIREWARE},
    {IDC_DOWNLOAD_GROUP_LOGO, Key::Download_RC_STATIC_LOGODOWNLOAD},
    {IDC_DOWNLOAD_GROUP_FORMAT, Key::Download_RC_STATIC_PREVIEW},
    {IDC_DOWNLOAD_GROUP_HALFTONE, Key::Download_RC_STATIC_HALFTONE},
    {IDC_DOWNLOAD_GROUP_ADJUST, Key::Download_RC_STATIC_CONANDBRIGHT},
    {IDC_DOWNLOAD_RADIO_ORIGINAL, Key::Download_RC_ORIGINAL},
    {IDC_DOWNLOAD_RADIO_MONO, Key::Download_RC_MONO},
    {IDC_DOWNLOAD_RADIO_GRAY, Key::Download_RC_GRAY},
    {IDC_DOWNLOAD_RADIO_NONE, Key::Download_RC_NONE},
    {IDC_DOWNLOAD_RADIO_DITHERM3, Key::Download_RC_DITHERM3},
    {IDC_DOWNLOAD_RADIO_DITHERM4, Key::Download_RC_DITHERM4},
    {IDC_DOWNLOAD_RADIO_DIFFUSE, Key::Download_RC_DIFFUSE},
    {IDC_DOWNLOAD_LABEL_CONTRAST, Key::Download_RC_STATIC_CONTRA},
    {IDC_DOWNLOAD_LABEL_BRIGHTNESS, Key::Download_RC_STATIC_BRIGHT},
    {IDC_DOWNLOAD_BUTTON_ADD, Key::Download_RC_LOGO_ADD},
    {IDC_DOWNLOAD_BUTTON_DELETE, Key::Download_RC_LOGO_DELETE},
    {IDC_DOWNLOAD_BUTTON_DOWNLOADALL, Key::Download_RC_LOGO_DOWNLOAD},
    {IDC_DOWNLOAD_BUTTON_CLEARALL, Key::Download_RC_LOGO_CLEARALLLOGOS},
    {IDC_DOWNLOAD_LABEL_NOTICE, Key::Download_RC_STATIC_DOWNOWNLOAD_NOTICE},
};

constexpr HelpBinding kHelp[] = {
    {IDC_DOWNLOAD_EDIT_FILE, Key::Download_CTEXT_EDIT_FIREWARE},
    {IDC_DOWNLOAD_BUTTON_BROWSE, Key::Download_CTEXT_BROWSE_FIREWARE},
    {IDC_DOWNLOAD_BUTTON_DOWNLOAD, Key::Download_CTEXT_DOWNLOAD_FIREWARE},
    {IDC_DOWNLOAD_LIST_LOGOS, Key::Download_CTEXT_LIST_LOGO},
    {IDC_DOWNLOAD_RADIO_ORIGINAL, Key::Download_CTEXT_ORIGINAL},
    {IDC_DOWNLOAD_RADIO_MONO, Key::Download_CTEXT_MONO},
    {IDC_DOWNLOAD_RADIO_GRAY, Key::Download_CTEXT_GRAY},
    {IDC_DOWNLOAD_RADIO_NONE, Key::Download_CTEXT_NONE},
    {IDC_DOWNLOAD_RADIO_DITHERM3, Key::Download_CTEXT_DITHERM3},
    {IDC_DOWNLOAD_RADIO_DITHERM4, Key::Download_CTEXT_DITHERM4},
    {IDC_DOWNLOAD_RADIO_DIFFUSE, Key::Download_CTEXT_DIFFUSE},
    {IDC_DOWNLOAD_SLIDER_CONTRAST, Key::Download_CTEXT_SLIDER_CONTRAST},
    {IDC_DOWNLOAD_SLIDER_BRIGHTNESS, Key::Download_CTEXT_SLIDER_BRIGHTNESS},
    {IDC_DOWNLOAD_BUTTON_ADD, Key::Download_CTEXT_LOGO_ADD},
    {IDC_DOWNLOAD_BUTTON_DELETE, Key::Download_CTEXT_LOGO_DELETE},
    {IDC_DOWNLOAD_BUTTON_DOWNLOADALL, Key::Download_CTEXT_LOGO_DOWNLOAD},
    {IDC_DOWNLOAD_BUTTON_CLEARALL, Key::Download_CTEXT_LOGO_CLEARALLLOGOS},
};

constexpr PageDefinition kPage = {Section::Download, kCaptions, kHelp};

// In the order of the format values: Original, Transformation, Gray.
constexpr int kFormatRadios[] = {IDC_DOWNLOAD_RADIO_ORIGINAL, IDC_DOWNLOAD_RADIO_MONO, IDC_DOWNLOAD_RADIO_GRAY};
// In the order of the halftone values: None, Dither M3, Dither M4, Error Diffuse.
constexpr int kHalftoneRadios[] = {IDC_DOWNLOAD_RADIO_NONE, IDC_DOWNLOAD_RADIO_DITHERM3,
                                   IDC_DOWNLOAD_RADIO_DITHERM4, IDC_DOWNLOAD_RADIO_DIFFUSE};
constexpr int kSliders[] = {IDC_DOWNLOAD_SLIDER_CONTRAST, IDC_DOWNLOAD_SLIDER_BRIGHTNESS};

constexpr int kSliderLowest = -100;
constexpr int kSliderHighest = 100;
constexpr int kSliderPage = 20;

struct Column {
    int width;
    const wchar_t* builtIn;  // until the first paint loads the language's title
    Key title;
};
constexpr Column kColumns[] = {
    {40, L"ID", Key::Download_RC_LOGOID},
    {150, L"Name", Key::Download_RC_LOGONAME},
    {300, L"Path", Key::Download_RC_LOGOPATH},
};
constexpr int kIdColumn = 0;
constexpr int kNameColumn = 1;
constexpr int kPathColumn = 2;

constexpr wchar_t kBitmapFilter[] = L"*.bmp\0*.bmp\0";
constexpr wchar_t kEnglishFileFilter[] =
    L"*.JK(Firmware)\0*.JK\0*.DAT(Data)\0*.DAT\0*.FNT(Font)\0*.FNT\0*.ZK(Font)\0*.ZK\0*.EEP(EEPROM)\0*.EEP\0";
constexpr wchar_t kSimplifiedFileFilter[] =
    L"*.JK(监控程序文件)\0*.JK\0*.DAT(监控程序文件)\0*.DAT\0"
    L"*.FNT(字库文件)\0*.FNT\0*.ZK(字库文件)\0*.ZK\0*.EEP(EEPROM文件)\0*.EEP\0";
constexpr wchar_t kTraditionalFileFilter[] =
    L"*.JK(監控程式文件)\0*.JK\0*.DAT(監控程式文件)\0*.DAT\0"
    L"*.FNT(字庫文件)\0*.FNT\0*.ZK(字庫文件)\0*.ZK\0*.EEP(EEPROM文件)\0*.EEP\0";

// The logo list of each open Download page, by page window, from WM_INITDIALOG to WM_DESTROY.
std::map<HWND, LogoList> logoLists;

LogoList& Logos(HWND page) { return logoLists[page]; }

std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }

HWND List(HWND page) { return GetDlgItem(page, IDC_DOWNLOAD_LIST_LOGOS); }

void Enable(HWND page, int control, bool enabled) { EnableWindow(GetDlgItem(page, control), enabled); }

void Enable(HWND page, std::span<const int> controls, bool enabled) {
    for (int control : controls) Enable(page, control, enabled);
}

std::wstring ControlText(HWND page, int control) {
    const HWND window = GetDlgItem(page, control);
    std::wstring text(static_cast<size_t>(std::max(GetWindowTextLengthW(window), 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

HANDLE Printer(HWND page) {
    const auto* context = PageContext<DeviceSheetContext>(page);
    return context != nullptr && context->commonParams != nullptr ? context->commonParams->hPrinter : nullptr;
}

// The loaded text of a "MessageBox" key named by the core's page messages.
const wchar_t* MessageBoxText(std::string_view key) {
    const std::u16string name(key.begin(), key.end());
    const zr640::text::TextEntry* entry = zr640::text::Find(u"MessageBox", name);
    if (entry == nullptr) return L"";
    return Text(static_cast<Key>(entry - zr640::text::Entries().data()));
}

// Every message of the page has an OK button and no icon.
void ShowPageMessage(HWND page, const zr640::PageMessage& message) {
    Platform().ShowMessage(page, MessageBoxText(message.key), MessageBoxText(message.caption), MB_OK);
}

// ---- The list view ------------------------------------------------------------------------

std::optional<size_t> SelectedRow(HWND page) {
    const LRESULT item = SendMessageW(List(page), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (item < 0 || static_cast<size_t>(item) >= Logos(page).size()) return std::nullopt;
    return static_cast<size_t>(item);
}

void SetCell(HWND list, size_t row, int column, const std::wstring& text) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void AppendRow(HWND list, size_t row, const LogoPath& path) {
    const std::wstring id = Wide(LogoList::IdText(row));
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.pszText = const_cast<wchar_t*>(id.c_str());
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    SetCell(list, row, kNameColumn, Wide(LogoList::NameText(path)));
    SetCell(list, row, kPathColumn, path.wstring());
}

void Renumber(HWND list, size_t rows) {
    for (size_t row = 0; row < rows; ++row) SetCell(list, row, kIdColumn, Wide(LogoList::IdText(row)));
}

void InsertColumns(HWND list) {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.cx = kColumns[i].width;
        column.pszText = const_cast<wchar_t*>(kColumns[i].builtIn);
        column.iSubItem = i;
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void SetColumnTitles(HWND list) {
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<wchar_t*>(Text(kColumns[i].title));
        SendMessageW(list, LVM_SETCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

// ---- Settings controls --------------------------------------------------------------------

int ValueLabel(int slider) {
    return slider == IDC_DOWNLOAD_SLIDER_CONTRAST ? IDC_DOWNLOAD_VALUE_CONTRAST : IDC_DOWNLOAD_VALUE_BRIGHTNESS;
}

int SliderPosition(HWND page, int slider) {
    return static_cast<int>(SendDlgItemMessageW(page, slider, TBM_GETPOS, 0, 0));
}

void ShowSlider(HWND page, int slider, int value) {
    SendDlgItemMessageW(page, slider, TBM_SETPOS, TRUE, value);
    SetDlgItemInt(page, ValueLabel(slider), static_cast<UINT>(value), TRUE);
}

void SetUpSlider(HWND page, int slider) {
    SendDlgItemMessageW(page, slider, TBM_SETRANGEMIN, FALSE, kSliderLowest);
    SendDlgItemMessageW(page, slider, TBM_SETRANGEMAX, TRUE, kSliderHighest);
    SendDlgItemMessageW(page, slider, TBM_SETPAGESIZE, 0, kSliderPage);
    SendDlgItemMessageW(page, slider, TBM_SETLINESIZE, 0, 1);
    ShowSlider(page, slider, 0);
}

void CheckFormat(HWND page, LogoFormat format) {
    for (size_t i = 0; i < std::size(kFormatRadios); ++i) {
        CheckDlgButton(page, kFormatRadios[i], i == static_cast<size_t>(format) ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CheckHalftone(HWND page, int32_t halftone) {
    const int32_t last = static_cast<int32_t>(std::size(kHalftoneRadios)) - 1;
    const auto index = static_cast<size_t>(std::clamp(halftone, 0, last));
    CheckRadioButton(page, IDC_DOWNLOAD_RADIO_NONE, IDC_DOWNLOAD_RADIO_DIFFUSE, kHalftoneRadios[index]);
}

void ShowSettings(HWND page, const LogoSettings& settings) {
    ShowSlider(page, IDC_DOWNLOAD_SLIDER_CONTRAST, settings.contrast);
    ShowSlider(page, IDC_DOWNLOAD_SLIDER_BRIGHTNESS, settings.brightness);
    CheckHalftone(page, settings.halftone);
}

// The format radios act on the list only while a row is selected; the other controls show
// that row's settings.
void ShowSelectedRow(HWND page) {
    const auto row = SelectedRow(page);
    Enable(page, kFormatRadios, row.has_value());
    if (row) ShowSettings(page, Logos(page)[*row].settings);
}

// ---- Conversions --------------------------------------------------------------------------

// What the page reads of a logo before converting it: the first 62 bytes. A file that cannot
// be opened reads as no bitmap.
BitmapLead ReadLead(const LogoPath& logo) {
    std::ifstream file(logo, std::ios::binary);
    std::array<uint8_t, zr640::kBitmapLeadSize> lead{};
    file.read(reinterpret_cast<char*>(lead.data()), static_cast<std::streamsize>(lead.size()));
    return zr640::ReadBitmapLead({lead.data(), static_cast<size_t>(file.gcount())});
}

// Mono logos are converted from colour and gray pictures; a one-bit picture is its own logo.
bool MonoConvertible(const BitmapLead& lead) {
    return lead.bitmap && (lead.bitsPerPixel == 24 || lead.bitsPerPixel == 8);
}

bool GrayConvertible(const BitmapLead& lead) {
    return lead.bitmap && (lead.bitsPerPixel == 24 || lead.bitsPerPixel == 8 || lead.bitsPerPixel == 1);
}

bool Convertible(const BitmapLead& lead, LogoFormat format) {
    return format == LogoFormat::kGray ? GrayConvertible(lead) : MonoConvertible(lead);
}

// Writes the logo's converted file: gray for the Gray format, mono otherwise. False when the
// file was refused or could not be written (a converted file from before stays as it was).
bool Convert(const LogoPath& logo, LogoFormat format, const LogoSettings& settings) {
    if (format == LogoFormat::kGray) return zr640::ConvertToGray(logo, settings.contrast, settings.brightness).done();
    const auto halftone = static_cast<zr640::Halftone>(std::clamp(settings.halftone, 0, 3));
    return zr640::ConvertToMono(logo, halftone, settings.contrast, settings.brightness).done();
}

void RemoveConvertedFile(const LogoPath& logo) {
    std::error_code ignored;
    std::filesystem::remove(zr640::ConvertedFilePath(logo), ignored);
}

void RemoveConvertedFiles(const LogoList& logos) {
    for (size_t row = 0; row < logos.size(); ++row) RemoveConvertedFile(logos[row].path);
}

// Add converts a new logo as its format wants it; false when the format refuses the file
// (no row is added). Original takes any file, and converts colour and gray pictures with
// no halftone.
bool ConvertNewLogo(const LogoPath& logo, LogoFormat format, const BitmapLead& lead) {
    switch (format) {
    case LogoFormat::kTransformation:
        if (!lead.bitmap) return false;
        if (MonoConvertible(lead)) Convert(logo, format, zr640::DefaultLogoSettings(format));
        return true;
    case LogoFormat::kGray:
        if (!GrayConvertible(lead)) return false;
        Convert(logo, format, zr640::DefaultLogoSettings(format));
        return true;
    case LogoFormat::kOriginal:
        if (MonoConvertible(lead)) Convert(logo, format, zr640::DefaultLogoSettings(format));
        return true;
    }
    return false;
}

// ---- The preview --------------------------------------------------------------------------

RECT PreviewArea(HWND page) {
    const HWND frame = GetDlgItem(page, IDC_DOWNLOAD_FRAME_PREVIEW);
    RECT area = {};
    GetClientRect(frame, &area);
    MapWindowPoints(frame, page, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void RepaintPreview(HWND page) {
    const RECT area = PreviewArea(page);
    InvalidateRect(page, &area, TRUE);
    UpdateWindow(page);
}

void EnableAdjustments(HWND page, bool halftone, bool sliders) {
    Enable(page, kHalftoneRadios, halftone);
    Enable(page, kSliders, sliders);
}

// The picture that shows the row in the page's format, converted with the row's settings
// first; enables the adjustments that apply to it. Nothing when the row cannot be shown.
std::optional<LogoPath> PreviewPicture(HWND page, const LogoRow& row, LogoFormat format) {
    if (format == LogoFormat::kOriginal) {
        EnableAdjustments(page, false, false);
        return row.path;
    }
    const BitmapLead lead = ReadLead(row.path);
    if (!lead.bitmap) return std::nullopt;
    if (format == LogoFormat::kTransformation) {
        const bool convertible = MonoConvertible(lead);
        EnableAdjustments(page, convertible, convertible);
        if (!convertible) return row.path;  // a one-bit logo is shown as it is
    } else {
        if (!GrayConvertible(lead)) return std::nullopt;
        EnableAdjustments(page, false, true);
    }
    if (!Convert(row.path, format, row.settings)) return std::nullopt;
    return zr640::ConvertedFilePath(row.path);
}

// Every paint reloads the page's texts and, when the preview frame needs painting, converts
// the selected logo and shows it.
void OnPaint(HWND page) {
    RefreshPageTexts(page, kPage);
    SetColumnTitles(List(page));
    const PaintScope paint(page);
    const RECT area = PreviewArea(page);
    if (!RectVisible(paint.dc(), &area)) return;
    const LogoList& logos = Logos(page);
    const auto row = SelectedRow(page);
    const auto picture = row ? PreviewPicture(page, logos[*row], logos.format()) : std::nullopt;
    if (!picture || !DrawPictureFile(paint.dc(), area, *picture)) ClearPicture(paint.dc(), area);
}

// ---- Buttons ------------------------------------------------------------------------------

void OnInitDialog(HWND page, LPARAM lParam) {
    InitPage(page, lParam, kPage);
    logoLists[page] = LogoList{};
    SendDlgItemMessageW(page, IDC_DOWNLOAD_EDIT_FILE, EM_SETREADONLY, TRUE, 0);
    Enable(page, IDC_DOWNLOAD_BUTTON_BROWSE, true);
    Enable(page, IDC_DOWNLOAD_BUTTON_DOWNLOAD, false);
    InsertColumns(List(page));
    CheckFormat(page, LogoFormat::kOriginal);
    CheckHalftone(page, 0);
    for (int slider : kSliders) SetUpSlider(page, slider);
    Enable(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL, false);
}

const wchar_t* FileFilter() {
    const std::wstring& language = CurrentStringFileName();
    if (lstrcmpiW(language.c_str(), kSimplifiedChineseFile) == 0) return kSimplifiedFileFilter;
    if (lstrcmpiW(language.c_str(), kTraditionalChineseFile) == 0) return kTraditionalFileFilter;
    return kEnglishFileFilter;
}

void OnBrowse(HWND page) {
    std::wstring chosen;
    if (!Platform().ChooseFileToOpen(page, Text(Key::Download_RC_BROWSEBOX), FileFilter(), chosen)) return;
    SetDlgItemTextW(page, IDC_DOWNLOAD_EDIT_FILE, chosen.c_str());
    Enable(page, IDC_DOWNLOAD_BUTTON_DOWNLOAD, true);
}

// The chosen file goes to the printer unchanged; whether the spooler took it is not shown.
void OnDownloadFile(HWND page) {
    const std::wstring path = ControlText(page, IDC_DOWNLOAD_EDIT_FILE);
    if (path.empty()) return;
    zr640::FileDownloadRead file = zr640::ReadFileToDownload(path);
    if (file.message) {
        ShowPageMessage(page, *file.message);
        return;
    }
    SendRawJob(Printer(page), zr640::FileDownloadJob(std::move(file.bytes)));
}

void OnAdd(HWND page) {
    LogoList& logos = Logos(page);
    if (const auto refusal = zr640::CheckAddLogo(logos)) {
        ShowPageMessage(page, *refusal);
        return;
    }
    std::wstring chosen;
    if (!Platform().ChooseFileToOpen(page, Text(Key::Download_RC_BROWSEBOX), kBitmapFilter, chosen)) return;
    const LogoPath logo(chosen);
    std::ifstream file(logo, std::ios::binary);
    if (!file) {
        ShowPageMessage(page, zr640::kDownloadError1);
        return;
    }
    std::array<uint8_t, zr640::kBitmapLeadSize> lead{};
    file.read(reinterpret_cast<char*>(lead.data()), static_cast<std::streamsize>(lead.size()));
    const std::span<const uint8_t> read(lead.data(), static_cast<size_t>(file.gcount()));
    if (const auto refusal = zr640::CheckLogoLead(read)) {
        ShowPageMessage(page, *refusal);
        return;
    }
    if (!ConvertNewLogo(logo, logos.format(), zr640::ReadBitmapLead(read))) return;
    const size_t row = logos.size();
    logos.Add(logo);
    AppendRow(List(page), row, logo);
    SetFocus(List(page));
    Enable(page, kFormatRadios, SelectedRow(page).has_value());
}

void OnDelete(HWND page) {
    const auto row = SelectedRow(page);
    if (!row) return;
    LogoList& logos = Logos(page);
    RemoveConvertedFile(logos[*row].path);
    logos.Remove(*row);
    SendMessageW(List(page), LVM_DELETEITEM, *row, 0);
    Renumber(List(page), logos.size());
    SetFocus(List(page));
    ShowSelectedRow(page);
    RepaintPreview(page);
}

// A format applies to every row: each gets the format's default settings and, for
// Transformation and Gray, a fresh converted file. A row whose file cannot be converted
// keeps no converted file and does not stop the rows after it.
void OnFormat(HWND page, LogoFormat format) {
    LogoList& logos = Logos(page);
    if (format != LogoFormat::kOriginal) RemoveConvertedFiles(logos);
    logos.SetFormat(format);
    if (format == LogoFormat::kOriginal) {
        Enable(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL, false);
    } else if (!logos.empty()) {
        Enable(page, IDC_DOWNLOAD_BUTTON_DOWNLOADALL, true);
    }
    if (logos.empty() || !SelectedRow(page)) return;
    const LogoSettings settings = zr640::DefaultLogoSettings(format);
    for (size_t row = 0; row < logos.size(); ++row) {
        logos.settings(row) = settings;
        if (format != LogoFormat::kOriginal && Convertible(ReadLead(logos[row].path), format)) {
            Convert(logos[row].path, format, settings);
        }
    }
    ShowSettings(page, settings);
}

void OnHalftone(HWND page, int32_t halftone) {
    if (const auto row = SelectedRow(page)) Logos(page).settings(*row).halftone = halftone;
}

// Download all sends what the rows' settings give: each converted file is written again
// first, so a file removed by Apply or never previewed in this format is not missing.
void OnDownloadAll(HWND page) {
    const LogoList& logos = Logos(page);
    if (logos.format() != LogoFormat::kOriginal) {
        for (size_t row = 0; row < logos.size(); ++row) {
            if (Convertible(ReadLead(logos[row].path), logos.format())) {
                Convert(logos[row].path, logos.format(), logos[row].settings);
            }
        }
    }
    const auto paths = logos.paths();
    const zr640::DownloadAllPlan plan = zr640::PrepareDownloadAll(logos.format(), paths);
    if (plan.message) {
        ShowPageMessage(page, *plan.message);
        return;
    }
    if (plan.job) SendRawJob(Printer(page), *plan.job);
}

void OnCommand(HWND page, WPARAM wParam) {
    if (HIWORD(wParam) != BN_CLICKED) return;
    const int control = LOWORD(wParam);
    switch (control) {
    case IDC_DOWNLOAD_BUTTON_BROWSE:
        OnBrowse(page);
        return;
    case IDC_DOWNLOAD_BUTTON_DOWNLOAD:
        OnDownloadFile(page);
        return;
    case IDC_DOWNLOAD_BUTTON_ADD:
        OnAdd(page);
        return;
    case IDC_DOWNLOAD_BUTTON_DELETE:
        OnDelete(page);
        return;
    case IDC_DOWNLOAD_BUTTON_DOWNLOADALL:
        OnDownloadAll(page);
        return;
    case IDC_DOWNLOAD_BUTTON_CLEARALL:
        SendRawJob(Printer(page), zr640::ClearAllLogosJob());
        return;
    default:
        break;
    }
    if (const auto* format = std::find(std::begin(kFormatRadios), std::end(kFormatRadios), control);
        format != std::end(kFormatRadios)) {
        OnFormat(page, static_cast<LogoFormat>(format - std::begin(kFormatRadios)));
    } else if (const auto* halftone = std::find(std::begin(kHalftoneRadios), std::end(kHalftoneRadios), control);
               halftone != std::end(kHalftoneRadios)) {
        OnHalftone(page, static_cast<int32_t>(halftone - std::begin(kHalftoneRadios)));
    } else {
        return;
    }
    RepaintPreview(page);
}

// ---- Sliders, list and sheet notifications ------------------------------------------------

// While a slider moves, both values go to the selected row and the preview follows.
void OnScroll(HWND page, int code) {
    if (code < TB_LINEUP || code >= TB_ENDTRACK) return;
    const int contrast = SliderPosition(page, IDC_DOWNLOAD_SLIDER_CONTRAST);
    const int brightness = SliderPosition(page, IDC_DOWNLOAD_SLIDER_BRIGHTNESS);
    SetDlgItemInt(page, IDC_DOWNLOAD_VALUE_CONTRAST, static_cast<UINT>(contrast), TRUE);
    SetDlgItemInt(page, IDC_DOWNLOAD_VALUE_BRIGHTNESS, static_cast<UINT>(brightness), TRUE);
    const auto row = SelectedRow(page);
    if (!row) return;
    LogoSettings& settings = Logos(page).settings(*row);
    settings.contrast = contrast;
    settings.brightness = brightness;
    RepaintPreview(page);
}

// A slider let go: its value is stored and the sheet told of the change.
void OnSliderReleased(HWND page, int slider) {
    const int value = SliderPosition(page, slider);
    SetDlgItemInt(page, ValueLabel(slider), static_cast<UINT>(value), TRUE);
    if (const auto row = SelectedRow(page)) {
        LogoSettings& settings = Logos(page).settings(*row);
        (slider == IDC_DOWNLOAD_SLIDER_CONTRAST ? settings.contrast : settings.brightness) = value;
    }
    NotifyChanged(page);
    RepaintPreview(page);
}

// A click, and any change of the selected row (by mouse or keyboard), shows that row.
void OnListNotify(HWND page, const NMHDR& header) {
    if (header.code == NM_CLICK) {
        RepaintPreview(page);
        ShowSelectedRow(page);
    } else if (header.code == LVN_ITEMCHANGED) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if ((change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED)) {
            ShowSelectedRow(page);
        }
        RepaintPreview(page);
    }
}

void OnApply(HWND page, const DeviceSheetContext& context) {
    if (context.pfnComPropSheet != nullptr) {
        context.pfnComPropSheet(context.hComPropSheet, CPSFUNC_SET_RESULT, reinterpret_cast<LPARAM>(context.hLastPage),
                                CPSUI_OK);
    }
    RemoveConvertedFiles(Logos(page));
}

INT_PTR OnNotify(HWND page, const NMHDR& header) {
    const auto* context = PageContext<DeviceSheetContext>(page);
    if (header.idFrom == IDC_DOWNLOAD_LIST_LOGOS) {
        OnListNotify(page, header);
        return FALSE;
    }
    if (header.code == NM_RELEASEDCAPTURE &&
        (header.idFrom == IDC_DOWNLOAD_SLIDER_CONTRAST || header.idFrom == IDC_DOWNLOAD_SLIDER_BRIGHTNESS)) {
        OnSliderReleased(page, static_cast<int>(header.idFrom));
        return FALSE;
    }
    switch (header.code) {
    case PSN_APPLY:
        OnApply(page, *context);
        SetWindowLongPtrW(page, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    case PSN_QUERYCANCEL:
        RemoveConvertedFiles(Logos(page));
        SetWindowLongPtrW(page, DWLP_MSGRESULT, FALSE);  // the cancel goes on
        return TRUE;
    case PSN_RESET:  // cancelled while another page was showing
        RemoveConvertedFiles(Logos(page));
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

const PageDefinition& DownloadPageDefinition() { return kPage; }

INT_PTR CALLBACK DownloadPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    TrackPageWindow(NotedPage::Download, page, message);
    if (message == WM_INITDIALOG) {
        OnInitDialog(page, lParam);
        return TRUE;
    }
    if (PageContext<DeviceSheetContext>(page) == nullptr) return FALSE;
    switch (message) {
    case WM_PAINT:
        OnPaint(page);
        return TRUE;
    case WM_COMMAND:
        OnCommand(page, wParam);
        return TRUE;
    case WM_HSCROLL:
        OnScroll(page, LOWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        return OnNotify(page, *reinterpret_cast<const NMHDR*>(lParam));
    case WM_DESTROY:
        logoLists.erase(page);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace zr640ui
