// The Download page: a file sent to the printer as it is, and the logos of its flash memory.
#include "plugin/localisation/recaption.h"
#include "plugin/pages/page_frame.h"
#include "plugin/pages/pages.h"
#include "resource.h"

namespace zr640ui {
namespace {

// Not captions: RC_LOGOID, RC_LOGONAME and RC_LOGOPATH are the logo list's column titles and
// go with the list (renamed on every reload); RC_BROWSEBOX titles the page's file dialogs.
constexpr CaptionBinding kCaptions[] = {
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

constexpr HelpBinding kHelp[] = {
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

constexpr PageDefinition kPage = {Section::Download, kCaptions, kHelp};

}  // namespace

const PageDefinition& DownloadPageDefinition() { return kPage; }

INT_PTR CALLBACK DownloadPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    TrackPageWindow(NotedPage::Download, page, message);
    return HandlePageMessage(page, message, lParam, kPage);
}

}  // namespace zr640ui
