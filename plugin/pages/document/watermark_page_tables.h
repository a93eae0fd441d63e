// The Water Mark page's controls as data: captions, tooltip help, lists, the kind radios and
// the groups they enable, the number field and sliders, and the messages the page and its
// preview show.
#pragma once

#include <windows.h>

#include <cstdint>

#include "core/localisation/message.h"
#include "core/watermark/preview_layout.h"
#include "plugin/localisation/texts.h"
#include "plugin/pages/framework/controls.h"
#include "plugin/pages/framework/dialog.h"
#include "resource.h"

namespace zr640ui::watermark {

// The font-style and print-position texts of this section are list entries, not captions;
// they go with the two lists, which are refilled (keeping their selections) on every reload.
inline constexpr TextBinding kCaptions[] = {
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

inline constexpr TextBinding kHelp[] = {
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

inline constexpr Key kStyleTexts[] = {
    Key::Watermark_RC_STATIC_WATERMARK_FONTSTYLE1, Key::Watermark_RC_STATIC_WATERMARK_FONTSTYLE2,
    Key::Watermark_RC_STATIC_WATERMARK_FONTSTYLE3, Key::Watermark_RC_STATIC_WATERMARK_FONTSTYLE4};
inline constexpr Key kPositionTexts[] = {
    Key::Watermark_RC_STATIC_WATERMARK_POSITION1, Key::Watermark_RC_STATIC_WATERMARK_POSITION2,
    Key::Watermark_RC_STATIC_WATERMARK_POSITION3, Key::Watermark_RC_STATIC_WATERMARK_POSITION4,
    Key::Watermark_RC_STATIC_WATERMARK_POSITION5, Key::Watermark_RC_STATIC_WATERMARK_POSITION6,
    Key::Watermark_RC_STATIC_WATERMARK_POSITION7, Key::Watermark_RC_STATIC_WATERMARK_POSITION8,
    Key::Watermark_RC_STATIC_WATERMARK_POSITION9, Key::Watermark_RC_STATIC_WATERMARK_POSITION10};
inline constexpr ChoiceList kStyles{IDC_WATERMARK_COMBO_FONTSTYLE, kStyleTexts};
inline constexpr ChoiceList kPositions{IDC_WATERMARK_COMBO_POSITION, kPositionTexts};
inline constexpr ChoiceList kLists[] = {kStyles, kPositions};

// The three kinds, in the record's order: 0 none, 1 image, 2 text.
inline constexpr int kKindControls[] = {IDC_WATERMARK_RADIO_NONE, IDC_WATERMARK_RADIO_IMAGE,
                                        IDC_WATERMARK_RADIO_TEXT};
inline constexpr RadioGroup kKinds{kKindControls};
inline constexpr uint8_t kKindNone = 0;
inline constexpr uint8_t kKindImage = 1;
inline constexpr uint8_t kKindText = 2;

inline constexpr int kImageControls[] = {IDC_WATERMARK_EDIT_BITMAP, IDC_WATERMARK_BUTTON_BROWSE};
inline constexpr int kTextControls[] = {IDC_WATERMARK_COMBO_TEXT,      IDC_WATERMARK_COMBO_FONTTYPE,
                                        IDC_WATERMARK_COMBO_FONTSTYLE, IDC_WATERMARK_EDIT_FONTSIZE,
                                        IDC_WATERMARK_SPIN_FONTSIZE,   IDC_WATERMARK_SLIDER_ANGLE};
inline constexpr int kCommonControls[] = {IDC_WATERMARK_COMBO_POSITION, IDC_WATERMARK_SLIDER_SIZE,
                                          IDC_WATERMARK_SLIDER_BRIGHTNESS};

inline constexpr NumberField kFontSize{IDC_WATERMARK_EDIT_FONTSIZE,
                                       IDC_WATERMARK_SPIN_FONTSIZE,
                                       {zr640::kWatermarkMinFontSize, zr640::kWatermarkMaxFontSize},
                                       2};
inline constexpr Slider kAngle{
    IDC_WATERMARK_SLIDER_ANGLE, IDC_WATERMARK_VALUE_ANGLE, {0, zr640::kWatermarkMaxAngle}, 15, 1};
inline constexpr Slider kSize{
    IDC_WATERMARK_SLIDER_SIZE, IDC_WATERMARK_VALUE_SIZE, {0, zr640::kWatermarkMaxSize}, 10, 1};
inline constexpr Slider kBrightness{IDC_WATERMARK_SLIDER_BRIGHTNESS,
                                    IDC_WATERMARK_VALUE_BRIGHTNESS,
                                    {0, zr640::kWatermarkMaxBrightness},
                                    16,
                                    1};

// The texts offered in the text box; they are not translated.
inline constexpr const wchar_t* kOfferedTexts[] = {L"CONFIDENTIAL", L"DO NOT COPY", L"TOP SECRET",
                                                   L"DRAFT",        L"PROOF",       L"FINAL",
                                                   L"COPY",         L"FILE COPY"};
inline constexpr int kTextLimit =
    16;  // the record's field, all of it: a 16-character text has no 0

inline constexpr wchar_t kBitmapFilter[] = L"*.bmp\0*.bmp\0";

inline constexpr zr640::text::Message kGraphicsInformation{
    Key::MessageBox_MB_WATERMARK_INFORMATION1, Key::MessageBox_MB_INFORMATION,
    zr640::text::MessageIcon::Information};
inline constexpr zr640::text::Message kFileMissing{
    Key::MessageBox_MB_WATERMARK_ERROR1, Key::MessageBox_MB_ERROR, zr640::text::MessageIcon::Error};
inline constexpr zr640::text::Message kCannotCreate{
    Key::MessageBox_MB_WATERMARK_ERROR2, Key::MessageBox_MB_ERROR, zr640::text::MessageIcon::Error};
inline constexpr zr640::text::Message kTooBig{
    Key::MessageBox_MB_WATERMARK_ERROR4, Key::MessageBox_MB_ERROR, zr640::text::MessageIcon::Error};
inline constexpr zr640::text::Message kWrongDepth{
    Key::MessageBox_MB_WATERMARK_ERROR5, Key::MessageBox_MB_ERROR, zr640::text::MessageIcon::Error};
inline constexpr zr640::text::Message kNoFileName{
    Key::MessageBox_MB_WATERMARK_ERROR6, Key::MessageBox_MB_ERROR, zr640::text::MessageIcon::Error};
inline constexpr zr640::text::Message kPathTooLong{Key::MessageBox_MB_WATERMARK_PATHLENGTH,
                                                   Key::MessageBox_MB_ERROR,
                                                   zr640::text::MessageIcon::Error};

}  // namespace zr640ui::watermark
