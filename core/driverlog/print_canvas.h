// The one-bit picture of a print file as it is drawn: rows of a fixed byte length, bit 7 of
// a byte the leftmost dot, a set bit a printed dot.
//
// The scan draws only at or below its row counter, which never moves up, so every row above
// it is final. The canvas therefore keeps only a window of rows around the row counter and
// hands the rows it leaves behind to the bitmap at once, inverted and in bitmap order. Its
// memory does not grow with the picture; rows passed by paper feeds without drawing are
// written as blank paper, and rows below the picture's height are dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/driverlog/log_bitmap.h"

namespace zr640 {

class PrintCanvas {
public:
    // A canvas for a picture `height` rows high, written to `sink` after the header.
    PrintCanvas(const LineGeometry& geometry, uint32_t height, BitmapSink& sink);

    // false when the canvas's memory could not be had.
    bool ready() const { return window_ != nullptr; }

    // `count` rows from `row` on (count at most kMostRowsAtOnce), zeroed until drawn on,
    // one after the other `bytesPerRow` apart. `row` must not be less than in an earlier
    // call. nullptr when the bitmap could not be written.
    uint8_t* Rows(uint64_t row, size_t count) {
        // Called for every line drawn: the common case, rows inside the window, inline.
        if (!failed_ && row >= top_ && count <= kMostRowsAtOnce &&
            row + count <= top_ + windowRows_) {
            return window_.get() + (row - top_) * geometry_.bytesPerRow;
        }
        return RowsAfterFlush(row, count);
    }

    // Writes every row not yet written; false when the bitmap could not be written.
    bool Finish();

    static constexpr size_t kMostRowsAtOnce = 24;

private:
    uint8_t* RowsAfterFlush(uint64_t row, size_t count);
    bool Flush(uint64_t end);
    bool WriteRows(uint64_t first, size_t count, uint8_t* rows);

    LineGeometry geometry_;
    uint32_t height_;
    BitmapSink& sink_;
    size_t windowRows_;
    uint64_t top_ = 0;  // the row at the start of the window
    std::unique_ptr<uint8_t[]> window_;
    std::unique_ptr<uint8_t[]> out_;
    bool failed_ = false;
};

}  // namespace zr640
