// The Utility page: the self-test print and the user-defined paper sizes.
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "resource.h"

namespace zr640ui {
namespace {

// The range labels and the hidden control-font button with its two labels are not translated.
constexpr TextBinding kCaptions[] = {
    {IDC_UTILITY_BUTTON_SELFTEST, Key::Utility_RC_SELFTEST},
    {IDC_UTILITY_LABEL_SELFTEST, Key::Utility_RC_STATIC_SELFTEST},
    {IDC_UTILITY_LABEL_CHECKCOMM, Key::Utility_RC_STATIC_CHECKCOMM},
    {IDC_UTILITY_GROUP_PAPERSIZE, Key::Utility_RC_STATIC_CUSTOMSIZE},
    {IDC_UTILITY_BUTTON_DELETE, Key::Utility_RC_BUTTON_DELETE},
    {IDC_UTILITY_BUTTON_SAVE, Key::Utility_RC_BUTTON_SAVE},
    {IDC_UTILITY_LABEL_FORMNAME, Key::Utility_RC_STATIC_FORMNAME},
    {IDC_UTILITY_LABEL_WIDTH, Key::Utility_RC_STATIC_FORMWIDTH},
    {IDC_UTILITY_LABEL_HEIGHT, Key::Utility_RC_STATIC_FORMHEIGHT},
};

constexpr TextBinding kHelp[] = {
    {IDC_UTILITY_BUTTON_SELFTEST, Key::Utility_CTEXT_SELFTEST},
    {IDC_UTILITY_LIST_FORMS, Key::Utility_CTEXT_LIST_PAPERSIZE},
    {IDC_UTILITY_BUTTON_DELETE, Key::Utility_CTEXT_BUTTON_DELETE},
    {IDC_UTILITY_BUTTON_SAVE, Key::Utility_CTEXT_BUTTON_SAVE},
    {IDC_UTILITY_EDIT_FORMNAME, Key::Utility_CTEXT_EDIT_FORMNAME},
    {IDC_UTILITY_EDIT_WIDTH, Key::Utility_CTEXT_EDIT_WIDTH},
    {IDC_UTILITY_EDIT_HEIGHT, Key::Utility_CTEXT_EDIT_HEIGHT},
};

constexpr PageDefinition kPage = {.section = Section::Utility, .captions = kCaptions, .help = kHelp, .noted = NotedPage::Utility};

// Captions and tooltip help are all this page does so far.
class UtilityPage final : public DevicePage {
public:
    explicit UtilityPage(DeviceSheetContext& context) : DevicePage(context, kPage) {}
};

}  // namespace

const PageDefinition& UtilityPageDefinition() { return kPage; }

INT_PTR CALLBACK UtilityPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<UtilityPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
