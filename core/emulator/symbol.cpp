#include "core/emulator/symbol.h"

#include <string>

namespace zr640::emulator {

Result<SymbolDrawing> DrawSymbol(uint8_t m, std::span<const uint8_t>, const BarcodeSettings&,
                                 uint32_t) {
    return Error{"barcode type " + std::to_string(m) + " is not drawn"};
}

}  // namespace zr640::emulator
