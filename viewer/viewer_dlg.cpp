#include "viewer/viewer_dlg.h"

#include <shlobj.h>

#include <cwchar>

#include "core/localisation/text_catalog.h"
#include "viewer/about_dlg.h"
#include "viewer/log_picture.h"
#include "viewer/resource.h"
#include "win32/wide_text.h"

namespace zr640viewer {

using namespace zr640::win;  // the handle owners
namespace {

using zr640::ViewerText;

constexpr int kPrinterNameCapacity = 100;

using CaptionBinding = zr640::text::TextBinding<ViewerText>;

constexpr CaptionBinding kCaptions[] = {
    {IDC_VIEWER_BUTTON_TOP, ViewerText::BtnTop},
    {IDC_VIEWER_BUTTON_BACK, ViewerText::BtnBack},
    {IDC_VIEWER_BUTTON_NEXT, ViewerText::BtnNext},
    {IDC_VIEWER_BUTTON_BOTTOM, ViewerText::BtnBottom},
    {IDC_VIEWER_GROUP_PRINT, ViewerText::GroupPrint},
    {IDC_VIEWER_BUTTON_PRINT, ViewerText::GroupPrint},
    {IDC_VIEWER_LABEL_PRINTER, ViewerText::GroupPrinter},
    {IDCANCEL, ViewerText::BtnExit},
    {IDC_VIEWER_RADIO_THISLOG, ViewerText::RadioToday},
    {IDC_VIEWER_RADIO_THISDAY, ViewerText::RadioTotal},
};

zr640::ScrollCode ScrollCodeOf(int code) {
    switch (code) {
    case SB_LINEUP: return zr640::ScrollCode::LineUp;
    case SB_LINEDOWN: return zr640::ScrollCode::LineDown;
    case SB_PAGEUP: return zr640::ScrollCode::PageUp;
    case SB_PAGEDOWN: return zr640::ScrollCode::PageDown;
    case SB_THUMBPOSITION: return zr640::ScrollCode::ThumbPosition;
    case SB_THUMBTRACK: return zr640::ScrollCode::ThumbTrack;
    case SB_TOP: return zr640::ScrollCode::Top;
    case SB_BOTTOM: return zr640::ScrollCode::Bottom;
    default: return zr640::ScrollCode::Other;
    }
}

HICON LoadProgramIcon(int sizeMetric) {
    const int size = GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                         IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

CVELKDriverlogViewerDlg::CVELKDriverlogViewerDlg(std::wstring model, std::wstring logFolder,
                                                 Spooler& spooler)
    : Dialog(IDD_VIEWER),
      model_(std::move(model)),
      logFolder_(std::move(logFolder)),
      spooler_(spooler) {}

INT_PTR CVELKDriverlogViewerDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_SYSCOMMAND: return OnSysCommand(wParam);
    case WM_PAINT: return OnPaint();
    case WM_QUERYDRAGICON: return reinterpret_cast<INT_PTR>(icon_);
    case WM_VSCROLL: return OnVScroll(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY: OnDestroy(); return FALSE;
    default: return FALSE;
    }
}

INT_PTR CVELKDriverlogViewerDlg::OnInitDialog() {
    wchar_t about[256] = {};
    if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, 256) > 0) {
        const HMENU system = GetSystemMenu(window(), FALSE);
        AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(system, MF_STRING, IDM_ABOUTBOX, about);
    }
    icon_ = LoadProgramIcon(SM_CXICON);
    SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(window(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadProgramIcon(SM_CXSMICON)));

    texts_ =
        ViewerTextSet::Load(LanguageFilePath(LanguageFileName(model_, GetSystemDefaultLangID())));
    printerFilter_ = texts_[ViewerText::DriverName];
    const auto geometry =
        zr640::LineGeometryFromTexts(zr640::win::Utf8FromWide(texts_[ViewerText::PrinterWidth]),
                                     zr640::win::Utf8FromWide(texts_[ViewerText::PrinterPoints]));
    if (geometry) geometry_ = *geometry;
    SetCaptions();

    const HWND tree = Item(IDC_VIEWER_TREE);
    SetWindowLongPtrW(
        tree, GWL_STYLE,
        GetWindowLongPtrW(tree, GWL_STYLE) | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT);
    AddLogFolder(logFolder_);
    FillPrinterList();
    CheckRadioButton(window(), IDC_VIEWER_RADIO_THISLOG, IDC_VIEWER_RADIO_THISDAY,
                     IDC_VIEWER_RADIO_THISLOG);
    return TRUE;
}

void CVELKDriverlogViewerDlg::SetCaptions() {
    for (const CaptionBinding& binding : kCaptions) {
        SetDlgItemTextW(window(), binding.control, texts_[binding.text].c_str());
    }
}

INT_PTR CVELKDriverlogViewerDlg::OnSysCommand(WPARAM command) {
    if ((command & 0xFFF0) != IDM_ABOUTBOX) return FALSE;
    CAboutDlg about;
    about.DoModal(window());
    return TRUE;
}

INT_PTR CVELKDriverlogViewerDlg::OnPaint() {
    if (IsIconic(window())) {
        const PaintDC dc(window());
        SendMessageW(window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
        RECT client;
        GetClientRect(window(), &client);
        const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc.get(), x, y, icon_);
        return TRUE;
    }
    { const PaintDC dc(window()); }
    DrawPicture();
    return TRUE;
}

void CVELKDriverlogViewerDlg::DrawPicture() {
    if (!picture_) return;
    const HWND frame = Item(IDC_VIEWER_FRAME_PICTURE);
    RECT area;
    GetClientRect(frame, &area);
    const zr640::PicturePlacement place = view_.Place(pictureWidth_, area.right, area.bottom);
    const WindowDC dc(frame);
    const MemoryDC memory(dc.get());
    const ScopedSelection selected(memory.get(), picture_.get());
    SetStretchBltMode(dc.get(), HALFTONE);
    SetBrushOrgEx(dc.get(), 0, 0, nullptr);
    StretchBlt(dc.get(), 0, 0, static_cast<int>(place.width), static_cast<int>(place.height),
               memory.get(), static_cast<int>(place.sourceX), static_cast<int>(place.sourceY),
               static_cast<int>(place.sourceWidth), static_cast<int>(place.sourceHeight), SRCCOPY);
}

// The picture area of the window is painted afresh: its background, then the picture.
void CVELKDriverlogViewerDlg::Repaint() {
    RECT area;
    GetWindowRect(Item(IDC_VIEWER_FRAME_PICTURE), &area);
    MapWindowPoints(nullptr, window(), reinterpret_cast<POINT*>(&area), 2);
    InvalidateRect(window(), &area, TRUE);
    UpdateWindow(window());
}

void CVELKDriverlogViewerDlg::ShowPaging() {
    const zr640::PageButtons& buttons = view_.buttons();
    EnableWindow(Item(IDC_VIEWER_BUTTON_TOP), buttons.top);
    EnableWindow(Item(IDC_VIEWER_BUTTON_BACK), buttons.back);
    EnableWindow(Item(IDC_VIEWER_BUTTON_NEXT), buttons.next);
    EnableWindow(Item(IDC_VIEWER_BUTTON_BOTTOM), buttons.bottom);
    EnableWindow(Item(IDC_VIEWER_BUTTON_PRINT), view_.printEnabled());
    SetScrollPos(Item(IDC_VIEWER_SCROLL), SB_CTL, view_.position(), TRUE);
}

INT_PTR CVELKDriverlogViewerDlg::OnVScroll(int code, HWND bar) {
    if (bar != Item(IDC_VIEWER_SCROLL)) return FALSE;
    // The message carries 16 bits of the thumb position; the bar knows all 32.
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(bar, SB_CTL, &info);
    view_.Scroll(ScrollCodeOf(code), info.nTrackPos);
    ShowPaging();
    Repaint();
    return TRUE;
}

INT_PTR CVELKDriverlogViewerDlg::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_VIEWER_TREE) return FALSE;
    if (header.code == NM_RCLICK) {
        ShowTreeMenu();
        return Answer(0);
    }
    if (header.code == TVN_SELCHANGEDW) {
        ShowPrintFile(reinterpret_cast<const NMTREEVIEWW&>(header).itemNew.hItem);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CVELKDriverlogViewerDlg::OnCommand(int control, int code) {
    if (control == ID_ADD_NEW_LOG) {
        ChooseAndAddLogFolder();
        return TRUE;
    }
    if (code != BN_CLICKED) return FALSE;
    switch (control) {
    case IDC_VIEWER_BUTTON_PRINT: Print(); return TRUE;
    case IDC_VIEWER_BUTTON_TOP: view_.Top(); break;
    case IDC_VIEWER_BUTTON_BACK: view_.Back(); break;
    case IDC_VIEWER_BUTTON_NEXT: view_.Next(); break;
    case IDC_VIEWER_BUTTON_BOTTOM: view_.Bottom(); break;
    default: return FALSE;
    }
    ShowPaging();
    Repaint();
    return TRUE;
}

// Whichever way the window closes, the picture and the temporary bitmaps go first.
void CVELKDriverlogViewerDlg::OnDestroy() {
    picture_.Reset();
    store_.DeleteTemporaryBitmaps();
}

HTREEITEM CVELKDriverlogViewerDlg::InsertItem(HTREEITEM parent, const std::wstring& text,
                                              TreeRef ref) {
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<LPWSTR>(text.c_str());
    insert.item.lParam = static_cast<LPARAM>(items_.size());
    items_.push_back(ref);
    return reinterpret_cast<HTREEITEM>(SendDlgItemMessageW(
        window(), IDC_VIEWER_TREE, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void CVELKDriverlogViewerDlg::AddLogFolder(const std::wstring& folder) {
    const bool listed = store_.AddLogFolder(zr640::win::Utf8FromWide(folder));
    const size_t r = store_.roots().size() - 1;
    const zr640::LogRoot& root = store_.roots()[r];
    const HTREEITEM rootItem = InsertItem(TVI_ROOT, folder, {r, 0, 0, false});
    for (size_t d = 0; d < root.days.size(); ++d) {
        const zr640::LogDay& day = root.days[d];
        const HTREEITEM dayItem =
            InsertItem(rootItem, zr640::win::WideFromUtf8(day.name), {r, d, 0, false});
        for (size_t f = 0; f < day.printFiles.size(); ++f) {
            InsertItem(dayItem, zr640::win::WideFromUtf8(day.printFiles[f]), {r, d, f, true});
        }
    }
    if (!listed) ShowMessage(ViewerText::NotFoundFile, MB_OK);
}

void CVELKDriverlogViewerDlg::ChooseAndAddLogFolder() {
    wchar_t display[MAX_PATH] = {};
    BROWSEINFOW browse = {};
    browse.hwndOwner = window();
    browse.pszDisplayName = display;
    browse.lpszTitle = texts_[ViewerText::SelectFile].c_str();
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    const ScopedIdList chosen(SHBrowseForFolderW(&browse));
    if (!chosen) return;
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen.get(), folder)) return;
    AddLogFolder(folder);
}

void CVELKDriverlogViewerDlg::ShowTreeMenu() {
    POINT cursor;
    GetCursorPos(&cursor);
    const ScopedMenu menu(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TREE_MENU)));
    if (!menu) return;
    TrackPopupMenu(GetSubMenu(menu.get(), 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y,
                   0, window(), nullptr);
}

// The item's own entry in the store says whether it is a print file; its text, which is
// only a label, is never read back (so a name of any length works like any other).
void CVELKDriverlogViewerDlg::ShowPrintFile(HTREEITEM item) {
    TVITEMW tvItem = {};
    tvItem.mask = TVIF_PARAM;
    tvItem.hItem = item;
    if (!SendDlgItemMessageW(window(), IDC_VIEWER_TREE, TVM_GETITEMW, 0,
                             reinterpret_cast<LPARAM>(&tvItem))) {
        return;
    }
    const size_t index = static_cast<size_t>(tvItem.lParam);
    if (index >= items_.size() || !items_[index].isPrintFile) return;
    const TreeRef ref = items_[index];

    view_.Rewind();
    SetScrollPos(Item(IDC_VIEWER_SCROLL), SB_CTL, 0, TRUE);
    const auto selection = store_.SelectPrintFile(ref.root, ref.day, ref.file);
    if (!selection) return;
    const std::wstring bitmapFile = zr640::win::WideFromUtf8(selection->bitmapFile);
    const auto rendered =
        geometry_
            ? RenderLogFile(zr640::win::WideFromUtf8(selection->printFile), bitmapFile, *geometry_)
            : zr640::Result<zr640::LogPicture>(zr640::Error{"no usable line geometry"});
    if (!rendered) {
        ShowMessage(ViewerText::LogError, MB_OK | MB_ICONEXCLAMATION);
        return;
    }

    picture_.Reset(static_cast<HBITMAP>(LoadImageW(nullptr, bitmapFile.c_str(), IMAGE_BITMAP, 0, 0,
                                                   LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP info = {};
    if (!picture_ || GetObjectW(picture_.get(), sizeof info, &info) == 0) {
        picture_.Reset();
        ShowMessage(ViewerText::LoadImageError, MB_OK);
        return;
    }
    pictureWidth_ = static_cast<uint32_t>(info.bmWidth);
    RECT area;
    GetClientRect(Item(IDC_VIEWER_FRAME_PICTURE), &area);
    view_.Show(static_cast<uint32_t>(info.bmHeight), rendered->pageEnds,
               static_cast<uint32_t>(area.bottom));
    SCROLLINFO range = {};
    range.cbSize = sizeof range;
    range.fMask = SIF_RANGE | SIF_POS;
    range.nMin = view_.rangeMin();
    range.nMax = view_.rangeMax();
    range.nPos = view_.position();
    SetScrollInfo(Item(IDC_VIEWER_SCROLL), SB_CTL, &range, TRUE);
    ShowPaging();
    Repaint();
}

void CVELKDriverlogViewerDlg::FillPrinterList() {
    const auto names = spooler_.LocalPrinterNames();
    if (!names) return;
    const PrinterList list = FilterPrinters(*names, printerFilter_);
    for (const std::wstring& entry : list.entries) {
        SendDlgItemMessageW(window(), IDC_VIEWER_COMBO_PRINTER, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(entry.c_str()));
    }
    SendDlgItemMessageW(window(), IDC_VIEWER_COMBO_PRINTER, CB_SETCURSEL, 0, 0);
}

void CVELKDriverlogViewerDlg::Print() {
    wchar_t printer[kPrinterNameCapacity] = {};
    GetDlgItemTextW(window(), IDC_VIEWER_COMBO_PRINTER, printer, kPrinterNameCapacity);
    if (IsDlgButtonChecked(window(), IDC_VIEWER_RADIO_THISLOG) == BST_CHECKED) {
        if (store_.selection())
            PrintLogFile(spooler_, printer,
                         zr640::win::WideFromUtf8(store_.selection()->printFile));
        return;
    }
    if (IsDlgButtonChecked(window(), IDC_VIEWER_RADIO_THISDAY) != BST_CHECKED) return;
    const std::vector<std::string> files = store_.PrintFilesOfCurrentDay();
    if (files.empty()) {
        ShowMessage(ViewerText::LoadImageError, MB_OK);
        return;
    }
    for (const std::string& file : files)
        PrintLogFile(spooler_, printer, zr640::win::WideFromUtf8(file));
}

int CVELKDriverlogViewerDlg::ShowMessage(ViewerText text, UINT type) {
    return MessageBoxW(window(), texts_[text].c_str(), kProgramTitle, type);
}

}  // namespace zr640viewer
