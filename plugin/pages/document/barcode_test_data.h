// What both code pages do with their Data box before a test print.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace zr640ui {

// The Data box text (its first zr640::kTestDataMaxCharacters characters) converted to the
// system's ANSI code page, terminator not included. Nothing when the converted text does not
// fit the test print's data buffer (zr640::TestDataFits): the page refuses such data with its
// data error, as it refuses data the barcode check does not take.
std::optional<std::vector<uint8_t>> TestDataBytes(HWND dialog, int edit);

}  // namespace zr640ui
