// What the 1D and 2D Code pages share: their number fields, the store of a typed field, and
// the test print from the Data box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "core/barcode/field_clamps.h"
#include "core/localisation/message.h"
#include "core/printer/raw_job.h"
#include "plugin/platform/printer_spooler.h"
#include "plugin/pages/framework/controls.h"
#include "plugin/pages/framework/dialog.h"

namespace zr640ui {

// One number field of a code page: its edit and up-down, and the record field it edits
// (Field1D or Field2D) with that field's range.
template <typename Field>
struct CodeField {
    int edit;
    int spin;
    int maxCharacters;
    Field field;

    NumberField Number() const {
        const zr640::ui::NumberRange range = zr640::RangeOf(field);
        return {edit, spin, {range.lowest, range.highest}, maxCharacters};
    }
};

// What was typed into a field, by the number rule of every field: a value above the range is
// lowered at once, one inside it is stored as typed, one below it (or no number) waits until
// the field is left and is then raised. Returns whether the record's value changed.
template <typename Settings, typename Field>
bool StoreTypedField(HWND page, Settings& font, const NumberField& number, Field field,
                     ClampMoment moment) {
    const std::optional<int> kept = number.Take(page, moment);
    if (!kept) return false;
    const int32_t before = zr640::StoredField(font, field);
    return zr640::StoreField(font, field, *kept) != before;
}

// The Data box text (its first zr640::kTestDataMaxCharacters characters) converted to the
// system's ANSI code page, terminator not included. Nothing when the converted text does not
// fit the test print's data buffer (zr640::TestDataFits): the page refuses such data with its
// data error, as it refuses data the barcode check does not take.
std::optional<std::vector<uint8_t>> TestDataBytes(HWND dialog, int edit);

// The Data box's bytes, made into the test print's job by `makeJob` (which checks them with
// the type's rule), go to the printer as one raw job. Data the check refuses, or that does not
// fit the data buffer, shows `refusal` and nothing is sent. Spooler failures are not shown.
template <typename MakeJob>
void SendTestPrint(HWND page, int dataEdit, HANDLE printer, const zr640::text::Message& refusal,
                   MakeJob makeJob) {
    const auto data = TestDataBytes(page, dataEdit);
    const std::optional<zr640::RawJob> job = data ? makeJob(*data) : std::nullopt;
    if (!job) {
        ShowMessage(page, refusal);
        return;
    }
    SendRawJob(printer, *job);
}

}  // namespace zr640ui
