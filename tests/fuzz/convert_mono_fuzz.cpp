// Bitmap files from outside through every halftone, with contrast and brightness taken from
// the last two bytes. What the converter writes must be a mono logo the packer takes.
#include <cstdint>
#include <span>

#include "core/imaging/bmp.h"
#include "core/imaging/halftone.h"
#include "core/imaging/logo_pack.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto view = zr640::ParseBitmap({data, size}, zr640::kLogoLimits);
    if (!view) return 0;
    const int contrast = size >= 1 ? data[size - 1] % 201 - 100 : 0;
    const int brightness = size >= 2 ? data[size - 2] % 201 - 100 : 0;
    for (int h = 0; h < 4; ++h) {
        const auto mono = zr640::ConvertToMonoBitmap(*view, static_cast<zr640::Halftone>(h),
                                                     contrast, brightness);
        if (!mono) continue;
        const auto logo = zr640::PackMonoLogo(*mono);
        if (!logo || logo->data.size() != size_t{logo->bytesAcross} * logo->bands * 8)
            __builtin_trap();
    }
    return 0;
}
