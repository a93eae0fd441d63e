// The 1D Code page: the settings of the eight one-dimensional barcode fonts and a test print.
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "resource.h"

namespace zr640ui {
namespace {

// Not captions: the HRI position, HRI content and AI texts of this section are list entries;
// they go with their lists, which are refilled (keeping their selections) on every reload. The
// font and type names, "Font A"/"Font B", "mm" and the range labels are not translated.
constexpr TextBinding kCaptions[] = {
    {IDC_CODE1D_LABEL_FONTNAME, Key::Code1D_RC_STATIC_1DCODE_FONTNAME},
    {IDC_CODE1D_LABEL_TYPE, Key::Code1D_RC_STATIC_1DCODE_TYPE},
    {IDC_CODE1D_LABEL_WIDTH, Key::Code1D_RC_STATIC_1DCODE_WIDTH},
    {IDC_CODE1D_LABEL_HEIGHT, Key::Code1D_RC_STATIC_1DCODE_HEIGHT},
    {IDC_CODE1D_LABEL_POINT, Key::Code1D_RC_STATIC_1DCODE_POINT},
    {IDC_CODE1D_LABEL_NOTICE, Key::Code1D_RC_STATIC_1DCODE_NOTICE},  // never shown, still kept current
    {IDC_CODE1D_LABEL_POSITION, Key::Code1D_RC_STATIC_1DCODE_POSITION},
    {IDC_CODE1D_LABEL_HRIFONT, Key::Code1D_RC_STATIC_1DCODE_HRIFONT},
    {IDC_CODE1D_GROUP_GENERAL, Key::Code1D_RC_STATIC_GENERALBARCODE},
    {IDC_CODE1D_GROUP_GS1, Key::Code1D_RC_STATIC_1DCODE_GSDATABAR},
    {IDC_CODE1D_LABEL_GS1TYPE, Key::Code1D_RC_STATIC_1DCODE_GSTYPE},
    {IDC_CODE1D_RADIO_INDEPENDENCE, Key::Code1D_RC_RADIO_Independence1},
    {IDC_CODE1D_RADIO_COMPOSITE, Key::Code1D_RC_RADIO_Complex1},
    {IDC_CODE1D_LABEL_GS1WIDTH, Key::Code1D_RC_STATIC_1DCODE_GSEWIDTH},
    {IDC_CODE1D_LABEL_ROWHEIGHT, Key::Code1D_RC_STATIC_1DCODE_GSRHEIGHT},
    {IDC_CODE1D_LABEL_ROWHEIGHT2D, Key::Code1D_RC_STATIC_1DCODE_GS2DRHEIGHT},
    {IDC_CODE1D_LABEL_SEPARATOR, Key::Code1D_RC_STATIC_1DCODE_GSSHEIGHT},
    {IDC_CODE1D_LABEL_HRI, Key::Code1D_RC_STATIC_1DCODE_HRI},
    {IDC_CODE1D_LABEL_AI, Key::Code1D_RC_STATIC_1DCODE_AAISTD},
    {IDC_CODE1D_GROUP_PRINT, Key::Code1D_RC_STATIC_1DCODE_PRINT},
    {IDC_CODE1D_LABEL_DATA, Key::Code1D_RC_STATIC_1DCODE_DATA},
    {IDC_CODE1D_BUTTON_PRINT, Key::Code1D_RC_BUTTON_PRINT},
};

constexpr TextBinding kHelp[] = {
    {IDC_CODE1D_COMBO_FONTNAME, Key::Code1D_CTEXT_FONTNAME},
    {IDC_CODE1D_COMBO_TYPE, Key::Code1D_CTEXT_BARCODETYPE},
    {IDC_CODE1D_EDIT_WIDTH, Key::Code1D_CTEXT_EDIT_WIDTH1D},
    {IDC_CODE1D_EDIT_HEIGHT, Key::Code1D_CTEXT_EDIT_HEIGHT1D},
    {IDC_CODE1D_COMBO_POSITION, Key::Code1D_CTEXT_HRIPOSITION},
    {IDC_CODE1D_RADIO_FONTA, Key::Code1D_CTEXT_FONTA},
    {IDC_CODE1D_RADIO_FONTB, Key::Code1D_CTEXT_FONTB},
    {IDC_CODE1D_EDIT_DATA, Key::Code1D_CTEXT_EDIT_PRINT},
    {IDC_CODE1D_BUTTON_PRINT, Key::Code1D_CTEXT_BUTTON_PRINT},
    {IDC_CODE1D_RADIO_INDEPENDENCE, Key::Code1D_CTEXT_RADIO_Independence1},
    {IDC_CODE1D_RADIO_COMPOSITE, Key::Code1D_CTEXT_RADIO_Complex1},
    {IDC_CODE1D_EDIT_GS1WIDTH, Key::Code1D_CTEXT_EDIT_GS1WIDTH},
    {IDC_CODE1D_EDIT_ROWHEIGHT, Key::Code1D_CTEXT_EDIT_GS1HEIGHT},
    {IDC_CODE1D_EDIT_ROWHEIGHT2D, Key::Code1D_CTEXT_EDIT_ComplexHEIGHT},
    {IDC_CODE1D_EDIT_SEPARATOR, Key::Code1D_CTEXT_EDIT_SeparatorHEIGHT},
    {IDC_CODE1D_COMBO_HRI, Key::Code1D_CTEXT_CMB_HRI},
    {IDC_CODE1D_COMBO_AI, Key::Code1D_CTEXT_CMB_AI},
};

constexpr PageDefinition kPage = {Section::Code1D, kCaptions, kHelp};

// Captions and tooltip help are all this page does so far.
class Code1DPage final : public DocumentPage {
public:
    explicit Code1DPage(DocumentSheetContext& context) : DocumentPage(context, kPage) {}
};

}  // namespace

const PageDefinition& Code1DPageDefinition() { return kPage; }

INT_PTR CALLBACK Code1DPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<Code1DPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
