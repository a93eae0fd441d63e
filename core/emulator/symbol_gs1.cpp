// GS1 DataBar, all seven kinds, with a composite part, from the settings of 1D 73.
#include <zint.h>

#include "core/emulator/symbol_parts.h"

namespace zr640::emulator::detail {

Result<SymbolDrawing> DrawGs1DataBar(std::span<const uint8_t>, const BarcodeSettings&, uint32_t) {
    return Error{"GS1 DataBar is not drawn"};
}

}  // namespace zr640::emulator::detail
