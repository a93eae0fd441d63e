// Module matrices scaled to dots, with quiet zones and the human-readable lines.
#include <algorithm>

#include "core/emulator/symbol_parts.h"

namespace zr640::emulator::detail {

Error Unusable(std::string_view what, int value, int low, int high) {
    return Error{std::string(what) + " " + std::to_string(value) + " cannot be used (" +
                 std::to_string(low) + " to " + std::to_string(high) + ")"};
}

DotCanvas::DotCanvas(uint32_t width, uint32_t height) {
    drawing_.width = width;
    drawing_.height = height;
    drawing_.dots.assign(size_t{width} * height, 0);
}

void DotCanvas::Fill(uint32_t x, uint32_t y, uint32_t width, uint32_t height) {
    const uint32_t right = std::min(drawing_.width, x + width);
    const uint32_t bottom = std::min(drawing_.height, y + height);
    for (uint32_t row = y; row < bottom; ++row) {
        for (uint32_t column = x; column < right; ++column)
            drawing_.dots[size_t{row} * drawing_.width + column] = 1;
    }
}

std::string PrintableText(std::span<const uint8_t> bytes) {
    std::string text;
    for (const uint8_t b : bytes)
        text.push_back(b >= 0x20 && b < 0x7F ? static_cast<char>(b) : ' ');
    return text;
}

Error WiderThanPaper(uint32_t width, uint32_t paperWidth) {
    return Error{"the symbol is " + std::to_string(width) + " dots wide, wider than the paper (" +
                 std::to_string(paperWidth) + " dots)"};
}

Result<SymbolDrawing> DrawModules(const EncodedSymbol& symbol, const ModuleLayout& layout,
                                  const HriLines& hri) {
    if (layout.rowDots.size() != static_cast<size_t>(symbol.rows()))
        return Error{"the symbol's rows and their heights do not match"};
    const HriCell cell = CellOf(hri.font);
    const auto columns = static_cast<uint32_t>(symbol.columns());
    const uint32_t modulesWidth = columns * layout.moduleDots;
    uint32_t quietLeft = layout.quietLeft * layout.moduleDots;
    uint32_t quietRight = layout.quietRight * layout.moduleDots;
    if (modulesWidth + quietLeft + quietRight > layout.paperWidth &&
        modulesWidth <= layout.paperWidth) {
        const uint32_t spare = layout.paperWidth - modulesWidth;
        const uint32_t left = spare * quietLeft / (quietLeft + quietRight);
        quietRight = spare - left;
        quietLeft = left;
    }
    const uint32_t symbolWidth = quietLeft + modulesWidth + quietRight;
    size_t widestLine = 0;
    for (const auto* lines : {&hri.above, &hri.below}) {
        for (const std::string& line : *lines) widestLine = std::max(widestLine, line.size());
    }
    const uint32_t width = std::max(symbolWidth, static_cast<uint32_t>(widestLine) * cell.width);
    if (width > layout.paperWidth) return WiderThanPaper(width, layout.paperWidth);
    uint32_t matrixHeight = 0;
    for (const uint32_t dots : layout.rowDots) matrixHeight += dots;
    const uint32_t height =
        static_cast<uint32_t>(hri.above.size() + hri.below.size()) * cell.height +
        (layout.quietTop + layout.quietBottom) * layout.moduleDots + matrixHeight;

    DotCanvas canvas(width, height);
    SymbolDrawing drawing;
    // The lines are centred on the symbol's modules, kept inside the drawing.
    const uint32_t symbolLeft = (width - symbolWidth) / 2;
    const uint32_t modulesLeft = symbolLeft + quietLeft;
    const uint32_t centre = modulesLeft + modulesWidth / 2;
    uint32_t y = 0;
    std::vector<std::pair<uint32_t, const std::string*>> lines;
    for (const std::string& line : hri.above) {
        lines.emplace_back(y, &line);
        y += cell.height;
    }
    y += layout.quietTop * layout.moduleDots;
    for (int row = 0; row < symbol.rows(); ++row) {
        const uint32_t rowDots = layout.rowDots[static_cast<size_t>(row)];
        for (uint32_t column = 0; column < columns; ++column) {
            if (symbol.Module(row, static_cast<int>(column)))
                canvas.Fill(modulesLeft + column * layout.moduleDots, y, layout.moduleDots,
                            rowDots);
        }
        y += rowDots;
    }
    y += layout.quietBottom * layout.moduleDots;
    for (const std::string& line : hri.below) {
        lines.emplace_back(y, &line);
        y += cell.height;
    }
    drawing = canvas.Take();
    for (const auto& [top, line] : lines) {
        const auto lineWidth = static_cast<uint32_t>(line->size()) * cell.width;
        const uint32_t left = std::min(width - lineWidth, centre - std::min(centre, lineWidth / 2));
        DrawHriText(*line, hri.font, left, top, drawing.dots.data(), drawing.width);
    }
    return drawing;
}

}  // namespace zr640::emulator::detail
