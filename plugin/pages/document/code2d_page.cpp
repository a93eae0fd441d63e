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
#include "plugin/pages/document/code2d_page_tables.h"
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "resource.h"
#include "win32/wide_text.h"

namespace zr640ui {
namespace {

using zr640::win::WideFromUtf16;

using namespace code2d;  // the page's tables

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
