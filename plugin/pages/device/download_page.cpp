#include "plugin/pages/page_frame.h"
#include "plugin/pages/pages.h"
#include "resource.h"

namespace zr640ui {
namespace {

constexpr PageDefinition kPage = {Section::Download, {}, {}};

}  // namespace

INT_PTR CALLBACK DownloadPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    return HandlePageMessage(page, message, lParam, kPage);
}

}  // namespace zr640ui
