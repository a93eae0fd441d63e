// Print files from outside: the renderer behind the log viewer and `zr640 render-log`, with
// the bitmap written to memory, under three line geometries (the first byte of a print file
// is never examined, so it chooses one), and the band decoder on its own.
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "core/driverlog/bit_image_band.h"
#include "core/driverlog/log_bitmap.h"
#include "core/driverlog/print_file_render.h"
#include "core/driverlog/viewer_texts.h"

namespace {

constexpr zr640::LineGeometry kGeometries[] = {{80, 640}, {4, 32}, {104, 832}};

// Small enough that a fuzzed file of a few kilobytes cannot make the fuzzer run out of memory.
constexpr uint64_t kLargestFuzzPicture = uint64_t{16} << 20;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const auto& geometry = kGeometries[size > 0 ? data[0] % 3 : 0];
    zr640::BitmapBytes bitmap;
    const auto picture = zr640::RenderPrintFile(bytes, geometry, bitmap, kLargestFuzzPicture);
    const auto scanned = zr640::ScanPrintFile(bytes, geometry, kLargestFuzzPicture);
    // Rendering and measuring agree, and the bitmap is exactly as long as its header says.
    if (picture.ok() != scanned.ok()) std::abort();
    if (picture && (picture->height != scanned->height || picture->pageEnds != scanned->pageEnds ||
                    bitmap.bytes().size() != zr640::kLogBitmapHeaderSize +
                                                 size_t{geometry.bytesPerRow} * picture->height)) {
        std::abort();
    }

    std::vector<uint8_t> rows(zr640::kBandRows * 16);
    (void)zr640::DecodeBand(bytes, rows, 16, size > 1 ? data[1] % 17 : 16);

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    (void)zr640::LineGeometryFromTexts(text.substr(0, size / 2), text.substr(size / 2));
    return 0;
}
