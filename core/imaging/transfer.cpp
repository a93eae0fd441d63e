#include "core/imaging/transfer.h"

#include <algorithm>
#include <cmath>

namespace zr640 {
namespace {

uint8_t ClampLevel(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

// Outside -100..100 the divisors below could reach 0 and the sums overflow.
int ClampSetting(int value) { return std::clamp(value, kTransferMin, kTransferMax); }

}  // namespace

// Every intermediate is stored in a variable of its own type, so that a compiler keeping
// floating point values in wider registers (x87) still rounds them where they are rounded
// here.
uint8_t Transfer(int p, int contrast, int brightness) {
    contrast = ClampSetting(contrast);
    brightness = ClampSetting(brightness);
    int t = 0;
    if (contrast < 0) {
        const float divisor = 255.0f / static_cast<float>(2 * contrast + 255);
        const float scaled = static_cast<float>(p) / divisor;
        const float shifted = scaled - static_cast<float>(contrast);
        t = static_cast<int>(shifted);
    } else if (p <= contrast) {
        t = 0;
    } else if (p < 255 - contrast) {
        const float factor = static_cast<float>((255 - 2 * contrast) / 255.0);
        const double stretched = static_cast<double>(p - contrast) / static_cast<double>(factor);
        t = static_cast<int>(stretched);
    } else {
        t = 255;
    }
    return ClampLevel(t + brightness);
}

uint8_t MeanPivotTransfer(int p, int contrast, int brightness, int mean) {
    contrast = ClampSetting(contrast);
    brightness = ClampSetting(brightness);
    const double slope = contrast >= 0 ? contrast / 10.0 + 1.0
                                       : 1.0 - std::sqrt(static_cast<double>(-contrast)) / 10.0;
    const float x = static_cast<float>(slope);
    const float product = static_cast<float>(p - mean) * x;
    const float pivoted = product + static_cast<float>(mean);
    return ClampLevel(static_cast<int>(pivoted) + brightness);
}

TransferTable MakeTransferTable(int contrast, int brightness) {
    TransferTable table;
    for (int p = 0; p < 256; ++p) table[static_cast<size_t>(p)] = Transfer(p, contrast, brightness);
    return table;
}

TransferTable MakeMeanPivotTable(int contrast, int brightness, int mean) {
    TransferTable table;
    for (int p = 0; p < 256; ++p) {
        table[static_cast<size_t>(p)] = MeanPivotTransfer(p, contrast, brightness, mean);
    }
    return table;
}

}  // namespace zr640
