// The number fields of the two code pages: the range each field is clamped into (never
// refused), and storing the clamped value into a font's settings. The ranges are those of the
// record's field table (core/settings/devmode_fields.h); what a person types is read by the
// number rule of every field (core/ui/number_field.h).
#pragma once

#include <cstdint>
#include <string_view>

#include "core/settings/private_devmode.h"
#include "core/ui/number_field.h"

namespace zr640 {

// Below the range gives its lowest value, above it the highest; a negative value counts as
// above the range.
int32_t ClampField(int64_t value, ui::NumberRange range);

enum class Field1D : uint8_t {
    kElementWidth,   // also writes dwElementWidthX8
    kElementHeight,  // also recomputes dwSymbolHeight
    kGs1ElementWidth,
    kGs1RowHeight,
    kGs1RowHeight2D,
    kGs1SeparatorHeight,
};

enum class Field2D : uint8_t {
    kPdfElementWidth,
    kPdfElementHeight,
    kPdfColumns,
    kPdfRows,
    kGs1ElementWidth,
    kGs1RowHeight,
    kGs1RowHeight2D,
    kGs1SeparatorHeight,
    kGs1Segments,
    kQrElementWidth,
};

ui::NumberRange RangeOf(Field1D field);
ui::NumberRange RangeOf(Field2D field);

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
ui::NumberRange SegmentRange(bool composite);
std::u16string_view SegmentRangeLabel(bool composite);  // "[ 2 . . 20 ]", "[ 4 . . 20 ]"

}  // namespace zr640
