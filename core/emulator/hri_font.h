// The printer's built-in font for human-readable text under and over barcodes: Font A in a
// 12 x 24 dot cell, Font B in a 9 x 17 dot cell, printable ASCII.
#pragma once

#include <cstdint>
#include <string_view>

namespace zr640::emulator {

enum class HriFont : uint8_t { kA, kB };

struct HriCell {
    uint32_t width;
    uint32_t height;
};

HriCell CellOf(HriFont font);

// Draws `text` from (x, y), one cell per character, into a one-bit picture of `stride` dots a
// row (one byte a dot, 1 printed). The caller keeps the cells inside the picture. Characters
// outside printable ASCII leave their cell blank.
void DrawHriText(std::string_view text, HriFont font, uint32_t x, uint32_t y, uint8_t* dots,
                 uint32_t stride);

}  // namespace zr640::emulator
