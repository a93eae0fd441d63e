// The viewer window (template 102): the log tree, the page picture with its scroll bar and
// TOP / BACK / NEXT / BOTTOM, and the print group.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "core/driverlog/log_store.h"
#include "core/driverlog/page_view.h"
#include "viewer/framework/dialog.h"
#include "win32/handles.h"
#include "viewer/language.h"
#include "viewer/log_folder_access.h"
#include "viewer/log_printing.h"

namespace zr640viewer {

inline constexpr wchar_t kProgramTitle[] = L"RZKDriverlogViewer";

class CVELKDriverlogViewerDlg final : public Dialog {
public:
    CVELKDriverlogViewerDlg(std::wstring model, std::wstring logFolder, Spooler& spooler);

protected:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // What a tree item stands for; its lParam is the index into items_.
    struct TreeRef {
        size_t root = 0;
        size_t day = 0;
        size_t file = 0;
        bool isPrintFile = false;
    };

    INT_PTR OnInitDialog();
    INT_PTR OnSysCommand(WPARAM command);
    INT_PTR OnPaint();
    INT_PTR OnVScroll(int code, HWND bar);
    INT_PTR OnNotify(const NMHDR& header);
    INT_PTR OnCommand(int control, int code);
    void OnDestroy();

    void SetCaptions();
    void AddLogFolder(const std::wstring& folder);
    void ChooseAndAddLogFolder();
    void ShowTreeMenu();
    void ShowPrintFile(HTREEITEM item);
    void FillPrinterList();
    void Print();

    HTREEITEM InsertItem(HTREEITEM parent, const std::wstring& text, TreeRef ref);
    void ShowPaging();  // buttons and scroll box from view_
    void Repaint();
    void DrawPicture();
    int ShowMessage(zr640::ViewerText text, UINT type);

    std::wstring model_;
    std::wstring logFolder_;
    Spooler& spooler_;

    HICON icon_ = nullptr;
    ViewerTextSet texts_ = ViewerTextSet::Defaults();
    std::wstring printerFilter_;
    std::optional<zr640::LineGeometry> geometry_;  // none: the texts give no usable line

    WindowsLogAccess access_;
    zr640::LogStore store_{access_};
    std::vector<TreeRef> items_;

    zr640::PageView view_;
    zr640::win::ScopedBitmap picture_;
    uint32_t pictureWidth_ = 0;
};

}  // namespace zr640viewer
