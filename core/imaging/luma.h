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

// The gray level 0..255 of one 24-bit pixel (blue, green, red).
inline uint32_t LumaOf(const uint8_t* pixel, const LumaTables& t) {
    return (t.blue[pixel[0]] + t.green[pixel[1]] + t.red[pixel[2]]) / 1000u;
}

// One 24-bit row to gray levels.
template <typename Out>
inline void LumaRow(const uint8_t* pixels, int32_t width, const LumaTables& t, Out* out) {
    for (int32_t x = 0; x < width; ++x, pixels += 3) out[x] = static_cast<Out>(LumaOf(pixels, t));
}

// One 8-bit row: the pixel byte is the gray level.
template <typename Out>
inline void LevelRow(const uint8_t* pixels, int32_t width, const TransferTable& t, Out* out) {
    for (int32_t x = 0; x < width; ++x) out[x] = static_cast<Out>(t[pixels[x]]);
}

}  // namespace zr640
