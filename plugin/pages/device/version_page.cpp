// The Version page, shown in both sheets.
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "resource.h"

namespace zr640ui {
namespace {

// RC_STATIC_VER1 to VER7 belong to the consecutive controls 1109 to 1115; the template has no
// 1111 (VER3) and no 1114 (VER6), so those two texts are loaded but shown nowhere.
constexpr TextBinding kCaptions[] = {
    {IDC_VERSION_LABEL_NAME, Key::Version_RC_STATIC_VER1},
    {IDC_VERSION_LABEL_COPYRIGHT, Key::Version_RC_STATIC_VER2},
    {IDC_VERSION_LABEL_PRODUCT, Key::Version_RC_STATIC_VER4},
    {IDC_VERSION_LABEL_VERSIONS, Key::Version_RC_STATIC_VER5},
    {IDC_VERSION_LABEL_WEB, Key::Version_RC_STATIC_VER7},
    {IDC_VERSION_LABEL_WARNING, Key::Version_RC_STATIC_WARNING},
};

// One page in both sheets; each sheet's is noted apart for re-captioning.
constexpr PageDefinition kDocumentPage = {
    .section = Section::Version, .captions = kCaptions, .help = {}, .noted = NotedPage::DocumentVersion};
constexpr PageDefinition kDevicePage = {
    .section = Section::Version, .captions = kCaptions, .help = {}, .noted = NotedPage::DeviceVersion};

template <typename Context>
class VersionPage final : public SheetPage<Context> {
public:
    explicit VersionPage(Context& context)
        : SheetPage<Context>(context, std::is_same_v<Context, DocumentSheetContext> ? kDocumentPage : kDevicePage) {}
};

}  // namespace

const PageDefinition& VersionPageDefinition() { return kDocumentPage; }

INT_PTR CALLBACK DocumentVersionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<VersionPage<DocumentSheetContext>>(page, message, wParam, lParam);
}

INT_PTR CALLBACK DeviceVersionPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<VersionPage<DeviceSheetContext>>(page, message, wParam, lParam);
}

}  // namespace zr640ui
