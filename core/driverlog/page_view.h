// Paging through a rendered log in the viewer: the scroll range and position in bitmap rows,
// the page index (how many page ends lie above the view), which of TOP / BACK / NEXT /
// BOTTOM are enabled, and where the picture goes in the frame. The window turns these into
// scroll-bar and button calls; nothing here knows about windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zr640 {

struct PageButtons {
    bool top = false;
    bool back = false;
    bool next = false;
    bool bottom = false;
    bool operator==(const PageButtons&) const = default;
};

enum class ScrollCode {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbPosition,
    ThumbTrack,
    Top,
    Bottom,
    Other
};

// Source rectangle in the bitmap (rows from the top) and destination size in the frame;
// the destination's top-left corner is the frame's.
struct PicturePlacement {
    int64_t sourceX = 0;
    int64_t sourceY = 0;
    int64_t sourceWidth = 0;
    int64_t sourceHeight = 0;
    int64_t width = 0;
    int64_t height = 0;
};

class PageView {
public:
    // A print file was chosen: back to the top before it is rendered. The scroll range and
    // the buttons stay as they are until the new picture is shown.
    void Rewind();

    // A rendered picture `bitmapHeight` rows high is shown in a frame `frameHeight` pixels
    // high. A picture taller than two frames scrolls by rows (shown at half size); a shorter
    // one is shown whole.
    void Show(uint32_t bitmapHeight, std::vector<uint32_t> pageEnds, uint32_t frameHeight);

    void Scroll(ScrollCode code, int32_t thumbPosition = 0);
    void Top();
    void Back();
    void Next();
    void Bottom();

    int32_t position() const { return position_; }
    int32_t rangeMin() const { return 0; }
    int32_t rangeMax() const { return rangeMax_; }
    size_t pageIndex() const { return pageIndex_; }
    const PageButtons& buttons() const { return buttons_; }
    bool printEnabled() const { return printEnabled_; }

    // Where the picture (bitmapWidth x bitmapHeight) goes in a frame of frameWidth x
    // frameHeight client pixels at the current position.
    PicturePlacement Place(uint32_t bitmapWidth, int64_t frameWidth, int64_t frameHeight) const;

private:
    // Every position this state takes lies in [rangeMin(), rangeMax()].
    int32_t Clamped(int64_t position) const;
    void EnableNextAndBottom(bool on) { buttons_.next = buttons_.bottom = on; }
    void EnableTopAndBack(bool on) { buttons_.top = buttons_.back = on; }

    uint32_t bitmapHeight_ = 0;
    std::vector<uint32_t> pageEnds_;
    int32_t rangeMax_ = 0;
    int32_t position_ = 0;
    size_t pageIndex_ = 0;
    PageButtons buttons_;
    bool printEnabled_ = false;
};

}  // namespace zr640
