// Bitmap files from outside: the reader under both limits, and every pixel byte of a file
// it accepts read once, so that a row outside the file shows up under the sanitizers.
#include <cstdint>
#include <span>

#include "core/imaging/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> file(data, size);
    for (const auto& limits : {zr640::kLogoLimits, zr640::kGeneralLimits}) {
        const auto view = zr640::ParseBitmap(file, limits);
        if (!view) continue;
        unsigned sum = 0;
        for (int32_t y = 0; y < view->height(); ++y) {
            const uint8_t* row = view->row(y);
            for (size_t i = 0; i < view->rowSize(); ++i) sum += row[i];
        }
        if (view->width() > limits.maxWidth || view->height() > limits.maxHeight) __builtin_trap();
        (void)sum;
    }
    return 0;
}
