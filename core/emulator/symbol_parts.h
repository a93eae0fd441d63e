// The pieces the symbol drawing is made of: a dot canvas, a symbol encoded by zint, the
// layout of module rows with their human-readable lines, and one drawing function per
// symbology family. Internal to the emulator library.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/emulator/hri_font.h"
#include "core/emulator/symbol.h"

struct zint_symbol;

namespace zr640::emulator::detail {

// The refusal of a parameter byte outside what the drawing can use: "<what> N cannot be
// used (low to high)".
Error Unusable(std::string_view what, int value, int low, int high);

// A one-bit drawing under construction; writes outside it are clipped.
class DotCanvas {
public:
    DotCanvas(uint32_t width, uint32_t height);
    uint32_t width() const { return drawing_.width; }
    uint32_t height() const { return drawing_.height; }
    void Fill(uint32_t x, uint32_t y, uint32_t width, uint32_t height);
    SymbolDrawing Take() { return std::move(drawing_); }

private:
    SymbolDrawing drawing_;
};

// One symbol encoded by zint: its module matrix and human-readable text.
class EncodedSymbol {
public:
    explicit EncodedSymbol(int symbology);
    ~EncodedSymbol();
    EncodedSymbol(EncodedSymbol&&) noexcept;
    EncodedSymbol& operator=(EncodedSymbol&&) noexcept;

    // The options before encoding (zint's own fields: option_1..3, input_mode, eci, primary).
    zint_symbol& options() { return *symbol_; }

    // Encodes the data; a refusal carries zint's explanation. A warning (zint changed an
    // option to make the data fit) is returned as its text, empty when there is none.
    Result<std::string> Encode(std::span<const uint8_t> data);

    int rows() const;
    int columns() const;
    bool Module(int row, int column) const;
    float RowHeight(int row) const;  // zint's height of the row in modules (0: the rest)
    std::string Text() const;        // zint's human-readable text

    // The symbol rendered by zint at `scale` (for symbols not made of square modules): one
    // byte per pixel, 1 a dark pixel.
    Result<SymbolDrawing> Render(float scale);

private:
    std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol_;
};

// Where a symbol's module matrix goes: the dots of one module's width, the dots of each
// matrix row, and the quiet zones in modules. Quiet zones at the sides narrow to what the
// paper leaves beside the modules (its white edge is the rest of them).
struct ModuleLayout {
    uint32_t paperWidth = 0;
    uint32_t moduleDots = 1;
    std::vector<uint32_t> rowDots;
    uint32_t quietLeft = 0;
    uint32_t quietRight = 0;
    uint32_t quietTop = 0;
    uint32_t quietBottom = 0;
};

// Human-readable lines above and below a symbol, each centred on the symbol.
struct HriLines {
    HriFont font = HriFont::kA;
    std::vector<std::string> above;
    std::vector<std::string> below;
};

// The refusal of a symbol wider than the paper.
Error WiderThanPaper(uint32_t width, uint32_t paperWidth);

// Draws the matrix with its quiet zones and the human-readable lines. The drawing is as
// wide as the symbol with its quiet zones, or as the widest line when that is wider; a symbol
// or line wider than the paper is refused before anything is drawn.
Result<SymbolDrawing> DrawModules(const EncodedSymbol& symbol, const ModuleLayout& layout,
                                  const HriLines& hri);

// The printable form of data bytes for a human-readable line: bytes outside the printable
// ASCII range show as spaces.
std::string PrintableText(std::span<const uint8_t> bytes);

// The symbology families (m of 1D 6B m).
Result<SymbolDrawing> DrawLinear(uint8_t m, std::span<const uint8_t> data,
                                 const BarcodeSettings& settings, uint32_t paperWidth);
Result<SymbolDrawing> DrawGs1DataBar(std::span<const uint8_t> data, const BarcodeSettings& settings,
                                     uint32_t paperWidth);
Result<SymbolDrawing> DrawPdf417(std::span<const uint8_t> data, const BarcodeSettings& settings,
                                 uint32_t paperWidth);
Result<SymbolDrawing> DrawQrCode(std::span<const uint8_t> data, const BarcodeSettings& settings,
                                 uint32_t paperWidth);
Result<SymbolDrawing> DrawMaxiCode(std::span<const uint8_t> data, const BarcodeSettings& settings,
                                   uint32_t paperWidth);

}  // namespace zr640::emulator::detail
