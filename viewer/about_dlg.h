// The about box (template 100), opened from the system menu.
#pragma once

#include "viewer/framework/dialog.h"

namespace zr640viewer {

class CAboutDlg final : public Dialog {
public:
    CAboutDlg();

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace zr640viewer
