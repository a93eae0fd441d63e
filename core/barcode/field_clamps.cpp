#include "core/barcode/field_clamps.h"

#include <array>
#include <limits>
#include <string>

#include "core/barcode/symbol_height.h"
#include "core/settings/devmode_fields.h"

namespace zr640 {
namespace {

uint8_t Byte(int32_t value) { return static_cast<uint8_t>(value); }
uint32_t Dword(int32_t value) { return static_cast<uint32_t>(value); }

int32_t Shown(uint32_t value) {
    constexpr uint32_t kLargest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value < kLargest ? value : kLargest);
}

// The record's names of the fields, in the order of Field1D and Field2D.
constexpr std::array<std::string_view, 6> kFieldNames1D = {
    "bElementWidth",  "dwElementHeight",  "bGs1ElementWidth",
    "dwGs1RowHeight", "dwGs1RowHeight2D", "bGs1SeparatorHeight",
};
constexpr std::array<std::string_view, 10> kFieldNames2D = {
    "bPdfElementWidth", "bPdfElementHeight", "bPdfColumns",      "bPdfRows",
    "bGs1ElementWidth", "dwGs1RowHeight",    "dwGs1RowHeight2D", "bGs1SeparatorHeight",
    "bGs1Segments",     "bQrElementWidth",
};

// Every font of a page keeps the same ranges; the first font's entries name them.
template <size_t N>
std::array<ui::NumberRange, N> FieldRanges(std::string_view font,
                                           const std::array<std::string_view, N>& names) {
    std::array<ui::NumberRange, N> ranges{};
    for (size_t i = 0; i < N; ++i) {
        ranges[i] = NumberFieldRange(std::string(font) + std::string(names[i])).value();
    }
    return ranges;
}

}  // namespace

int32_t ClampField(int64_t value, ui::NumberRange range) {
    if (value < 0 || value > range.highest) return range.highest;
    if (value < range.lowest) return range.lowest;
    return static_cast<int32_t>(value);
}

ui::NumberRange RangeOf(Field1D field) {
    static const auto ranges = FieldRanges("barcode1D[0].", kFieldNames1D);
    return ranges.at(static_cast<size_t>(field));
}

ui::NumberRange RangeOf(Field2D field) {
    static const auto ranges = FieldRanges("barcode2D[0].", kFieldNames2D);
    return ranges.at(static_cast<size_t>(field));
}

int32_t StoreField(Barcode1DSettings& entry, Field1D field, int64_t value) {
    const int32_t clamped = ClampField(value, RangeOf(field));
    switch (field) {
    case Field1D::kElementWidth:
        entry.bElementWidth = Byte(clamped);
        entry.dwElementWidthX8 = Dword(clamped * 8);
        break;
    case Field1D::kElementHeight:
        entry.dwElementHeight = Dword(clamped);
        UpdateSymbolHeight(entry);
        break;
    case Field1D::kGs1ElementWidth: entry.bGs1ElementWidth = Byte(clamped); break;
    case Field1D::kGs1RowHeight: entry.dwGs1RowHeight = Dword(clamped); break;
    case Field1D::kGs1RowHeight2D: entry.dwGs1RowHeight2D = Dword(clamped); break;
    case Field1D::kGs1SeparatorHeight: entry.bGs1SeparatorHeight = Byte(clamped); break;
    }
    return clamped;
}

int32_t StoreField(Barcode2DSettings& entry, Field2D field, int64_t value) {
    const int32_t clamped = ClampField(value, RangeOf(field));
    switch (field) {
    case Field2D::kPdfElementWidth: entry.bPdfElementWidth = Byte(clamped); break;
    case Field2D::kPdfElementHeight: entry.bPdfElementHeight = Byte(clamped); break;
    case Field2D::kPdfColumns: entry.bPdfColumns = Byte(clamped); break;
    case Field2D::kPdfRows: entry.bPdfRows = Byte(clamped); break;
    case Field2D::kGs1ElementWidth: entry.bGs1ElementWidth = Byte(clamped); break;
    case Field2D::kGs1RowHeight: entry.dwGs1RowHeight = Dword(clamped); break;
    case Field2D::kGs1RowHeight2D: entry.dwGs1RowHeight2D = Dword(clamped); break;
    case Field2D::kGs1SeparatorHeight: entry.bGs1SeparatorHeight = Byte(clamped); break;
    case Field2D::kGs1Segments: entry.bGs1Segments = Byte(clamped); break;
    case Field2D::kQrElementWidth: entry.bQrElementWidth = Byte(clamped); break;
    }
    return clamped;
}

int32_t StoredField(const Barcode1DSettings& entry, Field1D field) {
    switch (field) {
    case Field1D::kElementWidth: return entry.bElementWidth;
    case Field1D::kElementHeight: return Shown(entry.dwElementHeight);
    case Field1D::kGs1ElementWidth: return entry.bGs1ElementWidth;
    case Field1D::kGs1RowHeight: return Shown(entry.dwGs1RowHeight);
    case Field1D::kGs1RowHeight2D: return Shown(entry.dwGs1RowHeight2D);
    case Field1D::kGs1SeparatorHeight: return entry.bGs1SeparatorHeight;
    }
    return 0;
}

int32_t StoredField(const Barcode2DSettings& entry, Field2D field) {
    switch (field) {
    case Field2D::kPdfElementWidth: return entry.bPdfElementWidth;
    case Field2D::kPdfElementHeight: return entry.bPdfElementHeight;
    case Field2D::kPdfColumns: return entry.bPdfColumns;
    case Field2D::kPdfRows: return entry.bPdfRows;
    case Field2D::kGs1ElementWidth: return entry.bGs1ElementWidth;
    case Field2D::kGs1RowHeight: return Shown(entry.dwGs1RowHeight);
    case Field2D::kGs1RowHeight2D: return Shown(entry.dwGs1RowHeight2D);
    case Field2D::kGs1SeparatorHeight: return entry.bGs1SeparatorHeight;
    case Field2D::kGs1Segments: return entry.bGs1Segments;
    case Field2D::kQrElementWidth: return entry.bQrElementWidth;
    }
    return 0;
}

void StoreHriPosition(Barcode1DSettings& entry, uint8_t position) {
    entry.bHriPosition = position;
    UpdateSymbolHeight(entry);
}

void StoreHriFont(Barcode1DSettings& entry, uint8_t font) {
    entry.bHriFont = font;
    UpdateSymbolHeight(entry);
}

ui::NumberRange SegmentRange(bool composite) {
    // A composite symbol takes at least 4 segments.
    constexpr int32_t kCompositeLowest = 4;
    const ui::NumberRange range = RangeOf(Field2D::kGs1Segments);
    return composite ? ui::NumberRange{kCompositeLowest, range.highest} : range;
}

std::u16string_view SegmentRangeLabel(bool composite) {
    return composite ? u"[ 4 . . 20 ]" : u"[ 2 . . 20 ]";
}

}  // namespace zr640
