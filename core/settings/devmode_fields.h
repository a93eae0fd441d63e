// Every field of the settings record by the name `zr640 devmode show` prints, with where it
// lies and the range the pages keep for it, and the reader of "NAME=VALUE" assignments
// behind `zr640 devmode set`.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/common/result.h"
#include "core/settings/private_devmode.h"
#include "core/ui/number_field.h"

namespace zr640 {

enum class FieldKind : uint8_t {
    kHeader,   // the record's header: shown, never set by name
    kNumber,   // a u8, u32 or i32 kept in [low, high]
    kText,     // a UTF-16 array of `width` units holding at most `maxLength` of them
    kBytes,    // a byte array of `width` bytes, zero-filled behind the given bytes
    kCommand,  // an event's abCommand: its bytes and cbCommand together
};

struct DevModeField {
    std::string name;  // "startDoc.bPaperCut", "barcode1D[3].bType", "wszWatermarkText"
    FieldKind kind;
    size_t offset;  // from the record's start
    size_t width;   // numbers: 1 or 4 bytes; text: units; byte arrays: bytes
    bool isSigned = false;
    int64_t low = 0;  // numbers only
    int64_t high = 0;
    size_t maxLength = 0;     // text: the longest text the field takes
    size_t countOffset = 0;   // command: where cbCommand lies
    size_t alsoX8Offset = 0;  // a 1D code's bElementWidth: dwElementWidthX8, kept at 8 times it
};

// The fields in the order `devmode show` lists them.
std::span<const DevModeField> DevModeFields();
const DevModeField* FindDevModeField(std::string_view name);

// The range the pages keep for the number field `name`, by the name `show` prints
// ("bWatermarkSize", "barcode1D[0].bElementWidth"): the one home of every field's range, read
// by `devmode set`, the code pages' clamps and the pages' number fields. An end beyond the
// 32-bit signed range is given as its nearest 32-bit value. Nothing for a name that is not a
// number field.
std::optional<ui::NumberRange> NumberFieldRange(std::string_view name);

// Applies one "NAME=VALUE" to the record. A number is decimal; a text is in double quotes
// with \\ and \" as its only escapes; a byte array is hexadecimal byte text ("1D 56 42 00").
// An unknown name, a malformed value, a value outside the field's range or beyond its
// stored width is refused with a message that names the assignment, and the record is left
// as it was.
Result<bool> ApplyDevModeAssignment(PrivateDevMode& record, std::string_view assignment);

// Applies all of them or none: on the first refusal the record is left as it was.
Result<bool> ApplyDevModeAssignments(PrivateDevMode& record,
                                     std::span<const std::string> assignments);

}  // namespace zr640
