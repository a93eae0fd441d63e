// The 1D page's symbol height: bar height plus the lines of human-readable text, rounded to
// a font size an application can choose (whole or half points at 180 dots per inch), and
// the millimetre and point texts the page shows for it.
#pragma once

#include <cstdint>
#include <string>

#include "core/settings/private_devmode.h"

namespace zr640 {

// Dots the HRI lines add: none for position 0 (and for any value outside 1..3); one line
// (positions 1 and 2) is 24 dots in Font A, 17 in Font B; two lines (position 3) twice that.
// Any font value but 0 is Font B.
uint32_t HriAllowance(uint8_t hriPosition, uint8_t hriFont);

// A height in points with its fraction rounded to a half point: below .4 down, from .4 to
// below .7 to .5, from .7 up to the next point. Given in half points. Decided exactly: at
// 180 dots per inch a dot is 0.4 point, so the tenths of a point are 4 x dots.
uint64_t RoundedHalfPoints(uint64_t dots);

// The dots of the rounded size, cut to a whole dot; 0 is stored as 2.
uint32_t QuantiseSymbolHeight(uint64_t dots);

// dwSymbolHeight for a bar height and HRI choice (163 dots without HRI give 162).
uint32_t SymbolHeight(uint32_t elementHeight, uint8_t hriPosition, uint8_t hriFont);

// Recomputes entry.dwSymbolHeight from its bar height and HRI settings, as the page does
// whenever one of them changes.
void UpdateSymbolHeight(Barcode1DSettings& entry);

// The mm box: symbolHeight x 25.4 / 180 as "%5.1f" (163 gives " 23.0").
std::string SymbolHeightMillimetres(uint32_t symbolHeight);

// The point box: the half-point-rounded symbolHeight x 72 / 180 as "%5.1f" (163 gives " 65.0").
std::string SymbolHeightPoints(uint32_t symbolHeight);

}  // namespace zr640
