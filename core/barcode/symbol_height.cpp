#include "core/barcode/symbol_height.h"

#include <cstdio>
#include <limits>

namespace zr640 {
namespace {

std::string Format(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%5.1f", value);
    return text;
}

}  // namespace

uint32_t HriAllowance(uint8_t hriPosition, uint8_t hriFont) {
    const uint32_t line = hriFont == 0 ? 24 : 17;
    switch (hriPosition) {
    case 1:
    case 2: return line;
    case 3: return 2 * line;
    default: return 0;
    }
}

uint64_t RoundedHalfPoints(uint64_t dots) {
    const uint64_t tenths = dots * 4;  // dots x 72 / 180 points, in tenths of a point
    const uint64_t whole = tenths / 10;
    const uint64_t fraction = tenths % 10;
    const uint64_t half = fraction < 4 ? 0 : fraction < 7 ? 1 : 2;
    return whole * 2 + half;
}

uint32_t QuantiseSymbolHeight(uint64_t dots) {
    // half points x 180 / 72 / 2 = half points x 5 / 4; never more than `dots`.
    const uint64_t quantised = RoundedHalfPoints(dots) * 5 / 4;
    if (quantised == 0) return 2;
    constexpr uint64_t kLargest = std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(quantised < kLargest ? quantised : kLargest);
}

uint32_t SymbolHeight(uint32_t elementHeight, uint8_t hriPosition, uint8_t hriFont) {
    return QuantiseSymbolHeight(uint64_t{elementHeight} + HriAllowance(hriPosition, hriFont));
}

void UpdateSymbolHeight(Barcode1DSettings& entry) {
    entry.dwSymbolHeight = SymbolHeight(entry.dwElementHeight, entry.bHriPosition, entry.bHriFont);
}

std::string SymbolHeightMillimetres(uint32_t symbolHeight) {
    return Format(static_cast<double>(symbolHeight) * 25.4 / 180.0);
}

std::string SymbolHeightPoints(uint32_t symbolHeight) {
    // A count of half points is exact in a double, so "%5.1f" shows it unrounded.
    return Format(static_cast<double>(RoundedHalfPoints(symbolHeight)) / 2.0);
}

}  // namespace zr640
