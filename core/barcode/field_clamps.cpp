#include "core/barcode/field_clamps.h"

#include <limits>

#include "core/barcode/symbol_height.h"

namespace zr640 {
namespace {

uint8_t Byte(int32_t value) { return static_cast<uint8_t>(value); }
uint32_t Dword(int32_t value) { return static_cast<uint32_t>(value); }

int32_t Shown(uint32_t value) {
    constexpr uint32_t kLargest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value < kLargest ? value : kLargest);
}

}  // namespace

int32_t ClampField(int64_t value, FieldRange range) {
    if (value < 0 || value > range.high) return range.high;
    if (value < range.low) return range.low;
    return static_cast<int32_t>(value);
}

FieldRange RangeOf(Field1D field) {
    switch (field) {
    case Field1D::kElementWidth: return {2, 6};
    case Field1D::kElementHeight: return {1, 255};
    case Field1D::kGs1ElementWidth: return {1, 6};
    case Field1D::kGs1RowHeight: return {2, 250};
    case Field1D::kGs1RowHeight2D: return {1, 10};
    case Field1D::kGs1SeparatorHeight: return {1, 10};
    }
    return {0, 0};
}

FieldRange RangeOf(Field2D field) {
    switch (field) {
    case Field2D::kPdfElementWidth: return {1, 7};
    case Field2D::kPdfElementHeight: return {2, 25};
    case Field2D::kPdfColumns: return {1, 30};
    case Field2D::kPdfRows: return {3, 90};
    case Field2D::kGs1ElementWidth: return {1, 6};
    case Field2D::kGs1RowHeight: return {2, 250};
    case Field2D::kGs1RowHeight2D: return {1, 10};
    case Field2D::kGs1SeparatorHeight: return {1, 10};
    case Field2D::kGs1Segments: return {2, 20};
    case Field2D::kQrElementWidth: return {1, 24};
    }
    return {0, 0};
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

FieldRange SegmentRange(bool composite) {
    return composite ? FieldRange{4, 20} : FieldRange{2, 20};
}

std::u16string_view SegmentRangeLabel(bool composite) {
    return composite ? u"[ 4 . . 20 ]" : u"[ 2 . . 20 ]";
}

}  // namespace zr640
