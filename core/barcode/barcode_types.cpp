#include "core/barcode/barcode_types.h"

namespace zr640 {
namespace {

constexpr std::u16string_view kGs1Sample = u"01234567890123";

constexpr Barcode1DType k1DTypes[] = {
    {u"UPC-A", 0, 0, u"123456789012", 0},
    {u"UPC-E", 1, 0, u"023456789012", 1},
    {u"EAN8", 3, 0, u"12345678", 3},
    {u"EAN13", 2, 0, u"1234567890123", 2},
    {u"Code39", 4, 0, u"123ABC*", 4},
    {u"ITF", 5, 0, u"123456789", 5},
    {u"Codabar", 6, 0, u"A123456789A", 6},
    {u"Code93", 72, 0, u"123ABC", 72},
    {u"Code128", 73, 0, u"{A1234", 73},
    {u"GS1 DataBar Omnidirectional", 0, 1, kGs1Sample, 9},
    {u"GS1 DataBar Truncated", 0, 2, kGs1Sample, 10},
    {u"GS1 DataBar Limited", 0, 5, kGs1Sample, 11},
    {u"GS1 DataBar Expanded", 0, 6, kGs1Sample, 12},
};

constexpr Barcode2DType k2DTypes[] = {
    {u"PDF417", 13, Barcode2DGroup::kPdf417, 0},
    {u"GS1 DataBar Stacked", 14, Barcode2DGroup::kGs1DataBar, 3},
    {u"GS1 DataBar Stacked Omnidirectional", 15, Barcode2DGroup::kGs1DataBar, 4},
    {u"GS1 DataBar Expanded Stacked", 16, Barcode2DGroup::kGs1DataBar, 7},
    {u"QR Code", 17, Barcode2DGroup::kQrCode, 0},
    {u"Maxi Code", 18, Barcode2DGroup::kNone, 0},
};

}  // namespace

std::span<const Barcode1DType> Barcode1DTypes() { return k1DTypes; }

std::optional<Barcode1DType> Barcode1DTypeOf(uint8_t bType) {
    if (bType >= std::size(k1DTypes)) return std::nullopt;
    return k1DTypes[bType];
}

std::span<const Barcode2DType> Barcode2DTypes() { return k2DTypes; }

std::optional<Barcode2DType> Barcode2DTypeOf(uint8_t bType) {
    if (bType >= std::size(k2DTypes)) return std::nullopt;
    return k2DTypes[bType];
}

}  // namespace zr640
