// The test prints of the two code pages: the data check with the font's rule, then the
// byte blocks the Print button sends as one raw job.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/localisation/message.h"
#include "core/printer/raw_job.h"
#include "core/settings/private_devmode.h"

namespace zr640 {

// What a page shows when the check refuses the data (section "MessageBox").
inline constexpr text::Message kBarcode1DDataError{text::Key::MessageBox_MB_1DCODE_ERROR1,
                                                   text::Key::MessageBox_MB_ERROR};
inline constexpr text::Message kBarcode2DDataError{text::Key::MessageBox_MB_2DCODE_ERROR1,
                                                   text::Key::MessageBox_MB_ERROR};

// The Data box gives at most this many characters; their conversion to the ANSI code page
// must fit the data buffer (terminator included), or the data is refused.
inline constexpr size_t kTestDataMaxCharacters = 399;
inline constexpr size_t kTestDataBufferBytes = 500;
constexpr bool TestDataFits(size_t convertedBytes) { return convertedBytes < kTestDataBufferBytes; }

// Every test print ends with a line feed, then feed and cut.
inline constexpr std::array<uint8_t, 5> kTestPrintTail{0x0A, 0x1D, 0x56, 0x42, 0x00};

// The data check of a 1D font's type (rule code: the printer code for the general types,
// bType for GS1 DataBar); the bytes to send, or nullopt for a type outside the table or
// refused data.
std::optional<std::vector<uint8_t>> CheckBarcode1DData(uint8_t bType,
                                                       std::span<const uint8_t> data);

// The same for a 2D type; the GS1 DataBar stacked kinds also need a first byte of at most
// 128.
std::optional<std::vector<uint8_t>> CheckBarcode2DData(uint8_t bType,
                                                       std::span<const uint8_t> data);

// The 1D page's test print ("Barcode") for one font:
//   general types: 1D 66 f 1D 48 p 1D 77 w 1D 68 h 1D 6B m | data | 00
//   Code93, Code128: the same 15 bytes | 00 | 1D 77 w 1D 68 h 1D 6B m | n | data | 00
//   GS1 DataBar: 1D 66 00 1D 48 00 1D 73 k gw gr gc gs 02 gh ga 1D 6B 0D | data | 00
// then the tail; "|" separates the blocks. The data sent is the checked data (packed for
// Code128 code set C). nullopt when the check refuses the data: nothing may be sent.
std::optional<RawJob> Barcode1DTestPrint(const Barcode1DSettings& font,
                                         std::span<const uint8_t> data);

// The 2D page's test print ("2Dcode") for one font: the type's command block
//   PDF417: 1D 70 01 01 rows columns w h 1D 71 level 1D 6B 0A
//   GS1 DataBar stacked: 1D 66 00 1D 48 00 1D 73 k gw gr gc gs segments gh ga 1D 6B 0D
//   QR Code: 1D 6F 00 w language model 1D 6B 0B, then 'L' 'M' 'H' or 'Q', 'A', ','
//   Maxi Code: 1D 71 00 1D 6B 0C
// then the data, 00 and the tail, each a block of its own. nullopt when the check refuses.
std::optional<RawJob> Barcode2DTestPrint(const Barcode2DSettings& font,
                                         std::span<const uint8_t> data);

// The QR error correction letter of the list entry: 'L', 'M', 'H', 'Q' for 0 to 3; a stored
// value outside the list sends 'M', the default level.
uint8_t QrErrorLetter(uint8_t level);

}  // namespace zr640
