#include "core/driverlog/print_file_render.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "core/driverlog/bit_image_band.h"
#include "core/driverlog/print_canvas.h"
#include "core/driverlog/print_commands.h"

namespace zr640 {
namespace {

using Kind = PrintCommandKind;
constexpr uint8_t kPageEndFeed = 0x01;  // the feed in front of a receipt's end mark

// The scan looks at one position q at a time. A rule that matches may move q past the
// bytes it used; otherwise q moves on by one. Every look-ahead is checked against the end
// of the file, so a command cut off by the end is simply not recognised. The scan starts
// at the second byte, as the viewer's always has; the driver begins every job with an
// initialising command, so no drawing command is ever there.
//
// Without a canvas the scan only measures the picture; with one it also draws. Both runs
// take the same path through the file, so they agree on height and page ends.
class Scanner {
public:
    Scanner(std::span<const uint8_t> file, const LineGeometry& geometry, uint64_t largestPicture,
            PrintCanvas* canvas)
        : file_(file),
          geometry_(geometry),
          largest_(std::min(largestPicture, kLargestLogPicture)),
          canvas_(canvas) {}

    Result<LogPicture> Run() {
        if (file_.empty()) return Error{"the file is empty"};
        size_t q = 1;
        while (q < file_.size() && failure_.empty()) {
            const uint8_t b = file_[q];
            if (b == kRasterLineCode) {
                q = OnRasterLine(q, ReadPrintCommand(file_, q));
            } else if (b == kEscapeCode) {
                q = OnEscape(q, ReadPrintCommand(file_, q));
            } else {
                ++q;
            }
        }
        if (!failure_.empty()) return Error{failure_};
        if (row_ == 0) return Error{"the file feeds no paper"};
        if (pageEnds_.empty()) return Error{"the file ends no page"};
        return LogPicture{static_cast<uint32_t>(row_), std::move(pageEnds_)};
    }

private:
    bool Is(size_t i, uint8_t value) const { return i < file_.size() && file_[i] == value; }

    bool Is(size_t i, Kind kind) const { return ReadPrintCommand(file_, i).kind == kind; }

    size_t OnRasterLine(size_t q, const PrintCommand& line) {
        if (!line.complete) return q + 1;
        const size_t after = q + line.size;

        if (Is(after + 1, kPageEndFeed)) {
            const PrintCommand mark = ReadPrintCommand(file_, after + 2);
            if (mark.kind == Kind::kPageEnd && mark.complete) AddPageEnd();
        }
        // Drawn only in front of a feed and the next raster line, so the last line of a
        // receipt never is.
        const PrintCommand feed = ReadPrintCommand(file_, after);
        if (feed.kind != Kind::kFeed || !feed.complete || !Is(after + 2, Kind::kRasterLine)) {
            return q + 1;
        }
        if (q >= 2 && Is(q - 2, Kind::kFeed) && !Feed(file_[q - 1])) return file_.size();
        if (canvas_ == nullptr) return after;

        uint8_t* row = Rows(1);
        if (row == nullptr) return file_.size();
        // A line longer than the row is cut at the row's end rather than spilling into the
        // next row.
        std::copy_n(line.data.data(), std::min<size_t>(line.data.size(), geometry_.bytesPerRow),
                    row);
        return after;
    }

    size_t OnEscape(size_t q, const PrintCommand& command) {
        if (command.kind == Kind::kLineSpacingFeed) {
            const uint32_t rows = command.value;
            if (!Feed(rows)) return file_.size();
            if (rows != 0) return q + 1;
            if (!Feed(kPageEndFeedRows)) return file_.size();
            AddPageEnd();
            return q + 7;  // the three bytes after the line feed belong to the page end
        }
        if (command.kind == Kind::kHorizontalPosition && Is(q + 4, kEscapeCode) &&
            Is(q + 5, kBitImageCode)) {
            x_ = command.value;
            return q + 1;
        }
        if (command.kind == Kind::kBitImageBand && command.complete) {
            const size_t end = q + command.size;
            if (canvas_ == nullptr) return end;
            return DrawBand(command.data) ? end : file_.size();
        }
        return q + 1;
    }

    // Draws a band at the current row and horizontal position, cut at the row's end. A band
    // that starts inside a byte is shifted right across byte borders, with the row's bytes
    // to its left cleared as the band's leading zero bytes.
    bool DrawBand(std::span<const uint8_t> command) {
        const size_t stride = geometry_.bytesPerRow;
        const size_t skip = x_ / 8;
        const unsigned shift = x_ % 8;
        const size_t room = skip < stride ? stride - skip : 0;
        uint8_t* rows = Rows(kBandRows);
        if (rows == nullptr) return false;
        if (shift == 0) {
            if (room > 0) {
                DecodeBand(command, {rows + skip, (kBandRows - 1) * stride + room}, stride, room);
            }
            return true;
        }

        band_.resize(kBandRows * stride);
        const int width = DecodeBand(command, band_, stride, room);
        const size_t produced = std::min(static_cast<size_t>(std::max(width, 0)), room);
        for (size_t i = 0; i < kBandRows; ++i) {
            uint8_t* row = rows + i * stride;
            const uint8_t* source = band_.data() + i * stride;
            std::memset(row, 0, std::min(skip, stride));
            uint8_t carry = 0;
            for (size_t m = 0; m < produced; ++m) {
                row[skip + m] = static_cast<uint8_t>(source[m] >> shift | carry);
                carry = static_cast<uint8_t>(source[m] << (8 - shift));
            }
            if (produced > 0 && skip + produced < stride) row[skip + produced] = carry;
        }
        return true;
    }

    bool Feed(uint32_t rows) {
        row_ += rows;
        if (row_ * geometry_.bytesPerRow <= largest_) return true;
        failure_ = "the picture would be larger than " + std::to_string(largest_ >> 20) + " MiB";
        return false;
    }

    void AddPageEnd() { pageEnds_.push_back(static_cast<uint32_t>(row_)); }

    uint8_t* Rows(size_t count) {
        uint8_t* rows = canvas_->Rows(row_, count);
        if (rows == nullptr) failure_ = "the bitmap could not be written";
        return rows;
    }

    std::span<const uint8_t> file_;
    LineGeometry geometry_;
    uint64_t largest_;
    PrintCanvas* canvas_;
    uint64_t row_ = 0;
    uint32_t x_ = 0;
    std::vector<uint32_t> pageEnds_;
    std::vector<uint8_t> band_;
    std::string failure_;
};

}  // namespace

Result<LogPicture> ScanPrintFile(std::span<const uint8_t> file, const LineGeometry& geometry,
                                 uint64_t largestPicture) {
    const auto checked = MakeLineGeometry(geometry.bytesPerRow, geometry.dots);
    if (!checked) return Error{checked.error()};
    return Scanner(file, *checked, largestPicture, nullptr).Run();
}

// Two runs over the file: the first finds the height, which fixes where every row goes in
// the bitmap, so the second can hand rows to the bitmap as soon as the scan has passed them.
Result<LogPicture> RenderPrintFile(std::span<const uint8_t> file, const LineGeometry& geometry,
                                   BitmapSink& sink, uint64_t largestPicture) {
    auto picture = ScanPrintFile(file, geometry, largestPicture);
    if (!picture) return picture;
    const auto header = LogBitmapHeader(geometry, picture->height);
    if (!sink.WriteAt(0, header)) return Error{"the bitmap could not be written"};
    sink.Reserve(kLogBitmapHeaderSize + uint64_t{geometry.bytesPerRow} * picture->height);
    PrintCanvas canvas(geometry, picture->height, sink);
    if (!canvas.ready()) return Error{"out of memory"};
    const auto drawn = Scanner(file, geometry, largestPicture, &canvas).Run();
    if (!drawn) return drawn;  // only the canvas can fail the second run
    if (!canvas.Finish()) return Error{"the bitmap could not be written"};
    return picture;
}

Result<LogPicture> RenderPrintFileToBitmap(std::span<const uint8_t> file,
                                           const LineGeometry& geometry,
                                           const std::filesystem::path& path,
                                           uint64_t largestPicture,
                                           std::span<const std::filesystem::path> inputs) {
    BitmapFile bitmap(path, inputs);
    if (!bitmap.opened()) return Error{bitmap.error()};
    auto picture = RenderPrintFile(file, geometry, bitmap, largestPicture);
    if (!picture) return picture;
    const auto committed = bitmap.Commit();
    if (!committed) return Error{committed.error()};
    return picture;
}

}  // namespace zr640
