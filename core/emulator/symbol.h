// Barcode symbols as the emulated printer draws them: what the setting commands left in
// the printer, and the one-bit drawing of one symbol (bars or modules scaled to dots, the
// symbology's quiet zones, and the human-readable text where the settings ask for it).
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/common/result.h"

namespace zr640::emulator {

// The parameter bytes of the setting commands, as last sent (the printer's power-on values
// until then). The symbol drawing gives them their meaning.
struct BarcodeSettings {
    uint8_t hriFont = 0;              // 1D 66 n
    uint8_t hriPosition = 0;          // 1D 48 n
    uint8_t moduleWidth = 3;          // 1D 77 n
    uint8_t height = 162;             // 1D 68 n
    std::array<uint8_t, 8> gs1{};     // 1D 73 k gw gr gc gs s gh ga
    std::array<uint8_t, 6> pdf417{};  // 1D 70 p1..p6 (01 01 rows columns width height)
    uint8_t level = 0;                // 1D 71 n
    std::array<uint8_t, 4> qr{};      // 1D 6F p1..p4 (00 width language model)
};

// One symbol drawn: `width` x `height` dots, row by row, 1 a printed dot.
struct SymbolDrawing {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> dots;
};

// Draws the symbol of the print-barcode command 1D 6B m with its data (without the
// terminating 00 or the length byte) at most `paperWidth` dots wide. A refusal names what
// the drawing cannot use (a parameter, the data, the width); nothing is drawn then.
Result<SymbolDrawing> DrawSymbol(uint8_t m, std::span<const uint8_t> data,
                                 const BarcodeSettings& settings, uint32_t paperWidth);

}  // namespace zr640::emulator
