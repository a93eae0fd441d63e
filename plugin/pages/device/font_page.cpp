// The Font page: the printer's own fonts and the point size that selects each of them.
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "resource.h"

namespace zr640ui {
namespace {

// Not a caption: RC_RONT_TREETITLE is the text of the font tree's root item and goes with the
// tree (renamed on every reload).
constexpr TextBinding kCaptions[] = {
    {IDC_FONT_LABEL_NOTICE, Key::Font_RC_STATIC_FONT_NOTICE},
};

constexpr PageDefinition kPage = {.section = Section::Font, .captions = kCaptions, .help = {}, .noted = NotedPage::Font};

// Captions and tooltip help are all this page does so far.
class FontPage final : public DevicePage {
public:
    explicit FontPage(DeviceSheetContext& context) : DevicePage(context, kPage) {}
};

}  // namespace

const PageDefinition& FontPageDefinition() { return kPage; }

INT_PTR CALLBACK FontPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<FontPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
