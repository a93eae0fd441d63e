// The reader of the printer commands that put dots on paper or move it, shared by the log
// viewer's print-file rendering and the emulated printer. It only recognises a command and
// its parameters; what the command does is the caller's.
//
//   15 k                      feed of k dot rows
//   16 n d1..dn               raster line of n bytes
//   1B 33 n                   line spacing n; 1B 33 n 0A with the line feed after it
//   1B 24 nL nH               horizontal position nL + 256 x nH dots
//   1B 2A 21 nL nH d...       24-dot bit-image band of nL + 256 x nH columns, 3 bytes each
//   1D 44 00                  end of a receipt
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zr640 {

inline constexpr uint8_t kRasterLineCode = 0x16;
inline constexpr uint8_t kEscapeCode = 0x1B;
inline constexpr uint8_t kBitImageCode = 0x2A;  // after kEscapeCode
inline constexpr uint8_t kLineFeedCode = 0x0A;
// "1B 33 00 0A" ends a receipt: the paper moves this many rows.
inline constexpr uint32_t kPageEndFeedRows = 24;

enum class PrintCommandKind : uint8_t {
    kNone,                // none of the commands above starts here
    kFeed,                // value: rows
    kRasterLine,          // data: the line's bytes
    kLineSpacing,         // value: the spacing in rows
    kLineSpacingFeed,     // value: the spacing in rows, and the line feed follows
    kHorizontalPosition,  // value: dots from the left
    kBitImageBand,        // value: columns; data: the command from its mode byte on
    kPageEnd,
};

struct PrintCommand {
    PrintCommandKind kind = PrintCommandKind::kNone;
    // All its bytes are there. A command whose first bytes name it but whose rest is cut off
    // by the end of the bytes has its kind and is not complete.
    bool complete = false;
    size_t size = 0;  // its length in bytes, when complete
    uint32_t value = 0;
    std::span<const uint8_t> data;
};

// The command that starts at `at` (kNone when `at` is past the end).
PrintCommand ReadPrintCommand(std::span<const uint8_t> bytes, size_t at);

}  // namespace zr640
