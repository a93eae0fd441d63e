// Builds print files command by command for the renderer's tests, the fuzz seeds and the
// benchmarks.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace zr640::testing {

class PrintFileBuilder {
public:
    // Every job starts with the printer's initialise command.
    PrintFileBuilder() : bytes_{0x1B, 0x40} {}

    PrintFileBuilder& Raw(std::initializer_list<uint8_t> bytes) {
        bytes_.insert(bytes_.end(), bytes);
        return *this;
    }
    PrintFileBuilder& Line(const std::vector<uint8_t>& data) {
        bytes_.push_back(0x16);
        bytes_.push_back(static_cast<uint8_t>(data.size()));
        bytes_.insert(bytes_.end(), data.begin(), data.end());
        return *this;
    }
    PrintFileBuilder& Feed(uint8_t rows) { return Raw({0x15, rows}); }
    // What the driver puts behind the last raster line of a receipt.
    PrintFileBuilder& LastLineTail() { return Raw({0x15, 0x01, 0x1D, 0x44, 0x00}); }
    PrintFileBuilder& Spacing(uint8_t rows) { return Raw({0x1B, 0x33, rows, 0x0A}); }
    // Line spacing 0: a page end, followed by a cut.
    PrintFileBuilder& PageEnd() { return Raw({0x1B, 0x33, 0x00, 0x0A, 0x1D, 0x56, 0x01}); }
    PrintFileBuilder& Position(uint16_t dots) {
        return Raw({0x1B, 0x24, static_cast<uint8_t>(dots), static_cast<uint8_t>(dots >> 8)});
    }
    // A 24-dot band: three bytes per column, top to bottom.
    PrintFileBuilder& Band(const std::vector<uint8_t>& columnBytes) {
        const size_t columns = columnBytes.size() / 3;
        Raw({0x1B, 0x2A, 0x21, static_cast<uint8_t>(columns), static_cast<uint8_t>(columns >> 8)});
        bytes_.insert(bytes_.end(), columnBytes.begin(), columnBytes.end());
        return *this;
    }

    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace zr640::testing
