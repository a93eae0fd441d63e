// The 1D Code page: the settings of the eight one-dimensional barcode fonts and a test print.
// The font list decides which entry of the record every control edits; each change is stored
// at once. The general and the GS1 DataBar controls share one area of the page and are shown
// by the selected type.
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <utility>

#include "core/barcode/barcode_types.h"
#include "core/barcode/field_clamps.h"
#include "core/barcode/symbol_height.h"
#include "core/barcode/test_print.h"
#include "core/settings/private_devmode.h"
#include "plugin/pages/document/code_page_parts.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "resource.h"
#include "win32/wide_text.h"

namespace zr640ui {
namespace {

using zr640::win::WideFromUtf16;
using zr640::win::WideFromUtf8;

// Not captions: the HRI position, HRI content and AI texts of this section are list entries;
// they go with their lists, which are refilled (keeping their selections) on every reload. The
// font and type names, "Font A"/"Font B", "mm" and the range labels are not translated.
constexpr TextBinding kCaptions[] = {
    {IDC_CODE1D_LABEL_FONTNAME, Key::Code1D_RC_STATIC_1DCODE_FONTNAME},
    {IDC_CODE1D_LABEL_TYPE, Key::Code1D_RC_STATIC_1DCODE_TYPE},
    {IDC_CODE1D_LABEL_WIDTH, Key::Code1D_RC_STATIC_1DCODE_WIDTH},
    {IDC_CODE1D_LABEL_HEIGHT, Key::Code1D_RC_STATIC_1DCODE_HEIGHT},
    {IDC_CODE1D_LABEL_POINT, Key::Code1D_RC_STATIC_1DCODE_POINT},
    {IDC_CODE1D_LABEL_NOTICE,
     Key::Code1D_RC_STATIC_1DCODE_NOTICE},  // never shown, still kept current
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

constexpr Key kPositions[] = {
    Key::Code1D_RC_STATIC_1DCODE_POSITION1, Key::Code1D_RC_STATIC_1DCODE_POSITION2,
    Key::Code1D_RC_STATIC_1DCODE_POSITION3, Key::Code1D_RC_STATIC_1DCODE_POSITION4};
constexpr Key kHriContents[] = {Key::Code1D_RC_CMB_HRI1, Key::Code1D_RC_CMB_HRI2,
                                Key::Code1D_RC_CMB_HRI3, Key::Code1D_RC_CMB_HRI4};
constexpr Key kAiChoices[] = {Key::Code1D_RC_CMB_AI1, Key::Code1D_RC_CMB_AI2};

constexpr ChoiceList kPositionList{IDC_CODE1D_COMBO_POSITION, kPositions};
constexpr ChoiceList kHriList{IDC_CODE1D_COMBO_HRI, kHriContents};
constexpr ChoiceList kAiList{IDC_CODE1D_COMBO_AI, kAiChoices};
constexpr ChoiceList kLists[] = {kPositionList, kHriList, kAiList};

constexpr PageDefinition kPage = {
    .section = Section::Code1D, .captions = kCaptions, .help = kHelp, .lists = kLists};

using zr640::Field1D;

// The number fields: edit, up-down, character limit and the entry field it edits (whose
// range the core gives).
using FieldBinding = CodeField<Field1D>;

constexpr FieldBinding kFields[] = {
    {IDC_CODE1D_EDIT_WIDTH, IDC_CODE1D_SPIN_WIDTH, 1, Field1D::kElementWidth},
    {IDC_CODE1D_EDIT_HEIGHT, IDC_CODE1D_SPIN_HEIGHT, 3, Field1D::kElementHeight},
    {IDC_CODE1D_EDIT_GS1WIDTH, IDC_CODE1D_SPIN_GS1WIDTH, 1, Field1D::kGs1ElementWidth},
    {IDC_CODE1D_EDIT_ROWHEIGHT, IDC_CODE1D_SPIN_ROWHEIGHT, 3, Field1D::kGs1RowHeight},
    {IDC_CODE1D_EDIT_ROWHEIGHT2D, IDC_CODE1D_SPIN_ROWHEIGHT2D, 1, Field1D::kGs1RowHeight2D},
    {IDC_CODE1D_EDIT_SEPARATOR, IDC_CODE1D_SPIN_SEPARATOR, 1, Field1D::kGs1SeparatorHeight},
};

constexpr int kGeneralGroup[] = {
    IDC_CODE1D_GROUP_GENERAL, IDC_CODE1D_LABEL_WIDTH,    IDC_CODE1D_EDIT_WIDTH,
    IDC_CODE1D_SPIN_WIDTH,    IDC_CODE1D_RANGE_WIDTH,    IDC_CODE1D_LABEL_HEIGHT,
    IDC_CODE1D_EDIT_HEIGHT,   IDC_CODE1D_SPIN_HEIGHT,    IDC_CODE1D_RANGE_HEIGHT,
    IDC_CODE1D_EDIT_MM,       IDC_CODE1D_LABEL_MM,       IDC_CODE1D_EDIT_POINT,
    IDC_CODE1D_LABEL_POINT,   IDC_CODE1D_LABEL_POSITION, IDC_CODE1D_COMBO_POSITION,
    IDC_CODE1D_LABEL_HRIFONT, IDC_CODE1D_RADIO_FONTA,    IDC_CODE1D_RADIO_FONTB,
};

constexpr int kGs1Group[] = {
    IDC_CODE1D_GROUP_GS1,         IDC_CODE1D_LABEL_GS1TYPE,    IDC_CODE1D_RADIO_INDEPENDENCE,
    IDC_CODE1D_RADIO_COMPOSITE,   IDC_CODE1D_LABEL_GS1WIDTH,   IDC_CODE1D_EDIT_GS1WIDTH,
    IDC_CODE1D_SPIN_GS1WIDTH,     IDC_CODE1D_RANGE_GS1WIDTH,   IDC_CODE1D_LABEL_ROWHEIGHT,
    IDC_CODE1D_EDIT_ROWHEIGHT,    IDC_CODE1D_SPIN_ROWHEIGHT,   IDC_CODE1D_RANGE_ROWHEIGHT,
    IDC_CODE1D_LABEL_ROWHEIGHT2D, IDC_CODE1D_EDIT_ROWHEIGHT2D, IDC_CODE1D_SPIN_ROWHEIGHT2D,
    IDC_CODE1D_RANGE_ROWHEIGHT2D, IDC_CODE1D_LABEL_SEPARATOR,  IDC_CODE1D_EDIT_SEPARATOR,
    IDC_CODE1D_SPIN_SEPARATOR,    IDC_CODE1D_RANGE_SEPARATOR,  IDC_CODE1D_LABEL_HRI,
    IDC_CODE1D_COMBO_HRI,         IDC_CODE1D_LABEL_AI,         IDC_CODE1D_COMBO_AI,
};

constexpr int kHriFonts[] = {IDC_CODE1D_RADIO_FONTA, IDC_CODE1D_RADIO_FONTB};
constexpr int kRowHeight2D[] = {IDC_CODE1D_EDIT_ROWHEIGHT2D, IDC_CODE1D_SPIN_ROWHEIGHT2D};
constexpr int kFontCount = 8;

bool Gs1Type(uint8_t bType) {
    const auto type = zr640::Barcode1DTypeOf(bType);
    return type && type->gs1();
}

class Code1DPage final : public DocumentPage {
public:
    explicit Code1DPage(DocumentSheetContext& context) : DocumentPage(context, kPage) {}

private:
    // The entry the controls edit: the font list's selection.
    zr640::Barcode1DSettings* Font() const;

    BOOL OnInitDialog() override;
    void OnCommand(int control, int code) override;
    void OnApply() override;

    void FillFixedLists() const;
    void ShowGroup(uint8_t bType) const;
    void ShowFont(const zr640::Barcode1DSettings& font) const;
    void ShowSample(uint8_t bType);
    void ShowFontSize(const zr640::Barcode1DSettings& font) const;
    void ChooseIndependence(bool independent) const;
    void OnFontList(int code);
    void OnTypeList(zr640::Barcode1DSettings& font, int code);
    void OnList(zr640::Barcode1DSettings& font, int control, int code);
    void OnField(zr640::Barcode1DSettings& font, const FieldBinding& binding, int code);

    // The font and type whose sample the Data box was last given: a person's own test data
    // stays until one of them really changes.
    std::pair<LRESULT, int> sampleOf_{-1, -1};
};

zr640::Barcode1DSettings* Code1DPage::Font() const {
    zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr) return nullptr;
    const LRESULT font = Send(IDC_CODE1D_COMBO_FONTNAME, CB_GETCURSEL);
    if (font < 0 || font >= kFontCount) return nullptr;
    return &record->barcode1D[font];
}

void Code1DPage::FillFixedLists() const {
    for (int font = 1; font <= kFontCount; ++font) {
        const std::wstring name = L"1D Code" + std::to_wstring(font);
        Send(IDC_CODE1D_COMBO_FONTNAME, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    for (const zr640::Barcode1DType& type : zr640::Barcode1DTypes()) {
        const std::wstring name = WideFromUtf16(type.name);
        Send(IDC_CODE1D_COMBO_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void Code1DPage::ShowGroup(uint8_t bType) const {
    const bool gs1 = Gs1Type(bType);
    SetVisible(kGeneralGroup, !gs1);
    SetVisible(kGs1Group, gs1);
}

// The font's entry in the controls. Filling them is not an edit: nothing is stored.
void Code1DPage::ShowFont(const zr640::Barcode1DSettings& font) const {
    const Filling filling(*this);
    Send(IDC_CODE1D_COMBO_TYPE, CB_SETCURSEL, font.bType);
    for (const FieldBinding& binding : kFields) {
        binding.Number().Show(window(), zr640::StoredField(font, binding.field));
    }
    kPositionList.Select(window(), font.bHriPosition);
    kHriList.Select(window(), static_cast<int>(font.bGs1Hri) - 1);
    kAiList.Select(window(), font.bGs1Ai);
    Enable(kHriFonts, font.bHriPosition != 0);
    Check(IDC_CODE1D_RADIO_FONTA, font.bHriFont == 0);
    Check(IDC_CODE1D_RADIO_FONTB, font.bHriFont == 1);
    Enable(IDC_CODE1D_COMBO_AI, font.bType == zr640::kGs1Expanded1DType);
}

void Code1DPage::ShowSample(uint8_t bType) {
    const std::pair<LRESULT, int> of{Send(IDC_CODE1D_COMBO_FONTNAME, CB_GETCURSEL), bType};
    if (of == sampleOf_) return;
    sampleOf_ = of;
    const auto type = zr640::Barcode1DTypeOf(bType);
    SetText(IDC_CODE1D_EDIT_DATA, type ? WideFromUtf16(type->sample) : std::wstring());
    Enable(IDC_CODE1D_BUTTON_PRINT, GetWindowTextLengthW(Item(IDC_CODE1D_EDIT_DATA)) > 0);
}

// The font size to choose in the application, shown whenever the symbol height may have
// changed, so the advice is never stale.
void Code1DPage::ShowFontSize(const zr640::Barcode1DSettings& font) const {
    SetText(IDC_CODE1D_EDIT_MM, WideFromUtf8(zr640::SymbolHeightMillimetres(font.dwSymbolHeight)));
    SetText(IDC_CODE1D_EDIT_POINT, WideFromUtf8(zr640::SymbolHeightPoints(font.dwSymbolHeight)));
}

// Independence and Composite store nothing: Composite only opens the 2D row height.
void Code1DPage::ChooseIndependence(bool independent) const {
    Check(IDC_CODE1D_RADIO_INDEPENDENCE, independent);
    Check(IDC_CODE1D_RADIO_COMPOSITE, !independent);
    Enable(kRowHeight2D, !independent);
}

BOOL Code1DPage::OnInitDialog() {
    FillFixedLists();
    for (const FieldBinding& binding : kFields) binding.Number().SetUp(window());
    SetText(IDC_CODE1D_RANGE_WIDTH, L"[ 2. . 6 ]");
    SetText(IDC_CODE1D_RANGE_HEIGHT, L"[ 1 . . 255 ]");
    Check(IDC_CODE1D_RADIO_FONTA, true);
    Enable(kHriFonts, false);
    for (const int box : {IDC_CODE1D_EDIT_MM, IDC_CODE1D_EDIT_POINT}) {
        Enable(box, false);
        Send(box, EM_SETREADONLY, TRUE);
    }
    ChooseIndependence(true);
    Send(IDC_CODE1D_COMBO_FONTNAME, CB_SETCURSEL, 0);
    const zr640::Barcode1DSettings* font = Font();
    if (font == nullptr) {
        ShowGroup(0);
        return TRUE;
    }
    ShowGroup(font->bType);
    ShowFont(*font);
    ShowSample(font->bType);
    ShowFontSize(*font);
    return TRUE;
}

// A change of font shows the font's entry in its type's group (a GS1 DataBar font starts as an
// independent symbol). Other notifications of the list (focus, drop-down) change nothing: the
// fields a person is moving into keep their text and selection.
void Code1DPage::OnFontList(int code) {
    const zr640::Barcode1DSettings* font = Font();
    if (font == nullptr || code != CBN_SELCHANGE) return;
    ShowFont(*font);
    ShowGroup(font->bType);
    if (Gs1Type(font->bType)) ChooseIndependence(true);
    ShowSample(font->bType);
    ShowFontSize(*font);
}

void Code1DPage::OnTypeList(zr640::Barcode1DSettings& font, int code) {
    const LRESULT selected = Send(IDC_CODE1D_COMBO_TYPE, CB_GETCURSEL);
    if (selected < 0) return;
    const auto bType = static_cast<uint8_t>(selected);
    if (code == CBN_SELCHANGE) {
        ShowGroup(bType);
        NotifyChanged();
    }
    font.bType = bType;
    Enable(IDC_CODE1D_COMBO_AI, bType == zr640::kGs1Expanded1DType);
    ShowSample(bType);
}

// The lists store their selection on every notification; a change of selection is reported.
void Code1DPage::OnList(zr640::Barcode1DSettings& font, int control, int code) {
    const LRESULT selected = Send(control, CB_GETCURSEL);
    if (selected < 0) return;
    const auto entry = static_cast<uint8_t>(selected);
    switch (control) {
    case IDC_CODE1D_COMBO_POSITION:
        zr640::StoreHriPosition(font, entry);
        Enable(kHriFonts, entry != 0);
        ShowFontSize(font);
        break;
    case IDC_CODE1D_COMBO_HRI: font.bGs1Hri = static_cast<uint8_t>(entry + 1); break;
    case IDC_CODE1D_COMBO_AI: font.bGs1Ai = entry; break;
    default: return;
    }
    if (code == CBN_SELCHANGE) NotifyChanged();
}

void Code1DPage::OnCommand(int control, int code) {
    if (control == IDC_CODE1D_COMBO_FONTNAME) return OnFontList(code);
    if (control == IDC_CODE1D_EDIT_DATA) {
        Enable(IDC_CODE1D_BUTTON_PRINT, GetWindowTextLengthW(Item(IDC_CODE1D_EDIT_DATA)) > 0);
        return;
    }
    zr640::Barcode1DSettings* font = Font();
    if (font == nullptr) return;
    for (const FieldBinding& binding : kFields) {
        if (binding.edit == control) return OnField(*font, binding, code);
    }
    switch (control) {
    case IDC_CODE1D_COMBO_TYPE: return OnTypeList(*font, code);
    case IDC_CODE1D_COMBO_POSITION:
    case IDC_CODE1D_COMBO_HRI:
    case IDC_CODE1D_COMBO_AI: return OnList(*font, control, code);
    case IDC_CODE1D_RADIO_FONTA:
    case IDC_CODE1D_RADIO_FONTB:
        if (code != BN_CLICKED) return;
        zr640::StoreHriFont(*font, control == IDC_CODE1D_RADIO_FONTB ? 1 : 0);
        ShowFontSize(*font);
        NotifyChanged();
        return;
    case IDC_CODE1D_RADIO_INDEPENDENCE:
    case IDC_CODE1D_RADIO_COMPOSITE:
        if (code == BN_CLICKED) ChooseIndependence(control == IDC_CODE1D_RADIO_INDEPENDENCE);
        return;
    case IDC_CODE1D_BUTTON_PRINT:
        if (code == BN_CLICKED) {
            SendTestPrint(window(), IDC_CODE1D_EDIT_DATA, Printer(), zr640::kBarcode1DDataError,
                          [font](std::span<const uint8_t> data) {
                              return zr640::Barcode1DTestPrint(*font, data);
                          });
        }
        return;
    default: return;
    }
}

// A typed value is stored while typing, or when the field is left if it lies below the range.
void Code1DPage::OnField(zr640::Barcode1DSettings& font, const FieldBinding& binding, int code) {
    if (filling() || (code != EN_CHANGE && code != EN_KILLFOCUS)) return;
    const ClampMoment moment = code == EN_CHANGE ? ClampMoment::Typing : ClampMoment::Leaving;
    if (!StoreTypedField(window(), font, binding.Number(), binding.field, moment)) return;
    ShowFontSize(font);
    NotifyChanged();
}

// Apply may come while a field still holds a value below its range: it is raised and stored.
void Code1DPage::OnApply() {
    zr640::Barcode1DSettings* font = Font();
    if (font == nullptr) return;
    for (const FieldBinding& binding : kFields) {
        StoreTypedField(window(), *font, binding.Number(), binding.field, ClampMoment::Leaving);
    }
    ShowFontSize(*font);
}

}  // namespace

const PageDefinition& Code1DPageDefinition() { return kPage; }

INT_PTR CALLBACK Code1DPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<Code1DPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
