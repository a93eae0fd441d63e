// The Water Mark page: no water mark, an image from a bitmap file or a text in a TrueType
// font, with its print position, size and brightness, and a live preview on a page-shaped
// frame. Every control writes the settings record at once. The picture file that the
// rendering side reads is written when a bitmap is chosen (and again whenever the preview
// loads the image afresh) and, for a text, on apply.
//
// What the page keeps (the image cache, the reload and show-errors flags) lives in its
// object: each sheet's page has its own and none of it outlives the window. The graphics
// reset request, which the Main page reads, lives on the sheet's context.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/common/text.h"
#include "core/settings/private_devmode.h"
#include "core/watermark/picture_file.h"
#include "core/watermark/picture_path.h"
#include "core/watermark/preview_layout.h"
#include "plugin/pages/document/main_page.h"
#include "plugin/pages/document/watermark_page_tables.h"
#include "plugin/pages/document/watermark_preview.h"
#include "plugin/pages/document/watermark_text_picture.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "plugin/platform/services.h"
#include "resource.h"
#include "win32/wide_text.h"
#include "win32/handles.h"

namespace zr640ui {
namespace {

using namespace watermark;  // the page's tables

constexpr PageDefinition kPage = {Section::Watermark, kCaptions, kHelp, kLists};

using zr640::win::Utf16FromWide;
using zr640::win::WideFromUtf16;

// Stores at most the field's characters; the rest of the field is zero-filled.
template <size_t N>
void StoreCut(char16_t (&field)[N], std::wstring_view text, size_t kept) {
    std::fill(std::begin(field), std::end(field), u'\0');
    const size_t count = std::min({text.size(), kept, N});
    std::copy_n(text.begin(), count, field);
}

// ---- The page -----------------------------------------------------------------------------

class WatermarkPage final : public DocumentPage {
public:
    explicit WatermarkPage(DocumentSheetContext& context) : DocumentPage(context, kPage) {}

private:
    BOOL OnInitDialog() override;
    void OnCommand(int control, int code) override;
    INT_PTR OnNotify(const NMHDR& header) override;
    void OnScroll(HWND control, int code) override;
    bool OnPaint() override;
    void OnApply() override;
    void OnCancel() override { preview_.ReloadImage(); }

    void EnableForKind(uint8_t kind) const;
    void ShowRecord(const zr640::PrivateDevMode& record) const;

    void ChooseKind(zr640::PrivateDevMode& record, uint8_t kind);
    void Browse(zr640::PrivateDevMode& record);
    void StoreText(zr640::PrivateDevMode& record, bool picked) const;
    void StoreFace(zr640::PrivateDevMode& record) const;
    void StorePosition(zr640::PrivateDevMode& record) const;
    int TiledSize(const zr640::PrivateDevMode& record, int size) const;
    void StoreSlider(zr640::PrivateDevMode& record, int slider) const;
    void StoreSliders(zr640::PrivateDevMode& record) const;

    std::optional<std::wstring> PictureFile() const;
    TextStyle StyleOf(const zr640::PrivateDevMode& record) const;
    RECT PreviewArea() const;
    void RepaintPreview() const;

    WatermarkPreview preview_;
};

// ---- Creation -----------------------------------------------------------------------------

void WatermarkPage::EnableForKind(uint8_t kind) const {
    Enable(kImageControls, kind == kKindImage);
    Enable(kTextControls, kind == kKindText);
    Enable(kCommonControls, kind == kKindImage || kind == kKindText);
}

void WatermarkPage::ShowRecord(const zr640::PrivateDevMode& record) const {
    const uint8_t kind = record.bWatermarkType <= kKindText ? record.bWatermarkType : kKindNone;
    CheckRadio(window(), kKinds, kind);
    EnableForKind(kind);
    Send(IDC_WATERMARK_EDIT_BITMAP, EM_SETREADONLY, TRUE);
    SetText(IDC_WATERMARK_EDIT_BITMAP,
            WideFromUtf16(
                zr640::FieldText(record.wszWatermarkBitmap, std::size(record.wszWatermarkBitmap))));
    FillTextBox(Item(IDC_WATERMARK_COMBO_TEXT), kTextLimit,
                zr640::FieldText(record.wszWatermarkText, std::size(record.wszWatermarkText)));
    const zr640::win::WindowDC dc(window());
    FillFaceList(Item(IDC_WATERMARK_COMBO_FONTTYPE), TrueTypeFaces(dc.get()),
                 zr640::FieldText(record.wszWatermarkFont, std::size(record.wszWatermarkFont)));
    kStyles.Select(window(), record.bWatermarkFontStyle);
    kFontSize.SetUp(window());
    kFontSize.Show(window(), record.bWatermarkFontSize);
    kAngle.SetUp(window(), static_cast<int>(std::min<uint32_t>(record.dwWatermarkAngle,
                                                               zr640::kWatermarkMaxAngle)));
    kSize.SetUp(window(), record.bWatermarkSize);
    kBrightness.SetUp(window(), record.bWatermarkBrightness);
    kPositions.Select(window(), record.bWatermarkPosition);
}

BOOL WatermarkPage::OnInitDialog() {
    const Filling filling(*this);
    if (const zr640::PrivateDevMode* record = context().Record()) ShowRecord(*record);
    return TRUE;
}

// ---- Choices ------------------------------------------------------------------------------

// Choosing a water mark prints everything as graphics (the user is told once when that
// changes); removing it clears the flag and asks the Main page to show "No" again.
void WatermarkPage::ChooseKind(zr640::PrivateDevMode& record, uint8_t kind) {
    record.bWatermarkType = kind;
    if (kind == kKindNone) {
        record.bPrintAsImage = 0;
        RequestGraphicsReset(context());
    } else if (record.bPrintAsImage == 0) {
        Show(kGraphicsInformation);
        record.bPrintAsImage = 1;
    }
    EnableForKind(kind);
    preview_.ReloadImage();
}

std::optional<std::wstring> WatermarkPage::PictureFile() const {
    const oem::OEMCUIPPARAM* common = context().commonParams;
    const wchar_t* printer = common != nullptr ? common->pPrinterName : nullptr;
    if (printer == nullptr && context().uiParams != nullptr)
        printer = context().uiParams->pPrinterName;
    if (printer == nullptr) return std::nullopt;
    wchar_t temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) return std::nullopt;
    const auto name = zr640::WatermarkPictureFileName(
        Utf16FromWide(std::wstring_view(temp, length)), Utf16FromWide(std::wstring_view(printer)));
    if (!name) return std::nullopt;
    return WideFromUtf16(*name);
}

// A path the record cannot hold whole would name another file: it is refused before the
// picture file is touched. A printer name that gives no picture-file name reads as a
// picture file that cannot be created.
void WatermarkPage::Browse(zr640::PrivateDevMode& record) {
    std::wstring chosen;
    if (!Platform().ChooseFileToOpen(window(), nullptr, kBitmapFilter, chosen)) return;
    if (chosen.size() >= std::size(record.wszWatermarkBitmap)) {
        LoadText(kPathTooLong.text);
        Show(kPathTooLong);
        return;
    }
    // A picture larger than the preview holds is refused here, not accepted and then
    // reported by every paint.
    const auto picture = PictureFile();
    zr640::WatermarkConversion conversion;
    conversion.result = zr640::WatermarkConvertResult::kCannotCreate;
    if (picture) {
        conversion = zr640::ConvertWatermarkBitmap(chosen, *picture,
                                                   zr640::WatermarkPictureLimit::kImageCache);
    }
    switch (conversion.result) {
    case zr640::WatermarkConvertResult::kDone: break;
    case zr640::WatermarkConvertResult::kCannotCreate: Show(kCannotCreate); return;
    case zr640::WatermarkConvertResult::kNotDone:
        Show(conversion.tooBig ? kTooBig : kWrongDepth);
        return;
    }
    SetText(IDC_WATERMARK_EDIT_BITMAP, chosen);
    const std::wstring shown = ControlText(IDC_WATERMARK_EDIT_BITMAP);
    if (shown.empty()) {
        Show(kNoFileName);
        return;
    }
    zr640::StoreFieldText(record.wszWatermarkBitmap, std::size(record.wszWatermarkBitmap),
                          Utf16FromWide(shown));
    preview_.ReloadImage();
    RepaintPreview();
    NotifyChanged();
}

// The entry picked, or what was typed; at most the field's 16 characters.
void WatermarkPage::StoreText(zr640::PrivateDevMode& record, bool picked) const {
    const std::wstring text = picked && Send(IDC_WATERMARK_COMBO_TEXT, CB_GETCURSEL) != CB_ERR
                                  ? SelectedEntry(Item(IDC_WATERMARK_COMBO_TEXT))
                                  : ControlText(IDC_WATERMARK_COMBO_TEXT);
    StoreCut(record.wszWatermarkText, text, kTextLimit);
}

void WatermarkPage::StoreFace(zr640::PrivateDevMode& record) const {
    StoreCut(record.wszWatermarkFont, SelectedEntry(Item(IDC_WATERMARK_COMBO_FONTTYPE)),
             std::size(record.wszWatermarkFont) - 1);
}

// A tiled water mark is at least 20 percent wide; the slider and its label follow.
int WatermarkPage::TiledSize(const zr640::PrivateDevMode& record, int size) const {
    const int kept = zr640::WatermarkSizeFor(record.bWatermarkPosition, size);
    if (kept != size) kSize.Show(window(), kept);
    return kept;
}

void WatermarkPage::StorePosition(zr640::PrivateDevMode& record) const {
    const auto position = kPositions.Selected(window());
    if (!position) return;
    record.bWatermarkPosition = static_cast<uint8_t>(*position);
    record.bWatermarkSize = static_cast<uint8_t>(TiledSize(record, record.bWatermarkSize));
}

// One slider's value into the record, its label showing it (the size with the tiled rule).
void WatermarkPage::StoreSlider(zr640::PrivateDevMode& record, int slider) const {
    if (slider == kAngle.trackbar) {
        record.dwWatermarkAngle = static_cast<uint32_t>(kAngle.ShowPosition(window()));
    } else if (slider == kSize.trackbar) {
        record.bWatermarkSize =
            static_cast<uint8_t>(TiledSize(record, kSize.ShowPosition(window())));
    } else if (slider == kBrightness.trackbar) {
        record.bWatermarkBrightness = static_cast<uint8_t>(kBrightness.ShowPosition(window()));
    }
}

void WatermarkPage::StoreSliders(zr640::PrivateDevMode& record) const {
    for (const Slider* slider : {&kAngle, &kSize, &kBrightness})
        StoreSlider(record, slider->trackbar);
}

void WatermarkPage::OnCommand(int control, int code) {
    zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr || filling()) return;
    switch (control) {
    case IDC_WATERMARK_RADIO_NONE:
    case IDC_WATERMARK_RADIO_IMAGE:
    case IDC_WATERMARK_RADIO_TEXT:
        if (code != BN_CLICKED) return;
        ChooseKind(*record, static_cast<uint8_t>(*kKinds.IndexOf(control)));
        break;
    case IDC_WATERMARK_BUTTON_BROWSE:
        if (code == BN_CLICKED) Browse(*record);
        return;
    case IDC_WATERMARK_COMBO_TEXT:
        if (code != CBN_SELCHANGE && code != CBN_EDITCHANGE) return;
        StoreText(*record, code == CBN_SELCHANGE);
        break;
    case IDC_WATERMARK_COMBO_FONTTYPE:
        if (code != CBN_SELCHANGE) return;
        StoreFace(*record);
        break;
    case IDC_WATERMARK_COMBO_FONTSTYLE:
        if (code != CBN_SELCHANGE) return;
        if (const auto style = kStyles.Selected(window()))
            record->bWatermarkFontStyle = static_cast<uint8_t>(*style);
        break;
    case IDC_WATERMARK_COMBO_POSITION:
        if (code != CBN_SELCHANGE) return;
        StorePosition(*record);
        break;
    case IDC_WATERMARK_EDIT_FONTSIZE:
        if (code != EN_CHANGE && code != EN_KILLFOCUS) return;
        record->bWatermarkFontSize = static_cast<uint8_t>(kFontSize.Read(
            window(), code == EN_CHANGE ? ClampMoment::Typing : ClampMoment::Leaving));
        break;
    default: return;
    }
    RepaintPreview();
    NotifyChanged();
}

// Every move of a slider but the end of tracking stores all three; letting one go stores its
// own value.
void WatermarkPage::OnScroll(HWND control, int code) {
    zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr || filling() || code < TB_LINEUP || code >= TB_ENDTRACK) return;
    const int id = GetDlgCtrlID(control);
    // The font size's up-down control scrolls too; its edit reports the change.
    if (id != kAngle.trackbar && id != kSize.trackbar && id != kBrightness.trackbar) return;
    StoreSliders(*record);
    RepaintPreview();
    NotifyChanged();
}

INT_PTR WatermarkPage::OnNotify(const NMHDR& header) {
    zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr || header.code != NM_RELEASEDCAPTURE) return FALSE;
    const int slider = static_cast<int>(header.idFrom);
    if (slider != kAngle.trackbar && slider != kSize.trackbar && slider != kBrightness.trackbar)
        return FALSE;
    StoreSlider(*record, slider);
    RepaintPreview();
    NotifyChanged();
    return FALSE;
}

// ---- The preview --------------------------------------------------------------------------

// The frame's inside: its one-pixel border stays.
RECT WatermarkPage::PreviewArea() const {
    const HWND frame = Item(IDC_WATERMARK_FRAME_PREVIEW);
    RECT area = {};
    GetClientRect(frame, &area);
    MapWindowPoints(frame, window(), reinterpret_cast<POINT*>(&area), 2);
    InflateRect(&area, -1, -1);
    return area;
}

void WatermarkPage::RepaintPreview() const {
    const RECT area = PreviewArea();
    InvalidateRect(window(), &area, FALSE);
    UpdateWindow(window());
}

// What the record holds. A text or face not stored yet (a record from before the page was
// used) is the entry the page selected for it, the one apply would store.
TextStyle WatermarkPage::StyleOf(const zr640::PrivateDevMode& record) const {
    TextStyle style;
    style.text = WideFromUtf16(
        zr640::FieldText(record.wszWatermarkText, std::size(record.wszWatermarkText)));
    if (style.text.empty()) style.text = SelectedEntry(Item(IDC_WATERMARK_COMBO_TEXT));
    style.face = WideFromUtf16(
        zr640::FieldText(record.wszWatermarkFont, std::size(record.wszWatermarkFont)));
    if (style.face.empty()) style.face = SelectedEntry(Item(IDC_WATERMARK_COMBO_FONTTYPE));
    style.style = record.bWatermarkFontStyle;
    style.pointSize = record.bWatermarkFontSize;  // while typing it may lie below the range
    style.angle =
        static_cast<int>(std::min<uint32_t>(record.dwWatermarkAngle, zr640::kWatermarkMaxAngle));
    return style;
}

bool WatermarkPage::OnPaint() {
    const zr640::win::PaintDC paint(window());
    const zr640::PrivateDevMode* record = context().Record();
    const RECT area = PreviewArea();
    if (record == nullptr || !RectVisible(paint.get(), &area)) return true;
    const PreviewPlacement placement = {record->bWatermarkPosition, record->bWatermarkSize,
                                        record->bWatermarkBrightness};
    const std::wstring chosen = ControlText(IDC_WATERMARK_EDIT_BITMAP);
    if (Checked(IDC_WATERMARK_RADIO_TEXT)) {
        preview_.PaintText(paint.get(), area, StyleOf(*record), placement);
    } else if (Checked(IDC_WATERMARK_RADIO_IMAGE) && !chosen.empty()) {
        preview_.PaintImage(window(), paint.get(), area, chosen, PictureFile(), placement);
    } else {
        preview_.PaintEmpty(paint.get(), area);
    }
    return true;
}

// ---- Apply --------------------------------------------------------------------------------

// Everything again from the controls, through the same stores as the controls' changes; a
// text water mark also writes its picture file. When that file cannot be written nothing is
// shown and the sheet is not told of success.
void WatermarkPage::OnApply() {
    zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr) return;
    const uint8_t kind = static_cast<uint8_t>(CheckedRadio(window(), kKinds).value_or(kKindNone));
    record->bWatermarkType = kind;
    if (kind != kKindNone) record->bPrintAsImage = 1;
    StorePosition(*record);
    StoreSliders(*record);
    record->bWatermarkFontSize =
        static_cast<uint8_t>(kFontSize.Read(window(), ClampMoment::Leaving));
    if (const auto style = kStyles.Selected(window()))
        record->bWatermarkFontStyle = static_cast<uint8_t>(*style);
    if (kind == kKindImage) {
        const std::wstring path = ControlText(IDC_WATERMARK_EDIT_BITMAP);
        zr640::StoreFieldText(record->wszWatermarkBitmap, std::size(record->wszWatermarkBitmap),
                              Utf16FromWide(path));
    }
    if (kind != kKindText) return;
    StoreText(*record, false);
    StoreFace(*record);
    const zr640::win::WindowDC dc(window());
    const auto pixels = RenderText(dc.get(), StyleOf(*record));
    const auto picture = PictureFile();
    if (!pixels || !picture || !zr640::WriteTextPicture(*picture, *pixels).ok())
        WithholdApplyResult();
}

}  // namespace

const PageDefinition& WatermarkPageDefinition() { return kPage; }

INT_PTR CALLBACK WatermarkPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<WatermarkPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
