// The Water Mark page: none, an image or a text printed under every page.
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "resource.h"

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

constexpr PageDefinition kPage = {Section::Watermark, kCaptions, kHelp};

// Captions and tooltip help are all this page does so far.
class WatermarkPage final : public DocumentPage {
public:
    explicit WatermarkPage(DocumentSheetContext& context) : DocumentPage(context, kPage) {}
};

}  // namespace

const PageDefinition& WatermarkPageDefinition() { return kPage; }

INT_PTR CALLBACK WatermarkPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<WatermarkPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
