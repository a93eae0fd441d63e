// The Download page's controls as data: captions, tooltip help, the format and halftone
// radios, the sliders, the logo list's columns and the file dialogs' filters.
#pragma once

#include <windows.h>

#include "plugin/localisation/texts.h"
#include "plugin/pages/framework/controls.h"
#include "plugin/pages/framework/list_view.h"
#include "plugin/pages/framework/page.h"
#include "resource.h"

namespace zr640ui::download {

// Not captions: RC_LOGOID, RC_LOGONAME and RC_LOGOPATH are the logo list's column titles and
// go with the list (renamed on every reload); RC_BROWSEBOX titles the page's file dialogs.
inline constexpr TextBinding kCaptions[] = {
    {IDC_DOWNLOAD_GROUP_FILE, Key::Download_RC_STATIC_FWDOWNLOAD},
    {IDC_DOWNLOAD_LABEL_INFO, Key::Download_RC_STATIC_DOWN_INFO},
    {IDC_DOWNLOAD_BUTTON_BROWSE, Key::Download_RC_BROWSE_FIREWARE},
    {IDC_DOWNLOAD_BUTTON_DOWNLOAD, Key::Download_RC_DOWNLOAD_FIREWARE},
    {IDC_DOWNLOAD_GROUP_LOGO, Key::Download_RC_STATIC_LOGODOWNLOAD},
    {IDC_DOWNLOAD_GROUP_FORMAT, Key::Download_RC_STATIC_PREVIEW},
    {IDC_DOWNLOAD_GROUP_HALFTONE, Key::Download_RC_STATIC_HALFTONE},
    {IDC_DOWNLOAD_GROUP_ADJUST, Key::Download_RC_STATIC_CONANDBRIGHT},
    {IDC_DOWNLOAD_RADIO_ORIGINAL, Key::Download_RC_ORIGINAL},
    {IDC_DOWNLOAD_RADIO_MONO, Key::Download_RC_MONO},
    {IDC_DOWNLOAD_RADIO_GRAY, Key::Download_RC_GRAY},
    {IDC_DOWNLOAD_RADIO_NONE, Key::Download_RC_NONE},
    {IDC_DOWNLOAD_RADIO_DITHERM3, Key::Download_RC_DITHERM3},
    {IDC_DOWNLOAD_RADIO_DITHERM4, Key::Download_RC_DITHERM4},
    {IDC_DOWNLOAD_RADIO_DIFFUSE, Key::Download_RC_DIFFUSE},
    {IDC_DOWNLOAD_LABEL_CONTRAST, Key::Download_RC_STATIC_CONTRA},
    {IDC_DOWNLOAD_LABEL_BRIGHTNESS, Key::Download_RC_STATIC_BRIGHT},
    {IDC_DOWNLOAD_BUTTON_ADD, Key::Download_RC_LOGO_ADD},
    {IDC_DOWNLOAD_BUTTON_DELETE, Key::Download_RC_LOGO_DELETE},
    {IDC_DOWNLOAD_BUTTON_DOWNLOADALL, Key::Download_RC_LOGO_DOWNLOAD},
    {IDC_DOWNLOAD_BUTTON_CLEARALL, Key::Download_RC_LOGO_CLEARALLLOGOS},
    {IDC_DOWNLOAD_LABEL_NOTICE, Key::Download_RC_STATIC_DOWNOWNLOAD_NOTICE},
};

inline constexpr TextBinding kHelp[] = {
    {IDC_DOWNLOAD_EDIT_FILE, Key::Download_CTEXT_EDIT_FIREWARE},
    {IDC_DOWNLOAD_BUTTON_BROWSE, Key::Download_CTEXT_BROWSE_FIREWARE},
    {IDC_DOWNLOAD_BUTTON_DOWNLOAD, Key::Download_CTEXT_DOWNLOAD_FIREWARE},
    {IDC_DOWNLOAD_LIST_LOGOS, Key::Download_CTEXT_LIST_LOGO},
    {IDC_DOWNLOAD_RADIO_ORIGINAL, Key::Download_CTEXT_ORIGINAL},
    {IDC_DOWNLOAD_RADIO_MONO, Key::Download_CTEXT_MONO},
    {IDC_DOWNLOAD_RADIO_GRAY, Key::Download_CTEXT_GRAY},
    {IDC_DOWNLOAD_RADIO_NONE, Key::Download_CTEXT_NONE},
    {IDC_DOWNLOAD_RADIO_DITHERM3, Key::Download_CTEXT_DITHERM3},
    {IDC_DOWNLOAD_RADIO_DITHERM4, Key::Download_CTEXT_DITHERM4},
    {IDC_DOWNLOAD_RADIO_DIFFUSE, Key::Download_CTEXT_DIFFUSE},
    {IDC_DOWNLOAD_SLIDER_CONTRAST, Key::Download_CTEXT_SLIDER_CONTRAST},
    {IDC_DOWNLOAD_SLIDER_BRIGHTNESS, Key::Download_CTEXT_SLIDER_BRIGHTNESS},
    {IDC_DOWNLOAD_BUTTON_ADD, Key::Download_CTEXT_LOGO_ADD},
    {IDC_DOWNLOAD_BUTTON_DELETE, Key::Download_CTEXT_LOGO_DELETE},
    {IDC_DOWNLOAD_BUTTON_DOWNLOADALL, Key::Download_CTEXT_LOGO_DOWNLOAD},
    {IDC_DOWNLOAD_BUTTON_CLEARALL, Key::Download_CTEXT_LOGO_CLEARALLLOGOS},
};

inline constexpr PageDefinition kPage = {
    .section = Section::Download, .captions = kCaptions, .help = kHelp};

// In the order of the format values: Original, Transformation, Gray.
inline constexpr int kFormatControls[] = {IDC_DOWNLOAD_RADIO_ORIGINAL, IDC_DOWNLOAD_RADIO_MONO,
                                          IDC_DOWNLOAD_RADIO_GRAY};
inline constexpr RadioGroup kFormats{kFormatControls};
// In the order of the halftone values: None, Dither M3, Dither M4, Error Diffuse.
inline constexpr int kHalftoneControls[] = {IDC_DOWNLOAD_RADIO_NONE, IDC_DOWNLOAD_RADIO_DITHERM3,
                                            IDC_DOWNLOAD_RADIO_DITHERM4,
                                            IDC_DOWNLOAD_RADIO_DIFFUSE};
inline constexpr RadioGroup kHalftones{kHalftoneControls};

inline constexpr NumberRange kSliderRange{-100, 100};
inline constexpr Slider kContrast{IDC_DOWNLOAD_SLIDER_CONTRAST, IDC_DOWNLOAD_VALUE_CONTRAST,
                                  kSliderRange, 20, 1};
inline constexpr Slider kBrightness{IDC_DOWNLOAD_SLIDER_BRIGHTNESS, IDC_DOWNLOAD_VALUE_BRIGHTNESS,
                                    kSliderRange, 20, 1};
inline constexpr int kSliderControls[] = {IDC_DOWNLOAD_SLIDER_CONTRAST,
                                          IDC_DOWNLOAD_SLIDER_BRIGHTNESS};

inline constexpr ListColumn kColumns[] = {
    {40, L"ID", Key::Download_RC_LOGOID},
    {150, L"Name", Key::Download_RC_LOGONAME},
    {300, L"Path", Key::Download_RC_LOGOPATH},
};
inline constexpr int kIdColumn = 0;
inline constexpr int kNameColumn = 1;
inline constexpr int kPathColumn = 2;

inline constexpr wchar_t kBitmapFilter[] = L"*.bmp\0*.bmp\0";
inline constexpr wchar_t kEnglishFileFilter[] =
    L"*.JK(Firmware)\0*.JK\0*.DAT(Data)\0*.DAT\0*.FNT(Font)\0*.FNT\0*.ZK(Font)\0*.ZK\0*.EEP(EEPROM)"
    L"\0*.EEP\0";
inline constexpr wchar_t kSimplifiedFileFilter[] =
    L"*.JK(监控程序文件)\0*.JK\0*.DAT(监控程序文件)\0*.DAT\0"
    L"*.FNT(字库文件)\0*.FNT\0*.ZK(字库文件)\0*.ZK\0*.EEP(EEPROM文件)\0*.EEP\0";
inline constexpr wchar_t kTraditionalFileFilter[] =
    L"*.JK(監控程式文件)\0*.JK\0*.DAT(監控程式文件)\0*.DAT\0"
    L"*.FNT(字庫文件)\0*.FNT\0*.ZK(字庫文件)\0*.ZK\0*.EEP(EEPROM文件)\0*.EEP\0";

}  // namespace zr640ui::download
