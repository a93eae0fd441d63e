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

#include "core/driverlog/bit_image_band.h"

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

namespace print_commands_detail {

inline constexpr uint8_t kFeed = 0x15;
inline constexpr uint8_t kGroupSeparator = 0x1D;
inline constexpr uint8_t kLineSpacing = 0x33;
inline constexpr uint8_t kHorizontalPosition = 0x24;
inline constexpr uint8_t kPageEnd = 0x44;

inline PrintCommand Cut(PrintCommandKind kind) { return {kind, false, 0, 0, {}}; }

inline PrintCommand Complete(std::span<const uint8_t> bytes, size_t at, PrintCommandKind kind,
                             size_t size, uint32_t value) {
    if (size > bytes.size() - at) return Cut(kind);
    return {kind, true, size, value, {}};
}

inline PrintCommand ReadEscape(std::span<const uint8_t> bytes, size_t at) {
    const size_t left = bytes.size() - at;
    if (left < 2) return {};
    switch (bytes[at + 1]) {
    case kLineSpacing:
        if (left < 3) return Cut(PrintCommandKind::kLineSpacing);
        if (left >= 4 && bytes[at + 3] == kLineFeedCode) {
            return {PrintCommandKind::kLineSpacingFeed, true, 4, bytes[at + 2], {}};
        }
        return {PrintCommandKind::kLineSpacing, true, 3, bytes[at + 2], {}};
    case kHorizontalPosition:
        if (left < 4) return Cut(PrintCommandKind::kHorizontalPosition);
        return {PrintCommandKind::kHorizontalPosition,
                true,
                4,
                uint32_t{bytes[at + 2]} | uint32_t{bytes[at + 3]} << 8,
                {}};
    case kBitImageCode: {
        if (left < 3) return Cut(PrintCommandKind::kBitImageBand);
        if (bytes[at + 2] != kBandMode24Dot) return {};
        if (left < 5) return Cut(PrintCommandKind::kBitImageBand);
        const uint32_t columns = uint32_t{bytes[at + 3]} | uint32_t{bytes[at + 4]} << 8;
        PrintCommand band =
            Complete(bytes, at, PrintCommandKind::kBitImageBand, 5 + size_t{3} * columns, columns);
        if (band.complete) band.data = bytes.subspan(at + 2, band.size - 2);
        return band;
    }
    default: return {};
    }
}

}  // namespace print_commands_detail

// The command that starts at `at` (kNone when `at` is past the end). Inline: the print-file
// scan reads a command at every raster line and escape byte of logs of many megabytes.
inline PrintCommand ReadPrintCommand(std::span<const uint8_t> bytes, size_t at) {
    using namespace print_commands_detail;
    if (at >= bytes.size()) return {};
    const size_t left = bytes.size() - at;
    switch (bytes[at]) {
    case kFeed:
        if (left < 2) return Cut(PrintCommandKind::kFeed);
        return {PrintCommandKind::kFeed, true, 2, bytes[at + 1], {}};
    case kRasterLineCode: {
        if (left < 2) return Cut(PrintCommandKind::kRasterLine);
        const size_t count = bytes[at + 1];
        PrintCommand line = Complete(bytes, at, PrintCommandKind::kRasterLine, 2 + count,
                                     static_cast<uint32_t>(count));
        if (line.complete) line.data = bytes.subspan(at + 2, count);
        return line;
    }
    case kEscapeCode: return ReadEscape(bytes, at);
    case kGroupSeparator:
        if (left < 2 || bytes[at + 1] != kPageEnd) return {};
        if (left < 3) return Cut(PrintCommandKind::kPageEnd);
        if (bytes[at + 2] != 0x00) return {};
        return {PrintCommandKind::kPageEnd, true, 3, 0, {}};
    default: return {};
    }
}

}  // namespace zr640
