// The Font page: the printer's own fonts and the point size that selects each of them.
#include "plugin/localisation/recaption.h"
#include "plugin/pages/page_frame.h"
#include "plugin/pages/pages.h"
#include "resource.h"

namespace zr640ui {
namespace {

// Not a caption: RC_RONT_TREETITLE is the text of the font tree's root item and goes with the
// tree (renamed on every reload).
constexpr CaptionBinding kCaptions[] = {
    {IDC_FONT_LABEL_NOTICE, Key::Font_RC_STATIC_FONT_NOTICE},
};

constexpr PageDefinition kPage = {Section::Font, kCaptions, {}};

}  // namespace

const PageDefinition& FontPageDefinition() { return kPage; }

INT_PTR CALLBACK FontPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    TrackPageWindow(NotedPage::Font, page, message);
    return HandlePageMessage(page, message, lParam, kPage);
}

}  // namespace zr640ui
