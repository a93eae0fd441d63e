// Bitmap files from outside through the gray conversion, with contrast and brightness taken
// from the last two bytes. What the converter writes must be a gray logo the packer takes.
#include <cstdint>
#include <span>

#include "core/imaging/bmp.h"
#include "core/imaging/gray.h"
#include "core/imaging/logo_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto view = zr640::ParseBitmap({data, size}, zr640::kLogoLimits);
    if (!view) return 0;
    const int contrast = size >= 1 ? data[size - 1] % 201 - 100 : 0;
    const int brightness = size >= 2 ? data[size - 2] % 201 - 100 : 0;
    const auto gray = zr640::ConvertToGrayBitmap(*view, contrast, brightness);
    if (!gray) return 0;
    const auto logo = zr640::PackGrayLogo(*gray);
    if (!logo || logo->data.size() != size_t{logo->bytesPerLine} * logo->bands * 8)
        __builtin_trap();
    return 0;
}
