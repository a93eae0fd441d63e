// The Operation page: one button per moment of a job, each opening its event operations.
#include "plugin/pages/framework/page.h"
#include "plugin/pages/pages.h"
#include "resource.h"

namespace zr640ui {
namespace {

constexpr TextBinding kCaptions[] = {
    {IDC_OPERATION_BUTTON_STARTDOC, Key::Operation_RC_STARTDOC},
    {IDC_OPERATION_BUTTON_STARTPAGE, Key::Operation_RC_STARTPAGE},
    {IDC_OPERATION_BUTTON_ENDPAGE, Key::Operation_RC_ENDPAGE},
    {IDC_OPERATION_BUTTON_ENDDOC, Key::Operation_RC_ENDDOC},
    {IDC_OPERATION_LABEL_STARTDOC, Key::Operation_RC_STATIC_SDOC},
    {IDC_OPERATION_LABEL_STARTPAGE, Key::Operation_RC_STATIC_SPAGE},
    {IDC_OPERATION_LABEL_ENDPAGE, Key::Operation_RC_STATIC_ENDPAGE},
    {IDC_OPERATION_LABEL_ENDDOC, Key::Operation_RC_STATIC_ENDDOC},
};

// The page itself has no tooltip help; its event-operation dialog has its own.
constexpr PageDefinition kPage = {Section::Operation, kCaptions, {}};

// Captions and tooltip help are all this page does so far.
class OperationPage final : public DocumentPage {
public:
    explicit OperationPage(DocumentSheetContext& context) : DocumentPage(context, kPage) {}
};

}  // namespace

const PageDefinition& OperationPageDefinition() { return kPage; }

INT_PTR CALLBACK OperationPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return PageProc<OperationPage>(page, message, wParam, lParam);
}

}  // namespace zr640ui
