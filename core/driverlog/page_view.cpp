#include "core/driverlog/page_view.h"

#include <algorithm>
#include <utility>

namespace zr640 {

void PageView::Rewind() {
    pageIndex_ = 0;
    position_ = 0;
}

void PageView::Show(uint32_t bitmapHeight, std::vector<uint32_t> pageEnds, uint32_t frameHeight) {
    bitmapHeight_ = bitmapHeight;
    pageEnds_ = std::move(pageEnds);
    const uint64_t twoFrames = uint64_t{2} * frameHeight;
    const uint64_t range = bitmapHeight > twoFrames ? bitmapHeight - twoFrames : bitmapHeight;
    rangeMax_ = static_cast<int32_t>(std::min<uint64_t>(range, INT32_MAX));
    EnableNextAndBottom(bitmapHeight >= twoFrames);
    printEnabled_ = true;
    position_ = Clamped(position_);
    pageIndex_ = std::min(pageIndex_, pageEnds_.size());
}

int32_t PageView::Clamped(int64_t position) const {
    return static_cast<int32_t>(std::clamp<int64_t>(position, rangeMin(), rangeMax_));
}

void PageView::Scroll(ScrollCode code, int32_t thumbPosition) {
    switch (code) {
    case ScrollCode::LineUp:
    case ScrollCode::PageUp: position_ = std::max(position_ - 1, rangeMin()); break;
    case ScrollCode::LineDown:
    case ScrollCode::PageDown: position_ = std::min(position_ + 1, rangeMax_); break;
    case ScrollCode::ThumbPosition:
    case ScrollCode::ThumbTrack:
        position_ = std::clamp(thumbPosition, rangeMin(), rangeMax_);
        break;
    case ScrollCode::Top: position_ = rangeMin(); break;
    case ScrollCode::Bottom: position_ = rangeMax_; break;
    case ScrollCode::Other: break;
    }
    const bool atTop = position_ == 0;
    const bool atLimit = position_ == rangeMax_;
    if (atTop) EnableTopAndBack(false);
    if (atLimit) EnableNextAndBottom(false);
    if (!atTop && !atLimit) {
        EnableTopAndBack(true);
        EnableNextAndBottom(true);
    }
}

void PageView::Top() {
    position_ = 0;
    pageIndex_ = 0;
    EnableTopAndBack(false);
    EnableNextAndBottom(true);
}

void PageView::Back() {
    if (position_ == rangeMin()) {
        EnableTopAndBack(false);
        return;
    }
    if (pageIndex_ > 1) {
        // A page end below a short last page lies past the scroll range.
        position_ = Clamped(pageEnds_[pageIndex_ - 2]);
    } else {
        position_ = 0;
        EnableTopAndBack(false);
    }
    // Scrolled down by hand from the first page, the index is already 0 and stays there.
    if (pageIndex_ > 0) --pageIndex_;
    EnableNextAndBottom(true);
}

void PageView::Next() {
    if (pageIndex_ >= pageEnds_.size()) return;  // the count was reached
    const uint32_t target = pageEnds_[pageIndex_];
    if (target > static_cast<uint32_t>(rangeMax_)) {
        position_ = rangeMax_;
        EnableNextAndBottom(false);
    } else {
        position_ = Clamped(target);
    }
    ++pageIndex_;
    EnableTopAndBack(true);
}

void PageView::Bottom() {
    EnableNextAndBottom(false);
    EnableTopAndBack(true);
    position_ = rangeMax_;
    pageIndex_ = pageEnds_.size();
}

PicturePlacement PageView::Place(uint32_t bitmapWidth, int64_t frameWidth,
                                 int64_t frameHeight) const {
    PicturePlacement p;
    const int64_t height = bitmapHeight_;
    if (height < 2 * frameHeight) {
        p.sourceWidth = bitmapWidth;
        p.sourceHeight = height;
        p.width = frameWidth;
        p.height = bitmapWidth == 0 ? 0 : height * frameWidth / bitmapWidth;
        return p;
    }
    p.sourceY = std::min<int64_t>(position_, height - 2 * frameHeight);
    p.sourceWidth = 2 * frameWidth;
    p.sourceHeight = 2 * frameHeight;
    p.width = frameWidth;
    p.height = frameHeight;
    return p;
}

}  // namespace zr640
