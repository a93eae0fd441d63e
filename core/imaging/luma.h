// Gray levels of picture rows, shared by the mono and gray converters:
// gray = (587 G + 299 R + 114 B) / 1000 with each channel passed through a transfer table
// first. The weighted channel values come from tables, so a pixel costs three lookups,
// two additions and a division by a constant.
#pragma once

#include <array>
#include <cstdint>

#include "core/imaging/transfer.h"

namespace zr640 {

struct LumaTables {
    std::array<uint32_t, 256> blue, green, red;
};

inline LumaTables MakeLumaTables(const TransferTable& blue, const TransferTable& green,
                                 const TransferTable& red) {
    LumaTables t;
    for (size_t v = 0; v < 256; ++v) {
        t.blue[v] = 114u * blue[v];
        t.green[v] = 587u * green[v];
        t.red[v] = 299u * red[v];
    }
    return t;
}

// One 24-bit row (blue, green, red per pixel) to gray levels 0..255.
template <typename Out>
inline void LumaRow(const uint8_t* pixels, int32_t width, const LumaTables& t, Out* out) {
    for (int32_t x = 0; x < width; ++x, pixels += 3) {
        out[x] =
            static_cast<Out>((t.blue[pixels[0]] + t.green[pixels[1]] + t.red[pixels[2]]) / 1000u);
    }
}

// One 8-bit row: the pixel byte is the gray level.
template <typename Out>
inline void LevelRow(const uint8_t* pixels, int32_t width, const TransferTable& t, Out* out) {
    for (int32_t x = 0; x < width; ++x) out[x] = static_cast<Out>(t[pixels[x]]);
}

}  // namespace zr640
