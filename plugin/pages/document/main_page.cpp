// The Main page: print-as-graphics, zoom and scale, rotation, paper size, language choice,
// the driver log and the log viewer.
#include "plugin/localisation/recaption.h"
#include "plugin/pages/page_frame.h"
#include "plugin/pages/pages.h"
#include "plugin/sheet_context.h"
#include "resource.h"

namespace zr640ui {
namespace {

constexpr CaptionBinding kCaptions[] = {
    {IDC_MAIN_GROUP_DOCSETTING, Key::Layout_RC_DOCSETTING},
    {IDC_MAIN_LABEL_PRINTASIMAGE, Key::Layout_RC_PRINT_AS_IMAGE},
    {IDC_MAIN_RADIO_GRAPHICSYES, Key::Layout_RC_RADIO_ASGRAPHICSYES},
    {IDC_MAIN_RADIO_GRAPHICSNO, Key::Layout_RC_RADIO_ASGRAPHICSNO},
    {IDC_MAIN_CHECK_ZOOM, Key::Layout_RC_CHECK_ZOOM},
    {IDC_MAIN_LABEL_SCALE, Key::Layout_RC_SCALE},
    {IDC_MAIN_GROUP_ROTATE, Key::Layout_RC_ROTATE},
    {IDC_MAIN_RADIO_ROTATENORMAL, Key::Layout_RC_RADIO_ROTATENOMAL},
    {IDC_MAIN_RADIO_ROTATE180, Key::Layout_RC_RADIO_ROTATE180},
    {IDC_MAIN_LABEL_PAPERSIZE, Key::Layout_RC_PAPERSIZE},
    {IDC_MAIN_LABEL_LANGUAGE, Key::Layout_RC_LANGUAGE},
    {IDC_MAIN_BUTTON_LOG, Key::Layout_RC_BUTTON_LOG},
    {IDC_MAIN_BUTTON_VIEWER, Key::Layout_RC_BUTTON_VIEWER},
    {IDC_MAIN_CHECK_LOG, Key::Layout_RC_CHECK_LOG},
    {IDC_MAIN_GROUP_LOG, Key::Layout_RC_STATIC_LOG},
};

constexpr HelpBinding kHelp[] = {
    {IDC_MAIN_RADIO_GRAPHICSYES, Key::Layout_CTEXT_RADIO_ASGRAPHICSYES},
    {IDC_MAIN_RADIO_GRAPHICSNO, Key::Layout_CTEXT_RADIO_ASGRAPHICSNO},
    {IDC_MAIN_CHECK_ZOOM, Key::Layout_CTEXT_CHECK_ZOOM},
    {IDC_MAIN_BUTTON_LOG, Key::Layout_CTEXT_BUTTON_LOG},
    {IDC_MAIN_BUTTON_VIEWER, Key::Layout_CTEXT_BUTTON_VIEWER},
    {IDC_MAIN_CHECK_LOG, Key::Layout_CTEXT_CHECK_LOG},
    {IDC_MAIN_EDIT_LOG, Key::Layout_CTEXT_EDIT_LOG},
    {IDC_MAIN_EDIT_SCALE, Key::Layout_CTEXT_SCALE},
    {IDC_MAIN_RADIO_ROTATENORMAL, Key::Layout_CTEXT_RADIO_ROTATENOMAL},
    {IDC_MAIN_RADIO_ROTATE180, Key::Layout_CTEXT_RADIO_ROTATE180},
    {IDC_MAIN_COMBO_PAPERSIZE, Key::Layout_CTEXT_PAPERSIZE},
    {IDC_MAIN_COMBO_LANGUAGE, Key::Layout_CTEXT_LANGUAGE},
};

constexpr PageDefinition kPage = {Section::Layout, kCaptions, kHelp};

}  // namespace

INT_PTR CALLBACK MainPageProc(HWND page, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const auto* record = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        const auto* context = reinterpret_cast<const DocumentSheetContext*>(record->lParam);
        if (context != nullptr && context->commonParams != nullptr) {
            NotePrinterName(context->commonParams->pPrinterName);
        }
    }
    return HandlePageMessage(page, message, lParam, kPage);
}

}  // namespace zr640ui
