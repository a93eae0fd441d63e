#include "plugin/pages/framework/list_view.h"

#include <commctrl.h>

namespace zr640ui {

void SetUpListView(HWND list, std::span<const ListColumn> columns) {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.cx = columns[i].width;
        column.pszText = const_cast<wchar_t*>(columns[i].builtIn);
        column.iSubItem = static_cast<int>(i);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void SetColumnTitles(HWND list, std::span<const ListColumn> columns) {
    for (size_t i = 0; i < columns.size(); ++i) {
        if (!columns[i].title) continue;
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT;
        column.pszText = const_cast<wchar_t*>(Text(*columns[i].title));
        SendMessageW(list, LVM_SETCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

void InsertRow(HWND list, size_t row, const std::wstring& first) {
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.pszText = const_cast<wchar_t*>(first.c_str());
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void SetCell(HWND list, size_t row, int column, const std::wstring& text) {
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(list, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::wstring CellText(HWND list, size_t row, int column) {
    std::wstring text(1024, L'\0');
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    const auto length = SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    text.resize(static_cast<size_t>(length > 0 ? length : 0));
    return text;
}

void DeleteRow(HWND list, size_t row) { SendMessageW(list, LVM_DELETEITEM, row, 0); }

std::optional<size_t> SelectedRow(HWND list, size_t rows) {
    const LRESULT item =
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (item < 0 || static_cast<size_t>(item) >= rows) return std::nullopt;
    return static_cast<size_t>(item);
}

void SelectRow(HWND list, size_t row) {
    LVITEMW item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

}  // namespace zr640ui
