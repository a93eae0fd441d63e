#include "core/driverlog/print_commands.h"

#include "core/driverlog/bit_image_band.h"

namespace zr640 {
namespace {

constexpr uint8_t kFeed = 0x15;
constexpr uint8_t kGroupSeparator = 0x1D;
constexpr uint8_t kLineSpacing = 0x33;
constexpr uint8_t kHorizontalPosition = 0x24;
constexpr uint8_t kPageEnd = 0x44;

PrintCommand Cut(PrintCommandKind kind) { return {kind, false, 0, 0, {}}; }

PrintCommand Complete(std::span<const uint8_t> bytes, size_t at, PrintCommandKind kind, size_t size,
                      uint32_t value) {
    if (size > bytes.size() - at) return Cut(kind);
    return {kind, true, size, value, {}};
}

PrintCommand ReadEscape(std::span<const uint8_t> bytes, size_t at) {
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

}  // namespace

PrintCommand ReadPrintCommand(std::span<const uint8_t> bytes, size_t at) {
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
