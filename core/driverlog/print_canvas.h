// The one-bit picture of a print file: rows of a fixed byte length, bit 7 of a byte the
// leftmost dot, a set bit a printed dot.
//
// Rows live in blocks that are allocated, zeroed, the first time a row inside them is
// written. A receipt log is drawn from the top down, so the picture only ever touches the
// memory of the rows drawn so far; a stretch of paper feed that is never drawn on costs
// nothing and reads back as blank rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace zr640 {

class PrintCanvas {
public:
    explicit PrintCanvas(uint32_t bytesPerRow);

    uint32_t bytesPerRow() const { return bytesPerRow_; }

    // The row to draw into (blank the first time); nullptr when memory runs out. The caller
    // bounds `row`: the renderer refuses pictures above its size cap before drawing.
    uint8_t* WritableRow(uint64_t row);

    // The row as drawn, or nullptr for a row that was never written (a blank row).
    const uint8_t* RowOrNull(uint64_t row) const;

private:
    struct FreeBlock {
        void operator()(uint8_t* block) const { std::free(block); }
    };

    uint32_t bytesPerRow_;
    unsigned rowShift_;  // a block holds 1 << rowShift_ rows
    std::vector<std::unique_ptr<uint8_t, FreeBlock>> blocks_;
};

}  // namespace zr640
