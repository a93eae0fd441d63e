// The Version page, shown in both sheets.
#include "plugin/localisation/recaption.h"
#include "plugin/pages/page_frame.h"
#include "plugin/pages/pages.h"
#include "resource.h"

namespace zr640ui {
namespace {

constexpr PageDefinition kPage = {Section::Version, {}, {}};

INT_PTR VersionPage(HWND page, UINT message, LPARAM lParam, NotedPage slot) {
    if (message == WM_INITDIALOG) NotePageWindow(slot, page);
    if (message == WM_DESTROY && NotedPageWindow(slot) == page) NotePageWindow(slot, nullptr);
    return HandlePageMessage(page, message, lParam, kPage);
}

}  // namespace

INT_PTR CALLBACK DocumentVersionPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    return VersionPage(page, message, lParam, NotedPage::DocumentVersion);
}

INT_PTR CALLBACK DeviceVersionPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    return VersionPage(page, message, lParam, NotedPage::DeviceVersion);
}

}  // namespace zr640ui
