// The text water mark: the text box and the font list the page fills, and the text drawn as
// a picture, the 300 x 300 rendering that the preview shows and apply writes into the picture
// file.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zr640ui {

// The header of a bottom-up DIB without a colour table, as every water-mark picture is.
BITMAPINFO BottomUpDib(int32_t width, int32_t height, WORD bitCount);

// The texts offered in the text box (the box keeps at most `limit` characters); the stored
// text goes into its edit field, or without one the first entry is selected.
void FillTextBox(HWND combo, int limit, std::u16string_view stored);

// The face names of the TrueType families for the ANSI character set, in the order the
// system enumerates them.
std::vector<std::u16string> TrueTypeFaces(HDC dc);

// Fills the font list with the faces and selects the stored face's entry (see
// FontFaceEntry), or the first.
void FillFaceList(HWND combo, std::span<const std::u16string> faces, std::u16string_view stored);

// The text of the entry selected in the combo's list, or nothing. While the user picks in the
// opened list this is the entry just picked: the combo's own text follows only after the
// selection is reported.
std::wstring SelectedEntry(HWND combo);

// The 300 x 300 rendering of the text: 32-bit pixels, bottom row first.
using TextPixels = std::vector<uint8_t>;

struct TextStyle {
    std::wstring text;
    std::wstring face;
    int style = 0;  // 0 Regular, 1 Italic, 2 Bold, 3 Bold Italic
    int pointSize = 0;
    int angle = 0;  // degrees, counter-clockwise
};

// Draws the text black on white into a 300 x 300 picture, turned by the angle about the
// picture's centre. Nothing when the platform refuses the bitmap or the font.
std::optional<TextPixels> RenderText(HDC reference, const TextStyle& style);

}  // namespace zr640ui
