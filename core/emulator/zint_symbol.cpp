// The emulator's one use of zint: encode, then read the module matrix, the text or zint's own
// raster picture.
#include <zint.h>

#include <algorithm>
#include <cstring>

#include "core/emulator/symbol_parts.h"

namespace zr640::emulator::detail {
namespace {

// zint's messages start with "Error NNN: " or "Warning NNN: "; the emulator's own words
// come before the explanation.
std::string Explanation(const char* text) {
    std::string message(text);
    const size_t colon = message.find(": ");
    if (colon != std::string::npos && colon < 16) message.erase(0, colon + 2);
    return message;
}

}  // namespace

EncodedSymbol::EncodedSymbol(int symbology) : symbol_(ZBarcode_Create(), &ZBarcode_Delete) {
    symbol_->symbology = symbology;
    symbol_->show_hrt = 1;
}

EncodedSymbol::~EncodedSymbol() = default;
EncodedSymbol::EncodedSymbol(EncodedSymbol&&) noexcept = default;
EncodedSymbol& EncodedSymbol::operator=(EncodedSymbol&&) noexcept = default;

Result<std::string> EncodedSymbol::Encode(std::span<const uint8_t> data) {
    if (data.empty()) return Error{"the data is empty"};
    const int status = ZBarcode_Encode(symbol_.get(), data.data(), static_cast<int>(data.size()));
    if (status >= ZINT_ERROR) return Error{Explanation(symbol_->errtxt)};
    if (symbol_->rows <= 0 || symbol_->width <= 0) return Error{"nothing was encoded"};
    return status == 0 ? std::string() : Explanation(symbol_->errtxt);
}

int EncodedSymbol::rows() const { return symbol_->rows; }
int EncodedSymbol::columns() const { return symbol_->width; }

bool EncodedSymbol::Module(int row, int column) const {
    const auto r = static_cast<size_t>(row);
    const auto c = static_cast<size_t>(column);
    return ((symbol_->encoded_data[r][c >> 3] >> (c & 7)) & 1) != 0;
}

float EncodedSymbol::RowHeight(int row) const {
    return symbol_->row_height[static_cast<size_t>(row)];
}

std::string EncodedSymbol::Text() const {
    const auto* text = reinterpret_cast<const char*>(symbol_->text);
    return std::string(text, strnlen(text, sizeof symbol_->text));
}

Result<SymbolDrawing> EncodedSymbol::Render(float scale) {
    symbol_->scale = scale;
    if (ZBarcode_Buffer(symbol_.get(), 0) >= ZINT_ERROR) return Error{Explanation(symbol_->errtxt)};
    if (symbol_->bitmap == nullptr || symbol_->bitmap_width <= 0 || symbol_->bitmap_height <= 0)
        return Error{"nothing was drawn"};
    SymbolDrawing drawing;
    drawing.width = static_cast<uint32_t>(symbol_->bitmap_width);
    drawing.height = static_cast<uint32_t>(symbol_->bitmap_height);
    drawing.dots.resize(size_t{drawing.width} * drawing.height);
    // Three bytes a pixel, red first: a dark red channel is a printed dot.
    for (size_t i = 0; i < drawing.dots.size(); ++i)
        drawing.dots[i] = symbol_->bitmap[i * 3] < 128 ? 1 : 0;
    return drawing;
}

}  // namespace zr640::emulator::detail
