// PDF417, QR Code and MaxiCode. Their parameter bytes are read as the 2D Code page's fields:
//   1D 70 01 01 rows columns width height: rows (3 to 90) and data columns (1 to 30), 0 or
//     out of range to be chosen to fit; module width in dots; row height in modules;
//   1D 71 n: the PDF417 error correction level (0 to 8); before MaxiCode 0, its usual mode;
//   1D 6F 00 width language model: module width in dots, 0 Chinese or 1 Japanese for
//     multi-byte text, the QR Code model;
//   1D 6B 0B: the error correction letter, 'A' and ',' before the data.
#include <zint.h>

#include <algorithm>

#include "core/emulator/symbol_parts.h"

namespace zr640::emulator::detail {
namespace {

bool Within(int value, int low, int high) { return value >= low && value <= high; }

// zint's matrix with square modules of `moduleDots`, every row `rowDots` high.
Result<SymbolDrawing> DrawMatrix(const EncodedSymbol& symbol, uint32_t paperWidth,
                                 uint32_t moduleDots, uint32_t rowDots, uint32_t quietModules) {
    ModuleLayout layout{paperWidth,   moduleDots,   {},          quietModules,
                        quietModules, quietModules, quietModules};
    layout.rowDots.assign(static_cast<size_t>(symbol.rows()), rowDots);
    return DrawModules(symbol, layout, {});
}

}  // namespace

Result<SymbolDrawing> DrawPdf417(std::span<const uint8_t> data, const BarcodeSettings& settings,
                                 uint32_t paperWidth) {
    const auto& [p1, p2, rows, columns, width, height] = settings.pdf417;
    if (p1 != 1 || p2 != 1) {
        return Error{"PDF417 setting bytes " + std::to_string(p1) + " " + std::to_string(p2) +
                     " cannot be used (1 1)"};
    }
    if (!Within(width, 1, 7)) return Unusable("PDF417 module width", width, 1, 7);
    if (!Within(height, 2, 25)) return Unusable("PDF417 row height", height, 2, 25);
    if (!Within(settings.level, 0, 8))
        return Unusable("PDF417 error correction level", settings.level, 0, 8);

    EncodedSymbol symbol(BARCODE_PDF417);
    zint_symbol& options = symbol.options();
    options.option_1 = settings.level;
    options.option_2 = Within(columns, 1, 30) ? columns : 0;
    options.option_3 = Within(rows, 3, 90) ? rows : 0;
    auto encoded = symbol.Encode(data);
    if (!encoded) return Error{"PDF417: " + encoded.error()};
    // zint makes room by changing the rows or columns given: the data does not fit them.
    if (!encoded->empty()) {
        return Error{"PDF417: the data does not fit " + std::to_string(rows) + " rows and " +
                     std::to_string(columns) + " columns at error correction level " +
                     std::to_string(settings.level) + " (" + *encoded + ")"};
    }
    return DrawMatrix(symbol, paperWidth, width, uint32_t{width} * height, 2);
}

Result<SymbolDrawing> DrawQrCode(std::span<const uint8_t> data, const BarcodeSettings& settings,
                                 uint32_t paperWidth) {
    const auto& [p1, width, language, model] = settings.qr;
    if (p1 != 0) return Unusable("QR Code setting byte", p1, 0, 0);
    if (!Within(width, 1, 24)) return Unusable("QR Code module width", width, 1, 24);
    if (!Within(language, 0, 1)) return Unusable("QR Code language mode", language, 0, 1);
    if (!Within(model, 1, 2)) return Unusable("QR Code model", model, 1, 2);
    if (model == 1) return Error{"QR Code model 1 is not drawn (model 2 only)"};

    if (data.size() < 3 || data[1] != 'A' || data[2] != ',')
        return Error{"QR Code data must start with the error correction letter, 'A' and ','"};
    constexpr std::string_view kLetters = "LMQH";  // zint's levels 1 to 4
    const size_t level = kLetters.find(static_cast<char>(data[0]));
    if (level == std::string_view::npos) {
        return Error{"QR Code error correction letter " + PrintableText(data.first(1)) +
                     " cannot be used (L, M, Q or H)"};
    }
    EncodedSymbol symbol(BARCODE_QRCODE);
    zint_symbol& options = symbol.options();
    options.option_1 = static_cast<int>(level) + 1;
    const auto text = data.subspan(3);
    if (language == 1) {
        // Japanese: double-byte Shift JIS characters go in the symbol's Kanji mode.
        options.option_3 = ZINT_FULL_MULTIBYTE;
    } else if (std::any_of(text.begin(), text.end(), [](uint8_t b) { return b >= 0x80; })) {
        options.eci = 29;  // Chinese: the bytes are GB 2312, and the symbol says so
    }
    auto encoded = symbol.Encode(text);
    if (!encoded) return Error{"QR Code: " + encoded.error()};
    return DrawMatrix(symbol, paperWidth, width, width, 4);
}

Result<SymbolDrawing> DrawMaxiCode(std::span<const uint8_t> data, const BarcodeSettings& settings,
                                   uint32_t) {
    // The printer prints MaxiCode in its standard mode (4) at one fixed size: zint's picture
    // at this scale is 239 x 232 dots, 30 mm across at 8 dots a millimetre (the symbology's
    // nominal size is 28 mm; zint's next smaller picture would be 26 mm).
    if (settings.level != 0) return Unusable("MaxiCode setting byte", settings.level, 0, 0);
    EncodedSymbol symbol(BARCODE_MAXICODE);
    symbol.options().option_1 = 4;
    auto encoded = symbol.Encode(data);
    if (!encoded) return Error{"MaxiCode: " + encoded.error()};
    constexpr float kScale = 0.75f;
    auto rendered = symbol.Render(kScale);
    if (!rendered) return Error{"MaxiCode: " + rendered.error()};
    // A quiet zone of one module (8 dots) all round.
    constexpr uint32_t kQuiet = 8;
    DotCanvas canvas(rendered->width + 2 * kQuiet, rendered->height + 2 * kQuiet);
    for (uint32_t y = 0; y < rendered->height; ++y) {
        for (uint32_t x = 0; x < rendered->width; ++x) {
            if (rendered->dots[size_t{y} * rendered->width + x])
                canvas.Fill(x + kQuiet, y + kQuiet, 1, 1);
        }
    }
    return canvas.Take();
}

}  // namespace zr640::emulator::detail
