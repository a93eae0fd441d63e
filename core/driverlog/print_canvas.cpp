#include "core/driverlog/print_canvas.h"

namespace zr640 {
namespace {

// Large enough that a block comes straight from the system as fresh zero pages, small
// enough that a block started for a single band wastes little.
constexpr uint64_t kBlockBytes = 512 * 1024;

}  // namespace

PrintCanvas::PrintCanvas(uint32_t bytesPerRow) : bytesPerRow_(bytesPerRow), rowShift_(0) {
    while (rowShift_ < 24 && (uint64_t{bytesPerRow_} << (rowShift_ + 1)) <= kBlockBytes) {
        ++rowShift_;
    }
}

uint8_t* PrintCanvas::WritableRow(uint64_t row) {
    const uint64_t index = row >> rowShift_;
    if (index >= blocks_.size()) blocks_.resize(static_cast<size_t>(index) + 1);
    auto& block = blocks_[static_cast<size_t>(index)];
    if (!block) {
        // calloc rather than new[]() so that a fresh block is untouched zero pages.
        const size_t size = size_t{bytesPerRow_} << rowShift_;
        block.reset(static_cast<uint8_t*>(std::calloc(size, 1)));
        if (!block) return nullptr;
    }
    const uint64_t inBlock = row & ((uint64_t{1} << rowShift_) - 1);
    return block.get() + inBlock * bytesPerRow_;
}

const uint8_t* PrintCanvas::RowOrNull(uint64_t row) const {
    const uint64_t index = row >> rowShift_;
    if (index >= blocks_.size() || !blocks_[static_cast<size_t>(index)]) return nullptr;
    const uint64_t inBlock = row & ((uint64_t{1} << rowShift_) - 1);
    return blocks_[static_cast<size_t>(index)].get() + inBlock * bytesPerRow_;
}

}  // namespace zr640
