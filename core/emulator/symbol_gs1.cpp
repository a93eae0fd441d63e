// GS1 DataBar, all seven kinds, with a composite part, from the parameter bytes of
// 1D 73 k gw gr gc gs s gh ga read as the code pages' GS1 DataBar fields: the kind, the module
// width in dots, the row height in dots, the height of the composite part's rows in dots,
// the separator height in dots, the segments per row (Expanded Stacked), the human-readable
// content and whether the data follows the application identifier rules.
#include <zint.h>

#include <algorithm>
#include <cstring>

#include "core/emulator/symbol_parts.h"

namespace zr640::emulator::detail {
namespace {

struct Kind {
    int symbology;
    int composite;
    bool expanded;  // data as application identifiers and their values
};

// k 1 Omnidirectional, 2 Truncated (the same modules, the row height tells them apart),
// 3 Stacked, 4 Stacked Omnidirectional, 5 Limited, 6 Expanded, 7 Expanded Stacked.
constexpr Kind kKinds[] = {
    {BARCODE_DBAR_OMN, BARCODE_DBAR_OMN_CC, false},
    {BARCODE_DBAR_OMN, BARCODE_DBAR_OMN_CC, false},
    {BARCODE_DBAR_STK, BARCODE_DBAR_STK_CC, false},
    {BARCODE_DBAR_OMNSTK, BARCODE_DBAR_OMNSTK_CC, false},
    {BARCODE_DBAR_LTD, BARCODE_DBAR_LTD_CC, false},
    {BARCODE_DBAR_EXP, BARCODE_DBAR_EXP_CC, true},
    {BARCODE_DBAR_EXPSTK, BARCODE_DBAR_EXPSTK_CC, true},
};
constexpr uint8_t kExpandedStacked = 7;

struct Parameters {
    uint8_t kind, moduleWidth, rowHeight, compositeRowHeight, separatorHeight, segments, hri,
        applicationIdentifiers;
};

Result<Parameters> ReadParameters(const std::array<uint8_t, 8>& p) {
    const Parameters read{p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]};
    if (read.kind < 1 || read.kind > 7) return Unusable("GS1 DataBar kind", read.kind, 1, 7);
    if (read.moduleWidth < 1 || read.moduleWidth > 6)
        return Unusable("GS1 DataBar module width", read.moduleWidth, 1, 6);
    if (read.rowHeight < 2 || read.rowHeight > 250)
        return Unusable("GS1 DataBar row height", read.rowHeight, 2, 250);
    if (read.compositeRowHeight < 1 || read.compositeRowHeight > 10)
        return Unusable("GS1 DataBar 2D row height", read.compositeRowHeight, 1, 10);
    if (read.separatorHeight < 1 || read.separatorHeight > 10)
        return Unusable("GS1 DataBar separator height", read.separatorHeight, 1, 10);
    if (read.hri < 1 || read.hri > 4) return Unusable("GS1 DataBar HRI content", read.hri, 1, 4);
    if (read.applicationIdentifiers > 1)
        return Unusable("GS1 DataBar application identifier choice", read.applicationIdentifiers, 0,
                        1);
    if (read.kind == kExpandedStacked) {
        // Segments come in pairs on a row.
        if (read.segments < 2 || read.segments > 20)
            return Unusable("GS1 DataBar segments per row", read.segments, 2, 20);
        if (read.segments % 2 != 0)
            return Error{"GS1 DataBar segments per row " + std::to_string(read.segments) +
                         " cannot be used (an even number)"};
    }
    return read;
}

// The primary human-readable text: the application identifiers as sent, or for the GTIN
// kinds "(01)" and the fourteen digits with their check digit (zint has checked one sent).
std::string PrimaryText(const Kind& kind, std::span<const uint8_t> linear) {
    if (kind.expanded) return PrintableText(linear);
    const std::string sent = PrintableText(linear.first(std::min<size_t>(linear.size(), 13)));
    const std::string digits = std::string(13 - sent.size(), '0') + sent;
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i) sum += (digits[i] - '0') * (i % 2 == 0 ? 3 : 1);
    return "(01)" + digits + static_cast<char>('0' + (10 - sum % 10) % 10);
}

}  // namespace

Result<SymbolDrawing> DrawGs1DataBar(std::span<const uint8_t> data, const BarcodeSettings& settings,
                                     uint32_t paperWidth) {
    auto read = ReadParameters(settings.gs1);
    if (!read) return Error{read.error()};
    const Parameters& p = *read;
    if (settings.hriFont > 1) return Unusable("HRI font", settings.hriFont, 0, 1);
    const Kind& kind = kKinds[p.kind - 1];

    // "linear|composite": the composite part is application identifiers in parentheses.
    const auto bar = std::find(data.begin(), data.end(), uint8_t{'|'});
    const std::span<const uint8_t> linear(data.begin(), bar);
    const std::span<const uint8_t> composite =
        bar == data.end() ? std::span<const uint8_t>() : std::span(bar + 1, data.end());
    if (bar != data.end() && composite.empty())
        return Error{"GS1 DataBar: the composite part after '|' is empty"};
    if (linear.empty()) return Error{"GS1 DataBar: the data is empty"};

    const bool hasComposite = !composite.empty();
    EncodedSymbol symbol(hasComposite ? kind.composite : kind.symbology);
    zint_symbol& options = symbol.options();
    if (kind.expanded || hasComposite) {
        options.input_mode = GS1_MODE | GS1PARENS_MODE;
        if (kind.expanded && p.applicationIdentifiers == 0) options.input_mode |= GS1NOCHECK_MODE;
    }
    if (p.kind == kExpandedStacked) options.option_2 = p.segments / 2;
    std::span<const uint8_t> encoded = linear;
    if (hasComposite) {
        if (linear.size() >= sizeof options.primary)
            return Error{"GS1 DataBar: the linear part is too long"};
        std::memcpy(options.primary, linear.data(), linear.size());
        options.primary[linear.size()] = '\0';
        encoded = composite;
    }
    if (auto result = symbol.Encode(encoded); !result)
        return Error{"GS1 DataBar: " + result.error()};

    // The composite part's rows come first, down to the first separator row; separator rows
    // are one module high in zint's matrix, the symbol's own rows higher.
    ModuleLayout layout{paperWidth, p.moduleWidth, {}, 0, 0, 0, 0};
    bool inComposite = hasComposite;
    for (int row = 0; row < symbol.rows(); ++row) {
        const bool separator = symbol.RowHeight(row) == 1.0f;
        if (separator) inComposite = false;
        layout.rowDots.push_back(inComposite ? p.compositeRowHeight
                                 : separator ? p.separatorHeight
                                             : p.rowHeight);
    }
    HriLines hri{settings.hriFont == 1 ? HriFont::kB : HriFont::kA, {}, {}};
    if (p.hri == 1 || p.hri == 2) hri.below.push_back(PrimaryText(kind, linear));
    if ((p.hri == 1 || p.hri == 3) && hasComposite) hri.below.push_back(PrintableText(composite));
    return DrawModules(symbol, layout, hri);
}

}  // namespace zr640::emulator::detail
