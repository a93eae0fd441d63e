#include "core/emulator/symbol.h"

#include <string>

#include "core/emulator/symbol_parts.h"

namespace zr640::emulator {
namespace {

// m of 1D 6B m for the symbols whose settings come from their own commands.
constexpr uint8_t kPdf417 = 0x0A;
constexpr uint8_t kQrCode = 0x0B;
constexpr uint8_t kMaxiCode = 0x0C;
constexpr uint8_t kGs1DataBar = 0x0D;

Result<SymbolDrawing> Draw(uint8_t m, std::span<const uint8_t> data,
                           const BarcodeSettings& settings, uint32_t paperWidth) {
    switch (m) {
    case kPdf417: return detail::DrawPdf417(data, settings, paperWidth);
    case kQrCode: return detail::DrawQrCode(data, settings, paperWidth);
    case kMaxiCode: return detail::DrawMaxiCode(data, settings, paperWidth);
    case kGs1DataBar: return detail::DrawGs1DataBar(data, settings, paperWidth);
    default: return detail::DrawLinear(m, data, settings, paperWidth);
    }
}

}  // namespace

Result<SymbolDrawing> DrawSymbol(uint8_t m, std::span<const uint8_t> data,
                                 const BarcodeSettings& settings, uint32_t paperWidth) {
    auto drawing = Draw(m, data, settings, paperWidth);
    if (drawing && drawing->width > paperWidth)
        return detail::WiderThanPaper(drawing->width, paperWidth);
    return drawing;
}

}  // namespace zr640::emulator
