// The barcode types of the two code pages, in the order of their type lists and of the
// stored bType: list text, what is sent to the printer, sample data and the rule of the
// data check.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zr640 {

struct Barcode1DType {
    std::u16string_view name;    // the type list's text
    uint8_t printerCode;         // m of 1D 6B m (general types; 0 for GS1 DataBar)
    uint8_t gs1Kind;             // k of 1D 73 k (GS1 DataBar types; 0 for the others)
    std::u16string_view sample;  // put into the Data box when the type is chosen
    int ruleCode;                // for CheckBarcodeData
    bool gs1() const { return gs1Kind != 0; }
};

// The two general types whose data goes with a count in front of it.
inline constexpr uint8_t kCode93PrinterCode = 72;
inline constexpr uint8_t kCode128PrinterCode = 73;

// 13 types: UPC-A, UPC-E, EAN8, EAN13, Code39, ITF, Codabar, Code93, Code128 and the four
// GS1 DataBar kinds. EAN8 is list entry 2 but printer code 3, EAN13 entry 3 but code 2.
std::span<const Barcode1DType> Barcode1DTypes();

// The entry of a stored bType; nullopt for a value outside the table.
std::optional<Barcode1DType> Barcode1DTypeOf(uint8_t bType);

// Which control group a 2D type shows.
enum class Barcode2DGroup : uint8_t { kPdf417, kGs1DataBar, kQrCode, kNone };

struct Barcode2DType {
    std::u16string_view name;
    int ruleCode;
    Barcode2DGroup group;
    uint8_t gs1Kind;  // k of 1D 73 k for the GS1 DataBar stacked kinds, else 0
};

// 6 types: PDF417, GS1 DataBar Stacked, Stacked Omnidirectional, Expanded Stacked, QR Code,
// Maxi Code.
std::span<const Barcode2DType> Barcode2DTypes();
std::optional<Barcode2DType> Barcode2DTypeOf(uint8_t bType);

// The 2D page's sample data, for every type.
inline constexpr std::u16string_view kBarcode2DSample = u"01234567890123";

// The size in points the 2D page tells the user to choose for a 2D font.
inline constexpr std::u16string_view kBarcode2DPointText = u"9.5";

// The type whose settings the AI list edits (GS1 DataBar Expanded on the 1D page, GS1
// DataBar Expanded Stacked on the 2D page), and the one that takes the segment number.
inline constexpr uint8_t kGs1Expanded1DType = 12;
inline constexpr uint8_t kGs1ExpandedStacked2DType = 3;

}  // namespace zr640
