// The Main page's controls as data: captions, tooltip help, the scale field, the groups of
// controls enabled together and the messages the page shows.
#pragma once

#include <windows.h>

#include "core/localisation/message.h"
#include "plugin/localisation/texts.h"
#include "plugin/pages/framework/controls.h"
#include "plugin/pages/framework/page.h"
#include "resource.h"

namespace zr640ui::main_page {

inline constexpr TextBinding kCaptions[] = {
    {IDC_MAIN_GROUP_DOCSETTING, Key::Layout_RC_DOCSETTING},
    {IDC_MAIN_LABEL_PRINTASIMAGE, Key::Layout_RC_PRINT_AS_IMAGE},
    {IDC_MAIN_RADIO_GRAPHICSYES, Key::Layout_RC_RADIO_ASGRAPHICSYES},
    {IDC_MAIN_RADIO_GRAPHICSNO, Key::Layout_RC_RADIO_ASGRAPHICSNO},
    {IDC_MAIN_CHECK_ZOOM, Key::Layout_RC_CHECK_ZOOM},
    {IDC_MAIN_LABEL_SCALE, Key::Layout_RC_SCALE},
    {IDC_MAIN_GROUP_ROTATE, Key::Layout_RC_ROTATE},
    {IDC_MAIN_RADIO_ROTATENORMAL, Key::Layout_RC_RADIO_ROTATENOMAL},
    {IDC_MAIN_RADIO_ROTATE180, Key::Layout_RC_RADIO_ROTATE180},
    {IDC_MAIN_LABEL_PAPERSIZE, Key::Layout_RC_PAPERSIZE},
    {IDC_MAIN_LABEL_LANGUAGE, Key::Layout_RC_LANGUAGE},
    {IDC_MAIN_BUTTON_LOG, Key::Layout_RC_BUTTON_LOG},
    {IDC_MAIN_BUTTON_VIEWER, Key::Layout_RC_BUTTON_VIEWER},
    {IDC_MAIN_CHECK_LOG, Key::Layout_RC_CHECK_LOG},
    {IDC_MAIN_GROUP_LOG, Key::Layout_RC_STATIC_LOG},
};

inline constexpr TextBinding kHelp[] = {
    {IDC_MAIN_RADIO_GRAPHICSYES, Key::Layout_CTEXT_RADIO_ASGRAPHICSYES},
    {IDC_MAIN_RADIO_GRAPHICSNO, Key::Layout_CTEXT_RADIO_ASGRAPHICSNO},
    {IDC_MAIN_CHECK_ZOOM, Key::Layout_CTEXT_CHECK_ZOOM},
    {IDC_MAIN_BUTTON_LOG, Key::Layout_CTEXT_BUTTON_LOG},
    {IDC_MAIN_BUTTON_VIEWER, Key::Layout_CTEXT_BUTTON_VIEWER},
    {IDC_MAIN_CHECK_LOG, Key::Layout_CTEXT_CHECK_LOG},
    {IDC_MAIN_EDIT_LOG, Key::Layout_CTEXT_EDIT_LOG},
    {IDC_MAIN_EDIT_SCALE, Key::Layout_CTEXT_SCALE},
    {IDC_MAIN_RADIO_ROTATENORMAL, Key::Layout_CTEXT_RADIO_ROTATENOMAL},
    {IDC_MAIN_RADIO_ROTATE180, Key::Layout_CTEXT_RADIO_ROTATE180},
    {IDC_MAIN_COMBO_PAPERSIZE, Key::Layout_CTEXT_PAPERSIZE},
    {IDC_MAIN_COMBO_LANGUAGE, Key::Layout_CTEXT_LANGUAGE},
};

inline constexpr PageDefinition kPage = {.section = Section::Layout,
                                         .captions = kCaptions,
                                         .help = kHelp,
                                         .reload = zr640::text::kMainPageReload};

inline constexpr int kScaleLowest = 10;
inline constexpr int kScaleHighest = 100;
inline constexpr int kSpinHighest =
    200;  // the arrows alone may show up to 200; leaving the edit clamps
// Read when the edit is left (and on apply); the spin keeps its own wider range, so the field
// is not set up through SetUp.
inline constexpr NumberField kScale{
    IDC_MAIN_EDIT_SCALE, IDC_MAIN_SPIN_SCALE, {kScaleLowest, kScaleHighest}, 3};
inline constexpr size_t kPaperNameKept = 31;

inline constexpr int kScaleControls[] = {IDC_MAIN_EDIT_SCALE, IDC_MAIN_SPIN_SCALE,
                                         IDC_MAIN_LABEL_SCALE};
inline constexpr int kLogControls[] = {IDC_MAIN_EDIT_LOG, IDC_MAIN_BUTTON_LOG,
                                       IDC_MAIN_BUTTON_VIEWER};
inline constexpr int kGraphicsControls[] = {IDC_MAIN_RADIO_GRAPHICSYES, IDC_MAIN_RADIO_GRAPHICSNO};

inline constexpr zr640::text::Message kGraphicsInformation{Key::MessageBox_MB_LAYOUT_INFORMATION1,
                                                           Key::MessageBox_MB_INFORMATION,
                                                           zr640::text::MessageIcon::Information};
inline constexpr zr640::text::Message kFolderTooLong{
    Key::MessageBox_MB_LAYOUT_LOGFOLDER, Key::MessageBox_MB_ERROR, zr640::text::MessageIcon::Error};
inline constexpr zr640::text::Message kViewerMissing{Key::MessageBox_MB_LAYOUT_VIEWER,
                                                     Key::MessageBox_MB_ERROR};

}  // namespace zr640ui::main_page
