// The 2D Code page: the settings of the two two-dimensional barcode fonts and a test print.
// The font list decides which entry of the record every control edits; each change is stored
// at once. The PDF417, GS1 DataBar and QR controls share one area of the page and are shown by
// the selected type (Maxi Code has no settings of its own).
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <utility>

#include "core/barcode/barcode_types.h"
#include "core/barcode/field_clamps.h"
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

// Not captions: the error-correction, HRI, AI and QR language texts of this section are list
// entries; they go with their lists, which are refilled (keeping their selections) on every
// reload. The font and type names, the QR model and error letters and the range labels are not
// translated.
constexpr TextBinding kCaptions[] = {
    {IDC_CODE2D_LABEL_FONTNAME, Key::Code2D_RC_STATIC_2DCODE_FONTNAME},
    {IDC_CODE2D_LABEL_TYPE, Key::Code2D_RC_STATIC_2DCODE_TYPE},
    {IDC_CODE2D_LABEL_POINT, Key::Code2D_RC_STATIC_2DCODE_POINT},
    {IDC_CODE2D_LABEL_NOTICE, Key::Code2D_RC_STATIC_2DCODE_NOTICE},
    {IDC_CODE2D_GROUP_PDF417, Key::Code2D_RC_STATIC_2DCODE_PDF417},
    {IDC_CODE2D_LABEL_COLUMNS, Key::Code2D_RC_STATIC_2DCODE_COLUMN},
    {IDC_CODE2D_LABEL_PDFWIDTH, Key::Code2D_RC_STATIC_2DCODE_ELEMENTWIDTH},
    {IDC_CODE2D_LABEL_ROWS, Key::Code2D_RC_STATIC_2DCODE_ROW},
    {IDC_CODE2D_LABEL_PDFHEIGHT, Key::Code2D_RC_STATIC_2DCODE_ELEMENTHEIGHT},
    {IDC_CODE2D_LABEL_ERRORLEVEL, Key::Code2D_RC_STATIC_2DCODE_ERRORCOR},
    {IDC_CODE2D_GROUP_GS1, Key::Code2D_RC_STATIC_2DCODE_GSDATABAR},
    {IDC_CODE2D_LABEL_GS1TYPE, Key::Code2D_RC_STATIC_2DCODE_GSTYPE},
    {IDC_CODE2D_RADIO_INDEPENDENCE, Key::Code2D_RC_RADIO_Independence},
    {IDC_CODE2D_RADIO_COMPOSITE, Key::Code2D_RC_RADIO_Complex},
    {IDC_CODE2D_LABEL_GS1WIDTH, Key::Code2D_RC_STATIC_2DCODE_GSEWIDTH},
    {IDC_CODE2D_LABEL_ROWHEIGHT2D, Key::Code2D_RC_STATIC_2DCODE_GS2DRHEIGHT},
    {IDC_CODE2D_LABEL_ROWHEIGHT, Key::Code2D_RC_STATIC_2DCODE_GSRHEIGHT},
    {IDC_CODE2D_LABEL_SEPARATOR, Key::Code2D_RC_STATIC_2DCODE_GSSHEIGHT},
    {IDC_CODE2D_LABEL_SEGMENTS, Key::Code2D_RC_STATIC_2DCODE_GSSNUMBER},
    {IDC_CODE2D_LABEL_HRI, Key::Code2D_RC_STATIC_2DCODE_GSHRI},
    {IDC_CODE2D_LABEL_AI, Key::Code2D_RC_STATIC_2DCODE_GSAAISTD},
    {IDC_CODE2D_GROUP_QR, Key::Code2D_RC_STATIC_2DCODE_QR},
    {IDC_CODE2D_LABEL_QRWIDTH, Key::Code2D_RC_STATIC_2DCODE_QREWIDTH},
    {IDC_CODE2D_LABEL_QRLANGUAGE, Key::Code2D_RC_STATIC_2DCODE_QRLMODE},
    {IDC_CODE2D_LABEL_QRMODEL, Key::Code2D_RC_STATIC_2DCODE_QRMODE},
    {IDC_CODE2D_LABEL_QRERROR, Key::Code2D_RC_STATIC_2DCODE_QRECORRECTION},
    {IDC_CODE2D_GROUP_PRINT, Key::Code2D_RC_STATIC_2DCODE_PRINT},
    {IDC_CODE2D_LABEL_DATA, Key::Code2D_RC_STATIC_2DCODE_DATA},
    {IDC_CODE2D_BUTTON_PRINT, Key::Code2D_RC_BUTTON_PRINT2D},
};

constexpr TextBinding kHelp[] = {
    {IDC_CODE2D_COMBO_FONTNAME, Key::Code2D_CTEXT_FONTNAME2D},
    {IDC_CODE2D_COMBO_TYPE, Key::Code2D_CTEXT_BARCODETYPE2D},
    {IDC_CODE2D_RADIO_INDEPENDENCE, Key::Code2D_CTEXT_RADIO_Independence},
    {IDC_CODE2D_RADIO_COMPOSITE, Key::Code2D_CTEXT_RADIO_Complex},
    {IDC_CODE2D_EDIT_GS1WIDTH, Key::Code2D_CTEXT_EDIT_GS1WIDTH2},
    {IDC_CODE2D_EDIT_ROWHEIGHT, Key::Code2D_CTEXT_EDIT_GS1HEIGHT2},
    {IDC_CODE2D_EDIT_ROWHEIGHT2D, Key::Code2D_CTEXT_EDIT_ComplexHEIGHT2},
    {IDC_CODE2D_EDIT_SEPARATOR, Key::Code2D_CTEXT_EDIT_SeparatorHEIGHT2},
    {IDC_CODE2D_EDIT_SEGMENTS, Key::Code2D_CTEXT_EDIT_SECTIONNUM},
    {IDC_CODE2D_COMBO_HRI, Key::Code2D_CTEXT_CMB_HRI2},
    {IDC_CODE2D_COMBO_AI, Key::Code2D_CTEXT_CMB_AI2},
    {IDC_CODE2D_EDIT_DATA, Key::Code2D_CTEXT_EDIT_PRINT2D},
    {IDC_CODE2D_BUTTON_PRINT, Key::Code2D_CTEXT_BUTTON_PRINT2D},
    {IDC_CODE2D_EDIT_COLUMNS, Key::Code2D_CTEXT_EDIT_COLUMN},
    {IDC_CODE2D_EDIT_PDFWIDTH, Key::Code2D_CTEXT_EDIT_WIDTH2D},
    {IDC_CODE2D_EDIT_ROWS, Key::Code2D_CTEXT_EDIT_ROW},
    {IDC_CODE2D_EDIT_PDFHEIGHT, Key::Code2D_CTEXT_EDIT_HEIGHT2D},
    {IDC_CODE2D_COMBO_ERRORLEVEL, Key::Code2D_CTEXT_ERRORCORRECTIONLEVEL},
    {IDC_CODE2D_EDIT_QRWIDTH, Key::Code2D_CTEXT_EDIT_QRWIDTH},
    {IDC_CODE2D_COMBO_QRLANGUAGE, Key::Code2D_CTEXT_CMB_FONTMODE},
    {IDC_CODE2D_COMBO_QRMODEL, Key::Code2D_CTEXT_CMB_TYPE},
    {IDC_CODE2D_COMBO_QRERROR, Key::Code2D_CTEXT_CMB_ERROR},
};

constexpr Key kErrorLevels[] = {
    Key::Code2D_RC_STATIC_2DCODE_ERRORCOR1, Key::Code2D_RC_STATIC_2DCODE_ERRORCOR2,
    Key::Code2D_RC_STATIC_2DCODE_ERRORCOR3, Key::Code2D_RC_STATIC_2DCODE_ERRORCOR4,
    Key::Code2D_RC_STATIC_2DCODE_ERRORCOR5, Key::Code2D_RC_STATIC_2DCODE_ERRORCOR6,
    Key::Code2D_RC_STATIC_2DCODE_ERRORCOR7, Key::Code2D_RC_STATIC_2DCODE_ERRORCOR8,
    Key::Code2D_RC_STATIC_2DCODE_ERRORCOR9};
constexpr Key kQrLanguages[] = {Key::Code2D_RC_CMB_FONTMODE1, Key::Code2D_RC_CMB_FONTMODE2};
constexpr Key kHriContents[] = {Key::Code2D_RC_IDC_CMB_HRI21, Key::Code2D_RC_IDC_CMB_HRI22,
                                Key::Code2D_RC_IDC_CMB_HRI23, Key::Code2D_RC_IDC_CMB_HRI24};
constexpr Key kAiChoices[] = {Key::Code2D_RC_IDC_CMB_AI21, Key::Code2D_RC_IDC_CMB_AI22};

constexpr ChoiceList kErrorLevelList{IDC_CODE2D_COMBO_ERRORLEVEL, kErrorLevels};
constexpr ChoiceList kQrLanguageList{IDC_CODE2D_COMBO_QRLANGUAGE, kQrLanguages};
constexpr ChoiceList kHriList{IDC_CODE2D_COMBO_HRI, kHriContents};
constexpr ChoiceList kAiList{IDC_CODE2D_COMBO_AI, kAiChoices};
constexpr ChoiceList kLists[] = {kErrorLevelList, kQrLanguageList, kHriList, kAiList};

constexpr PageDefinition kPage = {
    .section = Section::Code2D, .captions = kCaptions, .help = kHelp, .lists = kLists};

using zr640::Barcode2DGroup;
using zr640::Field2D;

// The number fields: edit, up-down, character limit and the entry field it edits (whose
// range the core gives). Values of two digits in the one-character fields are reached with
// the up-down arrows only.
using FieldBinding = CodeField<Field2D>;

constexpr FieldBinding kFields[] = {
    {IDC_CODE2D_EDIT_PDFWIDTH, IDC_CODE2D_SPIN_PDFWIDTH, 1, Field2D::kPdfElementWidth},
    {IDC_CODE2D_EDIT_PDFHEIGHT, IDC_CODE2D_SPIN_PDFHEIGHT, 2, Field2D::kPdfElementHeight},
    {IDC_CODE2D_EDIT_COLUMNS, IDC_CODE2D_SPIN_COLUMNS, 2, Field2D::kPdfColumns},
    {IDC_CODE2D_EDIT_ROWS, IDC_CODE2D_SPIN_ROWS, 2, Field2D::kPdfRows},
    {IDC_CODE2D_EDIT_GS1WIDTH, IDC_CODE2D_SPIN_GS1WIDTH, 1, Field2D::kGs1ElementWidth},
    {IDC_CODE2D_EDIT_ROWHEIGHT, IDC_CODE2D_SPIN_ROWHEIGHT, 3, Field2D::kGs1RowHeight},
    {IDC_CODE2D_EDIT_ROWHEIGHT2D, IDC_CODE2D_SPIN_ROWHEIGHT2D, 1, Field2D::kGs1RowHeight2D},
    {IDC_CODE2D_EDIT_SEPARATOR, IDC_CODE2D_SPIN_SEPARATOR, 1, Field2D::kGs1SeparatorHeight},
    {IDC_CODE2D_EDIT_SEGMENTS, IDC_CODE2D_SPIN_SEGMENTS, 1, Field2D::kGs1Segments},
    {IDC_CODE2D_EDIT_QRWIDTH, IDC_CODE2D_SPIN_QRWIDTH, 2, Field2D::kQrElementWidth},
};
constexpr const FieldBinding& kSegments = kFields[8];

constexpr int kPdf417Group[] = {
    IDC_CODE2D_GROUP_PDF417,     IDC_CODE2D_LABEL_COLUMNS,   IDC_CODE2D_EDIT_COLUMNS,
    IDC_CODE2D_SPIN_COLUMNS,     IDC_CODE2D_RANGE_COLUMNS,   IDC_CODE2D_LABEL_PDFWIDTH,
    IDC_CODE2D_EDIT_PDFWIDTH,    IDC_CODE2D_SPIN_PDFWIDTH,   IDC_CODE2D_RANGE_PDFWIDTH,
    IDC_CODE2D_LABEL_ROWS,       IDC_CODE2D_EDIT_ROWS,       IDC_CODE2D_SPIN_ROWS,
    IDC_CODE2D_RANGE_ROWS,       IDC_CODE2D_LABEL_PDFHEIGHT, IDC_CODE2D_EDIT_PDFHEIGHT,
    IDC_CODE2D_SPIN_PDFHEIGHT,   IDC_CODE2D_RANGE_PDFHEIGHT, IDC_CODE2D_LABEL_ERRORLEVEL,
    IDC_CODE2D_COMBO_ERRORLEVEL,
};

constexpr int kGs1Group[] = {
    IDC_CODE2D_GROUP_GS1,        IDC_CODE2D_LABEL_GS1TYPE,    IDC_CODE2D_RADIO_INDEPENDENCE,
    IDC_CODE2D_RADIO_COMPOSITE,  IDC_CODE2D_LABEL_GS1WIDTH,   IDC_CODE2D_EDIT_GS1WIDTH,
    IDC_CODE2D_SPIN_GS1WIDTH,    IDC_CODE2D_RANGE_GS1WIDTH,   IDC_CODE2D_LABEL_ROWHEIGHT2D,
    IDC_CODE2D_EDIT_ROWHEIGHT2D, IDC_CODE2D_SPIN_ROWHEIGHT2D, IDC_CODE2D_RANGE_ROWHEIGHT2D,
    IDC_CODE2D_LABEL_ROWHEIGHT,  IDC_CODE2D_EDIT_ROWHEIGHT,   IDC_CODE2D_SPIN_ROWHEIGHT,
    IDC_CODE2D_RANGE_ROWHEIGHT,  IDC_CODE2D_LABEL_SEPARATOR,  IDC_CODE2D_EDIT_SEPARATOR,
    IDC_CODE2D_SPIN_SEPARATOR,   IDC_CODE2D_RANGE_SEPARATOR,  IDC_CODE2D_LABEL_SEGMENTS,
    IDC_CODE2D_EDIT_SEGMENTS,    IDC_CODE2D_SPIN_SEGMENTS,    IDC_CODE2D_RANGE_SEGMENTS,
    IDC_CODE2D_LABEL_HRI,        IDC_CODE2D_COMBO_HRI,        IDC_CODE2D_LABEL_AI,
    IDC_CODE2D_COMBO_AI,
};

constexpr int kQrGroup[] = {
    IDC_CODE2D_GROUP_QR,         IDC_CODE2D_LABEL_QRWIDTH, IDC_CODE2D_EDIT_QRWIDTH,
    IDC_CODE2D_SPIN_QRWIDTH,     IDC_CODE2D_RANGE_QRWIDTH, IDC_CODE2D_LABEL_QRLANGUAGE,
    IDC_CODE2D_COMBO_QRLANGUAGE, IDC_CODE2D_LABEL_QRMODEL, IDC_CODE2D_COMBO_QRMODEL,
    IDC_CODE2D_LABEL_QRERROR,    IDC_CODE2D_COMBO_QRERROR,
};

// The template keeps the PDF417 and QR groups this many dialog units below the place of the
// GS1 DataBar group, out of sight; the page moves them there.
constexpr int kPdf417GroupBelow = 180;
constexpr int kQrGroupBelow = 310;

// Open for PDF417 only.
constexpr int kPdf417Fields[] = {
    IDC_CODE2D_EDIT_COLUMNS,   IDC_CODE2D_SPIN_COLUMNS,   IDC_CODE2D_EDIT_PDFWIDTH,
    IDC_CODE2D_SPIN_PDFWIDTH,  IDC_CODE2D_EDIT_ROWS,      IDC_CODE2D_SPIN_ROWS,
    IDC_CODE2D_EDIT_PDFHEIGHT, IDC_CODE2D_SPIN_PDFHEIGHT, IDC_CODE2D_COMBO_ERRORLEVEL,
};
// Open for GS1 DataBar Expanded Stacked only.
constexpr int kExpandedStackedFields[] = {IDC_CODE2D_EDIT_SEGMENTS, IDC_CODE2D_SPIN_SEGMENTS,
                                          IDC_CODE2D_COMBO_AI};
constexpr int kRowHeight2D[] = {IDC_CODE2D_EDIT_ROWHEIGHT2D, IDC_CODE2D_SPIN_ROWHEIGHT2D};

constexpr const wchar_t* kQrModels[] = {L"1", L"2"};
constexpr const wchar_t* kQrErrorLetters[] = {L"L", L"M", L"H", L"Q"};
constexpr int kFontCount = 2;

Barcode2DGroup GroupOf(uint8_t bType) {
    const auto type = zr640::Barcode2DTypeOf(bType);
    return type ? type->group : Barcode2DGroup::kNone;
}

class Code2DPage final : public DocumentPage {
public:
    explicit Code2DPage(DocumentSheetContext& context) : DocumentPage(context, kPage) {}

private:
    // The entry the controls edit: the font list's selection.
    zr640::Barcode2DSettings* Font() const;

    BOOL OnInitDialog() override;
    void OnCommand(int control, int code) override;

    void FillFixedLists() const;
    void ShowGroup(uint8_t bType) const;
    void EnableByType(uint8_t bType) const;
    void ShowFont(const zr640::Barcode2DSettings& font) const;
    void ShowSample();
    void ChooseIndependence(bool independent);
    NumberField Number(const FieldBinding& binding) const;
    void OnFontList(int code);
    void OnTypeList(zr640::Barcode2DSettings& font, int code);
    void OnList(zr640::Barcode2DSettings& font, int control, int code);
    void OnField(zr640::Barcode2DSettings& font, const FieldBinding& binding, int code);
    void OnApply() override;

    // A composite symbol takes at least 4 segments a row: the segment number's range then.
    bool composite_ = false;
    // The font and type whose sample the Data box was last given: a person's own test data
    // stays until one of them really changes.
    std::pair<LRESULT, LRESULT> sampleOf_{-1, -1};
};

zr640::Barcode2DSettings* Code2DPage::Font() const {
    zr640::PrivateDevMode* record = context().Record();
    if (record == nullptr) return nullptr;
    const LRESULT font = Send(IDC_CODE2D_COMBO_FONTNAME, CB_GETCURSEL);
    if (font < 0 || font >= kFontCount) return nullptr;
    return &record->barcode2D[font];
}

void Code2DPage::FillFixedLists() const {
    const auto add = [this](int combo, const wchar_t* text) {
        Send(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    };
    add(IDC_CODE2D_COMBO_FONTNAME, L"2D Code1");
    add(IDC_CODE2D_COMBO_FONTNAME, L"2D Code2");
    for (const zr640::Barcode2DType& type : zr640::Barcode2DTypes()) {
        add(IDC_CODE2D_COMBO_TYPE, WideFromUtf16(type.name).c_str());
    }
    for (const wchar_t* model : kQrModels) add(IDC_CODE2D_COMBO_QRMODEL, model);
    for (const wchar_t* letter : kQrErrorLetters) add(IDC_CODE2D_COMBO_QRERROR, letter);
}

void Code2DPage::ShowGroup(uint8_t bType) const {
    const Barcode2DGroup group = GroupOf(bType);
    SetVisible(kPdf417Group, group == Barcode2DGroup::kPdf417);
    SetVisible(kGs1Group, group == Barcode2DGroup::kGs1DataBar);
    SetVisible(kQrGroup, group == Barcode2DGroup::kQrCode);
}

void Code2DPage::EnableByType(uint8_t bType) const {
    Enable(kPdf417Fields, GroupOf(bType) == Barcode2DGroup::kPdf417);
    Enable(kExpandedStackedFields, bType == zr640::kGs1ExpandedStacked2DType);
}

// The font's entry in the controls. Filling them is not an edit: nothing is stored.
void Code2DPage::ShowFont(const zr640::Barcode2DSettings& font) const {
    const Filling filling(*this);
    Send(IDC_CODE2D_COMBO_TYPE, CB_SETCURSEL, font.bType);
    for (const FieldBinding& binding : kFields) {
        Number(binding).Show(window(), zr640::StoredField(font, binding.field));
    }
    kErrorLevelList.Select(window(), font.bPdfErrorLevel);
    kHriList.Select(window(), static_cast<int>(font.bGs1Hri) - 1);
    kAiList.Select(window(), font.bGs1Ai);
    kQrLanguageList.Select(window(), font.bQrLanguage);
    Send(IDC_CODE2D_COMBO_QRMODEL, CB_SETCURSEL, static_cast<WPARAM>(font.bQrModel - 1));
    Send(IDC_CODE2D_COMBO_QRERROR, CB_SETCURSEL, font.bQrErrorLevel);
}

void Code2DPage::ShowSample() {
    const std::pair<LRESULT, LRESULT> of{Send(IDC_CODE2D_COMBO_FONTNAME, CB_GETCURSEL),
                                         Send(IDC_CODE2D_COMBO_TYPE, CB_GETCURSEL)};
    if (of == sampleOf_) return;
    sampleOf_ = of;
    SetText(IDC_CODE2D_EDIT_DATA, WideFromUtf16(zr640::kBarcode2DSample));
    Enable(IDC_CODE2D_BUTTON_PRINT, GetWindowTextLengthW(Item(IDC_CODE2D_EDIT_DATA)) > 0);
}

// Independence and Composite store nothing themselves: they set the segment number's range,
// and Composite opens the 2D row height. A segment number below the composite range is raised
// to it as when the field is left; the edit's change stores it.
void Code2DPage::ChooseIndependence(bool independent) {
    Check(IDC_CODE2D_RADIO_INDEPENDENCE, independent);
    Check(IDC_CODE2D_RADIO_COMPOSITE, !independent);
    Enable(kRowHeight2D, !independent);
    composite_ = !independent;
    const NumberField segments = Number(kSegments);
    segments.SetUp(window());
    SetText(IDC_CODE2D_RANGE_SEGMENTS, WideFromUtf16(zr640::SegmentRangeLabel(composite_)));
    if (composite_) segments.Read(window(), ClampMoment::Leaving);
}

NumberField Code2DPage::Number(const FieldBinding& binding) const {
    NumberField number = binding.Number();
    if (&binding == &kSegments) {
        const zr640::ui::NumberRange range = zr640::SegmentRange(composite_);
        number.range = {range.lowest, range.highest};
    }
    return number;
}

BOOL Code2DPage::OnInitDialog() {
    MoveControls(window(), kPdf417Group, 0, -kPdf417GroupBelow);
    MoveControls(window(), kQrGroup, 0, -kQrGroupBelow);
    FillFixedLists();
    Send(IDC_CODE2D_COMBO_FONTNAME, CB_SETCURSEL, 0);
    Enable(IDC_CODE2D_EDIT_POINT, false);
    Send(IDC_CODE2D_EDIT_POINT, EM_SETREADONLY, TRUE);
    SetText(IDC_CODE2D_EDIT_POINT, WideFromUtf16(zr640::kBarcode2DPointText));
    for (const FieldBinding& binding : kFields) Number(binding).SetUp(window());
    SetText(IDC_CODE2D_RANGE_PDFWIDTH, L"[ 1. . 7 ]");
    SetText(IDC_CODE2D_RANGE_PDFHEIGHT, L"[ 2 . . 25 ]");
    SetText(IDC_CODE2D_RANGE_COLUMNS, L"[ 1. . 30 ]");
    SetText(IDC_CODE2D_RANGE_ROWS, L"[ 3 . . 90 ]");
    ChooseIndependence(true);
    const zr640::Barcode2DSettings* font = Font();
    if (font == nullptr) {
        ShowGroup(0);
        ShowSample();
        return TRUE;
    }
    ShowGroup(font->bType);
    ShowFont(*font);
    EnableByType(font->bType);
    ShowSample();
    return TRUE;
}

// A change of font shows the font, as an independent symbol, in its type's group; every
// notification opens the fields of the font's type and puts the sample into the Data box.
void Code2DPage::OnFontList(int code) {
    const zr640::Barcode2DSettings* font = Font();
    if (font == nullptr) return;
    if (code == CBN_SELCHANGE) {
        ShowFont(*font);
        ChooseIndependence(true);
        ShowGroup(font->bType);
    }
    EnableByType(font->bType);
    ShowSample();
}

void Code2DPage::OnTypeList(zr640::Barcode2DSettings& font, int code) {
    const LRESULT selected = Send(IDC_CODE2D_COMBO_TYPE, CB_GETCURSEL);
    if (selected < 0) return;
    const auto bType = static_cast<uint8_t>(selected);
    font.bType = bType;
    EnableByType(bType);
    if (code == CBN_SELCHANGE) {
        ShowGroup(bType);
        NotifyChanged();
    }
    ShowSample();
}

// The lists store their selection on every notification; a change of selection is reported.
void Code2DPage::OnList(zr640::Barcode2DSettings& font, int control, int code) {
    const LRESULT selected = Send(control, CB_GETCURSEL);
    if (selected < 0) return;
    const auto entry = static_cast<uint8_t>(selected);
    switch (control) {
    case IDC_CODE2D_COMBO_ERRORLEVEL: font.bPdfErrorLevel = entry; break;
    case IDC_CODE2D_COMBO_HRI: font.bGs1Hri = static_cast<uint8_t>(entry + 1); break;
    case IDC_CODE2D_COMBO_AI: font.bGs1Ai = entry; break;
    case IDC_CODE2D_COMBO_QRLANGUAGE: font.bQrLanguage = entry; break;
    case IDC_CODE2D_COMBO_QRMODEL: font.bQrModel = static_cast<uint8_t>(entry + 1); break;
    case IDC_CODE2D_COMBO_QRERROR: font.bQrErrorLevel = entry; break;
    default: return;
    }
    if (code == CBN_SELCHANGE) NotifyChanged();
}

void Code2DPage::OnCommand(int control, int code) {
    if (control == IDC_CODE2D_COMBO_FONTNAME) return OnFontList(code);
    if (control == IDC_CODE2D_EDIT_DATA) {
        Enable(IDC_CODE2D_BUTTON_PRINT, GetWindowTextLengthW(Item(IDC_CODE2D_EDIT_DATA)) > 0);
        return;
    }
    zr640::Barcode2DSettings* font = Font();
    if (font == nullptr) return;
    for (const FieldBinding& binding : kFields) {
        if (binding.edit == control) return OnField(*font, binding, code);
    }
    switch (control) {
    case IDC_CODE2D_COMBO_TYPE: return OnTypeList(*font, code);
    case IDC_CODE2D_COMBO_ERRORLEVEL:
    case IDC_CODE2D_COMBO_HRI:
    case IDC_CODE2D_COMBO_AI:
    case IDC_CODE2D_COMBO_QRLANGUAGE:
    case IDC_CODE2D_COMBO_QRMODEL:
    case IDC_CODE2D_COMBO_QRERROR: return OnList(*font, control, code);
    case IDC_CODE2D_RADIO_INDEPENDENCE:
        if (code != BN_CLICKED) return;
        ChooseIndependence(true);
        NotifyChanged();
        return;
    case IDC_CODE2D_RADIO_COMPOSITE:
        if (code != BN_CLICKED) return;
        ChooseIndependence(false);
        NotifyChanged();
        return;
    case IDC_CODE2D_BUTTON_PRINT:
        if (code == BN_CLICKED) {
            SendTestPrint(window(), IDC_CODE2D_EDIT_DATA, Printer(), zr640::kBarcode2DDataError,
                          [font](std::span<const uint8_t> data) {
                              return zr640::Barcode2DTestPrint(*font, data);
                          });
        }
        return;
    default: return;
    }
}

// A typed value is stored while typing, or when the field is left if it lies below the range.
void Code2DPage::OnField(zr640::Barcode2DSettings& font, const FieldBinding& binding, int code) {
    if (filling() || (code != EN_CHANGE && code != EN_KILLFOCUS)) return;
    const ClampMoment moment = code == EN_CHANGE ? ClampMoment::Typing : ClampMoment::Leaving;
    if (StoreTypedField(window(), font, Number(binding), binding.field, moment)) NotifyChanged();
}

// Apply may come while a field still holds a value below its range: it is raised and stored.
void Code2DPage::OnApply() {
    zr640::Barcode2DSettings* font = Font();
    if (font == nullptr) return;
    for (const FieldBinding& binding : kFields) {
        StoreTypedField(window(), *font, Number(binding), binding.field, ClampMoment::Leaving);
    }
}

}  // namespace

const PageDefinition& Code2DPageDefinition() { return kPage; }

INT_PTR CALLBACK Code2DPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<Code2DPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
