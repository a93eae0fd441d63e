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
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/common/text.h"
#include "core/settings/private_devmode.h"
#include "core/watermark/image_cache.h"
#include "core/watermark/picture_file.h"
#include "core/watermark/picture_path.h"
#include "core/watermark/preview_layout.h"
#include "plugin/pages/document/main_page.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "plugin/platform/services.h"
#include "resource.h"
#include "win32/handles.h"

namespace zr640ui {
namespace {

// The font-style and print-position texts of this section are list entries, not captions;
// they go with the two lists, which are refilled (keeping their selections) on every reload.
constexpr TextBinding kCaptions[] = {
    {IDC_WATERMARK_RADIO_NONE, Key::Watermark_RC_RADIO_NO},
    {IDC_WATERMARK_RADIO_IMAGE, Key::Watermark_RC_RADIO_IMAGE},
    {IDC_WATERMARK_LABEL_BITMAP, Key::Watermark_RC_STATIC_WATERMARK_BMP},
    {IDC_WATERMARK_BUTTON_BROWSE, Key::Watermark_RC_SELECT_PICTURE},
    {IDC_WATERMARK_RADIO_TEXT, Key::Watermark_RC_RADIO_TEXT},
    {IDC_WATERMARK_LABEL_TEXT, Key::Watermark_RC_STATIC_WATERMARK_TEXT},
    {IDC_WATERMARK_LABEL_FONTTYPE, Key::Watermark_RC_STATIC_WATERMARK_FONTTYPE},
    {IDC_WATERMARK_LABEL_FONTSTYLE, Key::Watermark_RC_STATIC_WATERMARK_FONTSTYLE},
    {IDC_WATERMARK_LABEL_FONTSIZE, Key::Watermark_RC_STATIC_WATERMARK_FONTSIZE},
    {IDC_WATERMARK_LABEL_ANGLE, Key::Watermark_RC_STATIC_WATERMARK_ANGLE},
    {IDC_WATERMARK_LABEL_POSITION, Key::Watermark_RC_STATIC_WATERMARK_POSITION},
    {IDC_WATERMARK_LABEL_SIZE, Key::Watermark_RC_STATIC_WATERMARK_SIZE},
    {IDC_WATERMARK_LABEL_BRIGHTNESS, Key::Watermark_RC_STATIC_WATERMARK_BRIGHTNESS},
};

constexpr TextBinding kHelp[] = {
    {IDC_WATERMARK_RADIO_NONE, Key::Watermark_CTEXT_RADIO_NO},
    {IDC_WATERMARK_RADIO_IMAGE, Key::Watermark_CTEXT_RADIO_IMAGE},
    {IDC_WATERMARK_EDIT_BITMAP, Key::Watermark_CTEXT_PICTURE_NAME},
    {IDC_WATERMARK_BUTTON_BROWSE, Key::Watermark_CTEXT_SELECT_PICTURE},
    {IDC_WATERMARK_RADIO_TEXT, Key::Watermark_CTEXT_RADIO_TEXT},
    {IDC_WATERMARK_COMBO_TEXT, Key::Watermark_CTEXT_COMBO_TEXT},
    {IDC_WATERMARK_COMBO_FONTTYPE, Key::Watermark_CTEXT_COMBO_FONTTYPE},
    {IDC_WATERMARK_COMBO_FONTSTYLE, Key::Watermark_CTEXT_COMBO_FONTSTYLE},
    {IDC_WATERMARK_EDIT_FONTSIZE, Key::Watermark_CTEXT_EDIT_FONTSIZE},
    {IDC_WATERMARK_SLIDER_ANGLE, Key::Watermark_CTEXT_SLIDER_ANGLE},
    {IDC_WATERMARK_COMBO_POSITION, Key::Watermark_CTEXT_COMBO_POSITION},
    {IDC_WATERMARK_SLIDER_SIZE, Key::Watermark_CTEXT_SLIDER_SIZE},
    {IDC_WATERMARK_SLIDER_BRIGHTNESS, Key::Watermark_CTEXT_SLIDER_LIGHT},
};

constexpr Key kStyleTexts[] = {
    Key::Watermark_RC_STATIC_WATERMARK_FONTSTYLE1, Key::Watermark_RC_STATIC_WATERMARK_FONTSTYLE2,
    Key::Watermark_RC_STATIC_WATERMARK_FONTSTYLE3, Key::Watermark_RC_STATIC_WATERMARK_FONTSTYLE4};
constexpr Key kPositionTexts[] = {
    Key::Watermark_RC_STATIC_WATERMARK_POSITION1, Key::Watermark_RC_STATIC_WATERMARK_POSITION2,
    Key::Watermark_RC_STATIC_WATERMARK_POSITION3, Key::Watermark_RC_STATIC_WATERMARK_POSITION4,
    Key::Watermark_RC_STATIC_WATERMARK_POSITION5, Key::Watermark_RC_STATIC_WATERMARK_POSITION6,
    Key::Watermark_RC_STATIC_WATERMARK_POSITION7, Key::Watermark_RC_STATIC_WATERMARK_POSITION8,
    Key::Watermark_RC_STATIC_WATERMARK_POSITION9, Key::Watermark_RC_STATIC_WATERMARK_POSITION10};
constexpr ChoiceList kStyles{IDC_WATERMARK_COMBO_FONTSTYLE, kStyleTexts};
constexpr ChoiceList kPositions{IDC_WATERMARK_COMBO_POSITION, kPositionTexts};
constexpr ChoiceList kLists[] = {kStyles, kPositions};

constexpr PageDefinition kPage = {Section::Watermark, kCaptions, kHelp, kLists};

// The three kinds, in the record's order: 0 none, 1 image, 2 text.
constexpr int kKindControls[] = {IDC_WATERMARK_RADIO_NONE, IDC_WATERMARK_RADIO_IMAGE,
                                 IDC_WATERMARK_RADIO_TEXT};
constexpr RadioGroup kKinds{kKindControls};
constexpr uint8_t kKindNone = 0;
constexpr uint8_t kKindImage = 1;
constexpr uint8_t kKindText = 2;

constexpr int kImageControls[] = {IDC_WATERMARK_EDIT_BITMAP, IDC_WATERMARK_BUTTON_BROWSE};
constexpr int kTextControls[] = {IDC_WATERMARK_COMBO_TEXT,      IDC_WATERMARK_COMBO_FONTTYPE,
                                 IDC_WATERMARK_COMBO_FONTSTYLE, IDC_WATERMARK_EDIT_FONTSIZE,
                                 IDC_WATERMARK_SPIN_FONTSIZE,   IDC_WATERMARK_SLIDER_ANGLE};
constexpr int kCommonControls[] = {IDC_WATERMARK_COMBO_POSITION, IDC_WATERMARK_SLIDER_SIZE,
                                   IDC_WATERMARK_SLIDER_BRIGHTNESS};

constexpr NumberField kFontSize{
    IDC_WATERMARK_EDIT_FONTSIZE, IDC_WATERMARK_SPIN_FONTSIZE, {8, 72}, 2};
constexpr Slider kAngle{IDC_WATERMARK_SLIDER_ANGLE, IDC_WATERMARK_VALUE_ANGLE, {0, 360}, 15, 1};
constexpr Slider kSize{
    IDC_WATERMARK_SLIDER_SIZE, IDC_WATERMARK_VALUE_SIZE, {0, zr640::kWatermarkMaxSize}, 10, 1};
constexpr Slider kBrightness{
    IDC_WATERMARK_SLIDER_BRIGHTNESS, IDC_WATERMARK_VALUE_BRIGHTNESS, {0, 255}, 16, 1};

// The texts offered in the text box; they are not translated.
constexpr const wchar_t* kOfferedTexts[] = {L"CONFIDENTIAL", L"DO NOT COPY", L"TOP SECRET",
                                            L"DRAFT",        L"PROOF",       L"FINAL",
                                            L"COPY",         L"FILE COPY"};
constexpr int kTextLimit = 16;  // the record's field, all of it: a 16-character text has no 0

constexpr wchar_t kBitmapFilter[] = L"*.bmp\0*.bmp\0";

using zr640::text::Message;
using zr640::text::MessageIcon;
constexpr Message kGraphicsInformation{Key::MessageBox_MB_WATERMARK_INFORMATION1,
                                       Key::MessageBox_MB_INFORMATION, MessageIcon::Information};
constexpr Message kFileMissing{Key::MessageBox_MB_WATERMARK_ERROR1, Key::MessageBox_MB_ERROR,
                               MessageIcon::Error};
constexpr Message kCannotCreate{Key::MessageBox_MB_WATERMARK_ERROR2, Key::MessageBox_MB_ERROR,
                                MessageIcon::Error};
constexpr Message kTooBig{Key::MessageBox_MB_WATERMARK_ERROR4, Key::MessageBox_MB_ERROR,
                          MessageIcon::Error};
constexpr Message kWrongDepth{Key::MessageBox_MB_WATERMARK_ERROR5, Key::MessageBox_MB_ERROR,
                              MessageIcon::Error};
constexpr Message kNoFileName{Key::MessageBox_MB_WATERMARK_ERROR6, Key::MessageBox_MB_ERROR,
                              MessageIcon::Error};
constexpr Message kPathTooLong{Key::MessageBox_MB_WATERMARK_PATHLENGTH, Key::MessageBox_MB_ERROR,
                               MessageIcon::Error};

std::wstring Wide(std::u16string_view text) { return {text.begin(), text.end()}; }
std::u16string Narrow16(std::wstring_view text) { return {text.begin(), text.end()}; }

// Stores at most the field's characters; the rest of the field is zero-filled.
template <size_t N>
void StoreCut(char16_t (&field)[N], std::wstring_view text, size_t kept) {
    std::fill(std::begin(field), std::end(field), u'\0');
    const size_t count = std::min({text.size(), kept, N});
    std::copy_n(text.begin(), count, field);
}

// ---- Text rendering -----------------------------------------------------------------------

// The 300 x 300 rendering of the text: 32-bit pixels, bottom row first.
using TextPixels = std::vector<uint8_t>;

struct TextStyle {
    std::wstring text;
    std::wstring face;
    int style = 0;  // 0 Regular, 1 Italic, 2 Bold, 3 Bold Italic
    int pointSize = 0;
    int angle = 0;  // degrees, counter-clockwise
};

// The enumeration callbacks only copy and send: nothing in them can throw.
int CALLBACK KeepLastFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD,
                            LPARAM found) noexcept {
    *reinterpret_cast<LOGFONTW*>(found) = *font;
    return 1;
}

int CALLBACK AddTrueTypeFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD type,
                               LPARAM combo) noexcept {
    if ((type & TRUETYPE_FONTTYPE) != 0) {
        SendMessageW(reinterpret_cast<HWND>(combo), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(font->lfFaceName));
    }
    return 1;
}

// The logical font of the last family of that face name for the ANSI character set, sized for
// the device context and turned by the angle. A face the system does not list keeps its
// name, so the font mapper picks the nearest.
LOGFONTW WatermarkFont(HDC dc, const TextStyle& style) {
    LOGFONTW wanted = {};
    wanted.lfCharSet = ANSI_CHARSET;
    const size_t kept = std::min(style.face.size(), size_t{LF_FACESIZE - 1});
    std::copy_n(style.face.begin(), kept, wanted.lfFaceName);
    LOGFONTW font = wanted;
    if (kept > 0)
        EnumFontFamiliesExW(dc, &wanted, KeepLastFamily, reinterpret_cast<LPARAM>(&font), 0);
    font.lfWidth = 0;
    font.lfHeight = -MulDiv(style.pointSize, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font.lfWeight = style.style >= 2 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (style.style == 1 || style.style == 3) ? TRUE : FALSE;
    font.lfClipPrecision = CLIP_LH_ANGLES;
    font.lfEscapement = style.angle * 10;
    font.lfOrientation = style.angle * 10;
    return font;
}

// Draws the text black on white into a 300 x 300 picture, turned by the angle about the
// picture's centre. Nothing when the platform refuses the bitmap or the font.
std::optional<TextPixels> RenderText(HDC reference, const TextStyle& style) {
    constexpr int kSide = zr640::kTextPictureSide;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSide;
    info.bmiHeader.biHeight = kSide;  // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const zr640::win::ScopedBitmap picture(
        CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const LOGFONTW logical = WatermarkFont(reference, style);
    const zr640::win::ScopedGdiObject font(CreateFontIndirectW(&logical));
    const zr640::win::MemoryDC memory(reference);
    if (!picture || bits == nullptr || !font || memory.get() == nullptr) return std::nullopt;
    const zr640::win::ScopedSelection selectedPicture(memory.get(), picture.get());
    const zr640::win::ScopedSelection selectedFont(memory.get(), font.get());
    if (!selectedPicture.ok() || !selectedFont.ok()) return std::nullopt;

    const HDC dc = memory.get();
    PatBlt(dc, 0, 0, kSide, kSide, WHITENESS);
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(255, 255, 255));
    SetTextColor(dc, RGB(0, 0, 0));
    const int length = static_cast<int>(style.text.size());
    SIZE extent = {};
    GetTextExtentPoint32W(dc, style.text.c_str(), length, &extent);
    const int hx = extent.cx / 2;
    const int hy = extent.cy / 2;
    const double t = style.angle * 0.017453292522222223;
    const int x = kSide / 2 - static_cast<int>(std::trunc(hx * std::cos(t) - hy * std::sin(t)));
    const int y = kSide / 2 + static_cast<int>(std::trunc(hx * std::sin(t) + hy * std::cos(t)));
    const RECT clip = {0, 0, kSide, kSide};
    ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, style.text.c_str(), static_cast<UINT>(length),
                nullptr);
    GdiFlush();
    const auto* first = static_cast<const uint8_t*>(bits);
    return TextPixels(first, first + zr640::kTextPicturePixelBytes);
}

// ---- Drawing the preview ------------------------------------------------------------------

// A picture held as bottom-up DIB rows, stretched by the preview's layout.
struct PreviewPicture {
    int32_t width = 0;
    int32_t height = 0;
    WORD bitCount = 24;
    const uint8_t* pixels = nullptr;
};

void FillWhite(HDC dc, const RECT& area) {
    PatBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, WHITENESS);
}

// Fills the frame white and stretches the picture's rectangles into it. The layout counts
// source rows from the top; a bottom-up DIB counts them from the bottom.
void DrawPreview(HDC dc, const RECT& area, const PreviewPicture& picture, int position, int size,
                 int stretchMode) {
    FillWhite(dc, area);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = picture.bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, stretchMode);
    const auto draws = zr640::WatermarkPreviewLayout(area.right - area.left, area.bottom - area.top,
                                                     picture.width, picture.height, position, size);
    for (const zr640::PreviewDraw& draw : draws) {
        const int32_t sourceBottom = picture.height - (draw.source.y + draw.source.height);
        StretchDIBits(dc, area.left + draw.target.x, area.top + draw.target.y, draw.target.width,
                      draw.target.height, draw.source.x, sourceBottom, draw.source.width,
                      draw.source.height, picture.pixels, &info, DIB_RGB_COLORS, SRCCOPY);
    }
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
    void OnCancel() override { reload_ = true; }

    void EnableForKind(uint8_t kind) const;
    void FillTexts(const zr640::PrivateDevMode& record) const;
    void FillFonts(const zr640::PrivateDevMode& record) const;
    void ShowRecord(const zr640::PrivateDevMode& record) const;

    void ChooseKind(zr640::PrivateDevMode& record, uint8_t kind);
    void Browse(zr640::PrivateDevMode& record);
    void StoreText(zr640::PrivateDevMode& record, int code) const;
    void StoreFace(zr640::PrivateDevMode& record) const;
    void StorePosition(zr640::PrivateDevMode& record) const;
    int TiledSize(const zr640::PrivateDevMode& record, int size) const;
    void StoreSliders(zr640::PrivateDevMode& record) const;
    void StoreSlider(zr640::PrivateDevMode& record, int slider) const;

    std::optional<std::wstring> PictureFile() const;
    TextStyle StyleOf(const zr640::PrivateDevMode& record) const;
    RECT PreviewArea() const;
    void RepaintPreview() const;
    void ShowPreviewError(const Message& message);
    bool LoadImageCache();
    void PaintImage(HDC dc, const RECT& area, const zr640::PrivateDevMode& record);
    void PaintText(HDC dc, const RECT& area, const zr640::PrivateDevMode& record);

    // The image cache: the picture file's 24-bit rows, bottom row first.
    std::vector<uint8_t> cache_;
    int32_t cacheWidth_ = 0;
    int32_t cacheHeight_ = 0;
    std::vector<uint8_t> brightened_;  // the copy each paint draws
    bool reload_ = true;               // the image is read from its file at the next paint
    bool showErrors_ = true;           // the preview's first failure is shown, later ones are not
    bool ready_ = false;  // the controls are filled: changes from now on are the user's
};

// ---- Creation -----------------------------------------------------------------------------

void WatermarkPage::EnableForKind(uint8_t kind) const {
    Enable(kImageControls, kind == kKindImage);
    Enable(kTextControls, kind == kKindText);
    Enable(kCommonControls, kind == kKindImage || kind == kKindText);
}

void WatermarkPage::FillTexts(const zr640::PrivateDevMode& record) const {
    Send(IDC_WATERMARK_COMBO_TEXT, CB_LIMITTEXT, kTextLimit);
    for (const wchar_t* text : kOfferedTexts) {
        Send(IDC_WATERMARK_COMBO_TEXT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    const auto stored =
        zr640::FieldText(record.wszWatermarkText, std::size(record.wszWatermarkText));
    if (!stored.empty()) {
        SetText(IDC_WATERMARK_COMBO_TEXT, Wide(stored));
    } else {
        Send(IDC_WATERMARK_COMBO_TEXT, CB_SETCURSEL, 0);
    }
}

void WatermarkPage::FillFonts(const zr640::PrivateDevMode& record) const {
    const HWND combo = Item(IDC_WATERMARK_COMBO_FONTTYPE);
    const zr640::win::WindowDC dc(window());
    LOGFONTW all = {};
    all.lfCharSet = ANSI_CHARSET;
    EnumFontFamiliesExW(dc.get(), &all, AddTrueTypeFamily, reinterpret_cast<LPARAM>(combo), 0);
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    const std::wstring face =
        Wide(zr640::FieldText(record.wszWatermarkFont, std::size(record.wszWatermarkFont)));
    if (!face.empty()) {
        SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(face.c_str()));
    }
}

void WatermarkPage::ShowRecord(const zr640::PrivateDevMode& record) const {
    const uint8_t kind = record.bWatermarkType <= kKindText ? record.bWatermarkType : kKindNone;
    CheckRadio(window(), kKinds, kind);
    EnableForKind(kind);
    Send(IDC_WATERMARK_EDIT_BITMAP, EM_SETREADONLY, TRUE);
    SetText(
        IDC_WATERMARK_EDIT_BITMAP,
        Wide(zr640::FieldText(record.wszWatermarkBitmap, std::size(record.wszWatermarkBitmap))));
    FillTexts(record);
    FillFonts(record);
    kStyles.Select(window(), record.bWatermarkFontStyle);
    kFontSize.SetUp(window());
    kFontSize.Show(window(), record.bWatermarkFontSize);
    kAngle.SetUp(window(), static_cast<int>(std::min<uint32_t>(record.dwWatermarkAngle, 360)));
    kSize.SetUp(window(), record.bWatermarkSize);
    kBrightness.SetUp(window(), record.bWatermarkBrightness);
    kPositions.Select(window(), record.bWatermarkPosition);
}

BOOL WatermarkPage::OnInitDialog() {
    if (const zr640::PrivateDevMode* record = context().Record()) ShowRecord(*record);
    ready_ = true;
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
    reload_ = true;
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
    const auto name = zr640::WatermarkPictureFileName(Narrow16(std::wstring_view(temp, length)),
                                                      Narrow16(std::wstring_view(printer)));
    if (!name) return std::nullopt;
    return Wide(*name);
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
    const auto picture = PictureFile();
    const zr640::WatermarkConvertResult result =
        picture ? zr640::ConvertWatermarkBitmap(chosen, *picture).result
                : zr640::WatermarkConvertResult::kCannotCreate;
    switch (result) {
    case zr640::WatermarkConvertResult::kDone: break;
    case zr640::WatermarkConvertResult::kCannotCreate: Show(kCannotCreate); return;
    case zr640::WatermarkConvertResult::kNotDone: Show(kWrongDepth); return;
    }
    SetText(IDC_WATERMARK_EDIT_BITMAP, chosen);
    const std::wstring shown = ControlText(IDC_WATERMARK_EDIT_BITMAP);
    if (shown.empty()) {
        Show(kNoFileName);
        return;
    }
    zr640::StoreFieldText(record.wszWatermarkBitmap, std::size(record.wszWatermarkBitmap),
                          Narrow16(shown));
    reload_ = true;
    RepaintPreview();
    NotifyChanged();
}

// The chosen entry, or what was typed; at most the field's 16 characters.
void WatermarkPage::StoreText(zr640::PrivateDevMode& record, int code) const {
    std::wstring text;
    const LRESULT selected = Send(IDC_WATERMARK_COMBO_TEXT, CB_GETCURSEL);
    if (code == CBN_SELCHANGE && selected != CB_ERR) {
        const auto length =
            Send(IDC_WATERMARK_COMBO_TEXT, CB_GETLBTEXTLEN, static_cast<WPARAM>(selected));
        if (length > 0) {
            text.assign(static_cast<size_t>(length) + 1, L'\0');
            Send(IDC_WATERMARK_COMBO_TEXT, CB_GETLBTEXT, static_cast<WPARAM>(selected),
                 reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<size_t>(length));
        }
    } else {
        text = ControlText(IDC_WATERMARK_COMBO_TEXT);
    }
    StoreCut(record.wszWatermarkText, text, kTextLimit);
}

void WatermarkPage::StoreFace(zr640::PrivateDevMode& record) const {
    StoreCut(record.wszWatermarkFont, ControlText(IDC_WATERMARK_COMBO_FONTTYPE),
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

void WatermarkPage::StoreSliders(zr640::PrivateDevMode& record) const {
    record.dwWatermarkAngle = static_cast<uint32_t>(kAngle.ShowPosition(window()));
    record.bWatermarkSize = static_cast<uint8_t>(TiledSize(record, kSize.ShowPosition(window())));
    record.bWatermarkBrightness = static_cast<uint8_t>(kBrightness.ShowPosition(window()));
}

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

void WatermarkPage::OnCommand(int control, int code) {
    zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr || !ready_) return;
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
        StoreText(*record, code);
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
    if (record == nullptr || !ready_ || code < TB_LINEUP || code >= TB_ENDTRACK) return;
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

void WatermarkPage::ShowPreviewError(const Message& message) {
    if (!showErrors_) return;
    showErrors_ = false;
    Show(message);
}

TextStyle WatermarkPage::StyleOf(const zr640::PrivateDevMode& record) const {
    TextStyle style;
    style.text = ControlText(IDC_WATERMARK_COMBO_TEXT).substr(0, kTextLimit);  // what the box shows
    style.face = ControlText(IDC_WATERMARK_COMBO_FONTTYPE);
    style.style = record.bWatermarkFontStyle;
    style.pointSize = record.bWatermarkFontSize;  // while typing it may lie below the range
    style.angle = static_cast<int>(std::min<uint32_t>(record.dwWatermarkAngle, 360));
    return style;
}

// Converts the chosen bitmap into the picture file and reads that file's rows into the cache
// (a second try when the fresh file does not load). False, with the reload still due, when
// any step fails.
bool WatermarkPage::LoadImageCache() {
    const std::wstring chosen = ControlText(IDC_WATERMARK_EDIT_BITMAP);
    const auto picture = PictureFile();
    if (!picture) {
        ShowPreviewError(kCannotCreate);
        return false;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        const zr640::WatermarkConversion conversion =
            zr640::ConvertWatermarkBitmap(chosen, *picture);
        if (!conversion.done()) {
            ShowPreviewError(conversion.result == zr640::WatermarkConvertResult::kCannotCreate
                                 ? kCannotCreate
                                 : kFileMissing);
            return false;
        }
        const zr640::win::ScopedBitmap loaded(static_cast<HBITMAP>(LoadImageW(
            nullptr, picture->c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
        BITMAP size = {};
        if (!loaded || GetObjectW(loaded.get(), sizeof size, &size) == 0) continue;
        if (!zr640::FitsImageCache(size.bmWidth, size.bmHeight)) {
            Show(kTooBig);  // on every paint that tries
            return false;
        }
        const size_t rowBytes = (static_cast<size_t>(size.bmWidth) * 3 + 3) / 4 * 4;
        std::vector<uint8_t> rows(rowBytes * static_cast<size_t>(size.bmHeight));
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = size.bmWidth;
        info.bmiHeader.biHeight = size.bmHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        const zr640::win::WindowDC dc(window());
        if (GetDIBits(dc.get(), loaded.get(), 0, static_cast<UINT>(size.bmHeight), rows.data(),
                      &info, DIB_RGB_COLORS) != size.bmHeight) {
            continue;
        }
        cache_ = std::move(rows);
        cacheWidth_ = size.bmWidth;
        cacheHeight_ = size.bmHeight;
        return true;
    }
    ShowPreviewError(kFileMissing);
    return false;
}

void WatermarkPage::PaintImage(HDC dc, const RECT& area, const zr640::PrivateDevMode& record) {
    if (reload_) {
        if (!LoadImageCache()) return;  // the frame stays as it was
        reload_ = false;
    }
    brightened_.resize(cache_.size());
    zr640::BrightenPixels(cache_, brightened_, record.bWatermarkBrightness);
    DrawPreview(dc, area, {cacheWidth_, cacheHeight_, 24, brightened_.data()},
                record.bWatermarkPosition, record.bWatermarkSize, COLORONCOLOR);
}

void WatermarkPage::PaintText(HDC dc, const RECT& area, const zr640::PrivateDevMode& record) {
    reload_ = true;
    auto pixels = RenderText(dc, StyleOf(record));
    if (!pixels) return;
    zr640::BrightenPixels(*pixels, record.bWatermarkBrightness);
    constexpr int32_t kSide = zr640::kTextPictureSide;
    DrawPreview(dc, area, {kSide, kSide, 32, pixels->data()}, record.bWatermarkPosition,
                record.bWatermarkSize, BLACKONWHITE);
}

bool WatermarkPage::OnPaint() {
    const zr640::win::PaintDC paint(window());
    const zr640::PrivateDevMode* record = context().Record();
    const RECT area = PreviewArea();
    if (record == nullptr || !RectVisible(paint.get(), &area)) return true;
    if (Checked(IDC_WATERMARK_RADIO_TEXT)) {
        PaintText(paint.get(), area, *record);
    } else if (Checked(IDC_WATERMARK_RADIO_IMAGE) &&
               !ControlText(IDC_WATERMARK_EDIT_BITMAP).empty()) {
        PaintImage(paint.get(), area, *record);
    } else {
        FillWhite(paint.get(), area);
        reload_ = true;
    }
    return true;
}

// ---- Apply --------------------------------------------------------------------------------

// Everything again from the controls; a text water mark also writes its picture file. When
// that file cannot be written nothing is shown and the sheet is not told of success.
void WatermarkPage::OnApply() {
    zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr) return;
    const uint8_t kind = static_cast<uint8_t>(CheckedRadio(window(), kKinds).value_or(kKindNone));
    record->bWatermarkType = kind;
    if (kind != kKindNone) record->bPrintAsImage = 1;
    if (const auto position = kPositions.Selected(window()))
        record->bWatermarkPosition = static_cast<uint8_t>(*position);
    record->dwWatermarkAngle = static_cast<uint32_t>(kAngle.Position(window()));
    record->bWatermarkSize = static_cast<uint8_t>(TiledSize(*record, kSize.Position(window())));
    record->bWatermarkBrightness = static_cast<uint8_t>(kBrightness.Position(window()));
    record->bWatermarkFontSize =
        static_cast<uint8_t>(kFontSize.Read(window(), ClampMoment::Leaving));
    if (const auto style = kStyles.Selected(window()))
        record->bWatermarkFontStyle = static_cast<uint8_t>(*style);
    if (kind == kKindImage) {
        const std::wstring path = ControlText(IDC_WATERMARK_EDIT_BITMAP);
        zr640::StoreFieldText(record->wszWatermarkBitmap, std::size(record->wszWatermarkBitmap),
                              Narrow16(path));
    }
    if (kind != kKindText) return;
    StoreText(*record, CBN_EDITCHANGE);
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
