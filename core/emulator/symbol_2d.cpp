// PDF417, QR Code and MaxiCode, with the settings of 1D 70, 1D 71 and 1D 6F.
#include <zint.h>

#include "core/emulator/symbol_parts.h"

namespace zr640::emulator::detail {

Result<SymbolDrawing> DrawPdf417(std::span<const uint8_t>, const BarcodeSettings&, uint32_t) {
    return Error{"PDF417 is not drawn"};
}
Result<SymbolDrawing> DrawQrCode(std::span<const uint8_t>, const BarcodeSettings&, uint32_t) {
    return Error{"QR Code is not drawn"};
}
Result<SymbolDrawing> DrawMaxiCode(std::span<const uint8_t>, const BarcodeSettings&, uint32_t) {
    return Error{"MaxiCode is not drawn"};
}

}  // namespace zr640::emulator::detail
