// The Version page, shown in both sheets.
#include "plugin/localisation/recaption.h"
#include "plugin/pages/page_frame.h"
#include "plugin/pages/pages.h"
#include "resource.h"

namespace zr640ui {
namespace {

// RC_STATIC_VER1 to VER7 belong to the consecutive controls 1109 to 1115; the template has no
// 1111 (VER3) and no 1114 (VER6), so those two texts are loaded but shown nowhere.
constexpr CaptionBinding kCaptions[] = {
    {IDC_VERSION_LABEL_NAME, Key::Version_RC_STATIC_VER1},
    {IDC_VERSION_LABEL_COPYRIGHT, Key::Version_RC_STATIC_VER2},
    {IDC_VERSION_LABEL_PRODUCT, Key::Version_RC_STATIC_VER4},
    {IDC_VERSION_LABEL_VERSIONS, Key::Version_RC_STATIC_VER5},
    {IDC_VERSION_LABEL_WEB, Key::Version_RC_STATIC_VER7},
    {IDC_VERSION_LABEL_WARNING, Key::Version_RC_STATIC_WARNING},
};

constexpr PageDefinition kPage = {Section::Version, kCaptions, {}};

INT_PTR VersionPage(HWND page, UINT message, LPARAM lParam, NotedPage slot) {
    TrackPageWindow(slot, page, message);
    return HandlePageMessage(page, message, lParam, kPage);
}

}  // namespace

const PageDefinition& VersionPageDefinition() { return kPage; }

INT_PTR CALLBACK DocumentVersionPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    return VersionPage(page, message, lParam, NotedPage::DocumentVersion);
}

INT_PTR CALLBACK DeviceVersionPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    return VersionPage(page, message, lParam, NotedPage::DeviceVersion);
}

}  // namespace zr640ui
