#include "viewer/about_dlg.h"

#include "viewer/resource.h"

namespace zr640viewer {

CAboutDlg::CAboutDlg() : Dialog(IDD_ABOUTBOX) {}

INT_PTR CAboutDlg::OnMessage(UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;  // OK and the close box end it
}

}  // namespace zr640viewer
