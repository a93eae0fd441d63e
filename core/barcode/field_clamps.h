// The number fields of the two code pages: the range each field is clamped into (never
// refused), and storing the clamped value into a font's settings. What a person types is read
// by the number rule of every field (core/ui/number_field.h).
#pragma once

#include <cstdint>
#include <string_view>

#include "core/settings/private_devmode.h"

namespace zr640 {

struct FieldRange {
    int32_t low;
    int32_t high;
};

// Below the range gives its low end, above it the high end; a negative value counts as
// above the range.
int32_t ClampField(int64_t value, FieldRange range);

enum class Field1D : uint8_t {
    kElementWidth,        // 2..6, also writes dwElementWidthX8
    kElementHeight,       // 1..255, also recomputes dwSymbolHeight
    kGs1ElementWidth,     // 1..6
    kGs1RowHeight,        // 2..250
    kGs1RowHeight2D,      // 1..10
    kGs1SeparatorHeight,  // 1..10
};

enum class Field2D : uint8_t {
    kPdfElementWidth,     // 1..7
    kPdfElementHeight,    // 2..25
    kPdfColumns,          // 1..30
    kPdfRows,             // 3..90
    kGs1ElementWidth,     // 1..6
    kGs1RowHeight,        // 2..250
    kGs1RowHeight2D,      // 1..10
    kGs1SeparatorHeight,  // 1..10
    kGs1Segments,         // 2..20
    kQrElementWidth,      // 1..24
};

FieldRange RangeOf(Field1D field);
FieldRange RangeOf(Field2D field);

// Clamps the edit's value into the field's range and stores it in the font's entry; gives
// the clamped value, which the field's up-down then shows.
int32_t StoreField(Barcode1DSettings& entry, Field1D field, int64_t value);
int32_t StoreField(Barcode2DSettings& entry, Field2D field, int64_t value);

// What a field's edit shows for a font: the stored value as it stands (not clamped; only an
// edit clamps), a 32-bit field above the int32_t range as its largest value.
int32_t StoredField(const Barcode1DSettings& entry, Field1D field);
int32_t StoredField(const Barcode2DSettings& entry, Field2D field);

// The HRI choices of the 1D page; each recomputes the symbol height.
void StoreHriPosition(Barcode1DSettings& entry, uint8_t position);
void StoreHriFont(Barcode1DSettings& entry, uint8_t font);

// The up-down range of the segment number: 2..20 for an independent symbol, 4..20 for a
// composite one (the field's clamp stays 2..20). Switching to Composite raises a segment
// number below 4 to 4, as leaving the field would; switching back leaves it.
FieldRange SegmentRange(bool composite);
std::u16string_view SegmentRangeLabel(bool composite);  // "[ 2 . . 20 ]", "[ 4 . . 20 ]"

}  // namespace zr640
