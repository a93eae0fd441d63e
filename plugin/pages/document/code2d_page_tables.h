// The 2D Code page's controls as data: captions, tooltip help, lists, the number fields with
// the record fields they edit, and the groups shown by the type.
#pragma once

#include <windows.h>

#include "core/barcode/barcode_types.h"
#include "core/barcode/field_clamps.h"
#include "plugin/localisation/texts.h"
#include "plugin/pages/document/code_page_parts.h"
#include "plugin/pages/framework/controls.h"
#include "plugin/pages/framework/page.h"
#include "resource.h"

namespace zr640ui::code2d {

// Not captions: the error-correction, HRI, AI and QR language texts of this section are list
// entries; they go with their lists, which are refilled (keeping their selections) on every
// reload. The font and type names, the QR model and error letters and the range labels are not
// translated.
inline constexpr TextBinding kCaptions[] = {
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

inline constexpr TextBinding kHelp[] = {
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

inline constexpr Key kErrorLevels[] = {
    Key::Code2D_RC_STATIC_2DCODE_ERRORCOR1, Key::Code2D_RC_STATIC_2DCODE_ERRORCOR2,
    Key::Code2D_RC_STATIC_2DCODE_ERRORCOR3, Key::Code2D_RC_STATIC_2DCODE_ERRORCOR4,
    Key::Code2D_RC_STATIC_2DCODE_ERRORCOR5, Key::Code2D_RC_STATIC_2DCODE_ERRORCOR6,
    Key::Code2D_RC_STATIC_2DCODE_ERRORCOR7, Key::Code2D_RC_STATIC_2DCODE_ERRORCOR8,
    Key::Code2D_RC_STATIC_2DCODE_ERRORCOR9};
inline constexpr Key kQrLanguages[] = {Key::Code2D_RC_CMB_FONTMODE1, Key::Code2D_RC_CMB_FONTMODE2};
inline constexpr Key kHriContents[] = {Key::Code2D_RC_IDC_CMB_HRI21, Key::Code2D_RC_IDC_CMB_HRI22,
                                       Key::Code2D_RC_IDC_CMB_HRI23, Key::Code2D_RC_IDC_CMB_HRI24};
inline constexpr Key kAiChoices[] = {Key::Code2D_RC_IDC_CMB_AI21, Key::Code2D_RC_IDC_CMB_AI22};

inline constexpr ChoiceList kErrorLevelList{IDC_CODE2D_COMBO_ERRORLEVEL, kErrorLevels};
inline constexpr ChoiceList kQrLanguageList{IDC_CODE2D_COMBO_QRLANGUAGE, kQrLanguages};
inline constexpr ChoiceList kHriList{IDC_CODE2D_COMBO_HRI, kHriContents};
inline constexpr ChoiceList kAiList{IDC_CODE2D_COMBO_AI, kAiChoices};
inline constexpr ChoiceList kLists[] = {kErrorLevelList, kQrLanguageList, kHriList, kAiList};

inline constexpr PageDefinition kPage = {
    .section = Section::Code2D, .captions = kCaptions, .help = kHelp, .lists = kLists};

using zr640::Barcode2DGroup;
using zr640::Field2D;

// The number fields: edit, up-down, character limit and the entry field it edits (whose
// range the core gives). Values of two digits in the one-character fields are reached with
// the up-down arrows only.
using FieldBinding = CodeField<Field2D>;

inline constexpr FieldBinding kFields[] = {
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
inline constexpr const FieldBinding& kSegments = kFields[8];

inline constexpr int kPdf417Group[] = {
    IDC_CODE2D_GROUP_PDF417,     IDC_CODE2D_LABEL_COLUMNS,   IDC_CODE2D_EDIT_COLUMNS,
    IDC_CODE2D_SPIN_COLUMNS,     IDC_CODE2D_RANGE_COLUMNS,   IDC_CODE2D_LABEL_PDFWIDTH,
    IDC_CODE2D_EDIT_PDFWIDTH,    IDC_CODE2D_SPIN_PDFWIDTH,   IDC_CODE2D_RANGE_PDFWIDTH,
    IDC_CODE2D_LABEL_ROWS,       IDC_CODE2D_EDIT_ROWS,       IDC_CODE2D_SPIN_ROWS,
    IDC_CODE2D_RANGE_ROWS,       IDC_CODE2D_LABEL_PDFHEIGHT, IDC_CODE2D_EDIT_PDFHEIGHT,
    IDC_CODE2D_SPIN_PDFHEIGHT,   IDC_CODE2D_RANGE_PDFHEIGHT, IDC_CODE2D_LABEL_ERRORLEVEL,
    IDC_CODE2D_COMBO_ERRORLEVEL,
};

inline constexpr int kGs1Group[] = {
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

inline constexpr int kQrGroup[] = {
    IDC_CODE2D_GROUP_QR,         IDC_CODE2D_LABEL_QRWIDTH, IDC_CODE2D_EDIT_QRWIDTH,
    IDC_CODE2D_SPIN_QRWIDTH,     IDC_CODE2D_RANGE_QRWIDTH, IDC_CODE2D_LABEL_QRLANGUAGE,
    IDC_CODE2D_COMBO_QRLANGUAGE, IDC_CODE2D_LABEL_QRMODEL, IDC_CODE2D_COMBO_QRMODEL,
    IDC_CODE2D_LABEL_QRERROR,    IDC_CODE2D_COMBO_QRERROR,
};

// The template keeps the PDF417 and QR groups this many dialog units below the place of the
// GS1 DataBar group, out of sight; the page moves them there.
inline constexpr int kPdf417GroupBelow = 180;
inline constexpr int kQrGroupBelow = 310;

// Open for PDF417 only.
inline constexpr int kPdf417Fields[] = {
    IDC_CODE2D_EDIT_COLUMNS,   IDC_CODE2D_SPIN_COLUMNS,   IDC_CODE2D_EDIT_PDFWIDTH,
    IDC_CODE2D_SPIN_PDFWIDTH,  IDC_CODE2D_EDIT_ROWS,      IDC_CODE2D_SPIN_ROWS,
    IDC_CODE2D_EDIT_PDFHEIGHT, IDC_CODE2D_SPIN_PDFHEIGHT, IDC_CODE2D_COMBO_ERRORLEVEL,
};
// Open for GS1 DataBar Expanded Stacked only.
inline constexpr int kExpandedStackedFields[] = {IDC_CODE2D_EDIT_SEGMENTS, IDC_CODE2D_SPIN_SEGMENTS,
                                                 IDC_CODE2D_COMBO_AI};
inline constexpr int kRowHeight2D[] = {IDC_CODE2D_EDIT_ROWHEIGHT2D, IDC_CODE2D_SPIN_ROWHEIGHT2D};

inline constexpr const wchar_t* kQrModels[] = {L"1", L"2"};
inline constexpr const wchar_t* kQrErrorLetters[] = {L"L", L"M", L"H", L"Q"};
inline constexpr int kFontCount = 2;

}  // namespace zr640ui::code2d
