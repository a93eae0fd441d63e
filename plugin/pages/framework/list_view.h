// Report-style list views of the pages (the logo list, the paper forms, the control-font
// table): columns from a table whose titles are catalogue texts, rows of text cells.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>

#include "plugin/localisation/texts.h"

namespace zr640ui {

struct ListColumn {
    int width;
    const wchar_t* builtIn;  // shown until the first reload loads the language's title
    std::optional<Key> title = std::nullopt;  // none: the built-in title is the only one
};

// Empties the list, inserts the columns with their built-in titles, selects whole rows.
void SetUpListView(HWND list, std::span<const ListColumn> columns);
// Sets the column titles from the loaded texts.
void SetColumnTitles(HWND list, std::span<const ListColumn> columns);

// Inserts a row at `row` with the first cell's text; the others are set with SetCell.
void InsertRow(HWND list, size_t row, const std::wstring& first);
void SetCell(HWND list, size_t row, int column, const std::wstring& text);
std::wstring CellText(HWND list, size_t row, int column);
void DeleteRow(HWND list, size_t row);

// The selected row, or nothing; rows at or past `rows` count as none (a list in step with a
// table of that many rows).
std::optional<size_t> SelectedRow(HWND list, size_t rows);
void SelectRow(HWND list, size_t row);

}  // namespace zr640ui
