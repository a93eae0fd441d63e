#include "core/emulator/printer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "core/driverlog/bit_image_band.h"
#include "core/driverlog/print_commands.h"
#include "core/imaging/halftone.h"
#include "core/operation/hex_command.h"
#include "core/printer/logo_commands.h"
#include "core/printer/self_test.h"

namespace zr640::emulator {
namespace {

constexpr uint8_t kFileSeparator = 0x1C;
constexpr uint8_t kGroupSeparator = 0x1D;
constexpr size_t kBytesShown = 16;  // of an unknown or cut-off command in its event
constexpr size_t kDataShown = 64;   // characters of barcode data in its event

std::string Hex(std::span<const uint8_t> bytes) {
    std::string text = FormatHexCommandNarrow(bytes.first(std::min(bytes.size(), kBytesShown)));
    if (!text.empty()) text.pop_back();  // the space after the last byte
    if (bytes.size() > kBytesShown) text += " ...";
    return text;
}

std::string Printable(std::span<const uint8_t> data) {
    std::string text = "\"";
    for (size_t i = 0; i < data.size() && i < kDataShown; ++i) {
        const uint8_t c = data[i];
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            text += static_cast<char>(c);
        } else {
            char escaped[6];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        }
    }
    text += data.size() > kDataShown ? "\"..." : "\"";
    return text;
}

std::string Size(uint32_t width, uint32_t height) {
    return std::to_string(width) + " x " + std::to_string(height) + " dots";
}

}  // namespace

std::string_view EventName(EventKind kind) {
    switch (kind) {
    case EventKind::kCut: return "cut";
    case EventKind::kDrawer: return "drawer";
    case EventKind::kSelfTest: return "self-test";
    case EventKind::kBracketOpen: return "bracket-open";
    case EventKind::kBracketClose: return "bracket-close";
    case EventKind::kPageEnd: return "page-end";
    case EventKind::kLogosStored: return "logos-stored";
    case EventKind::kLogosCleared: return "logos-cleared";
    case EventKind::kLogoPrinted: return "logo-printed";
    case EventKind::kLogoMissing: return "logo-missing";
    case EventKind::kLogoRefused: return "logo-refused";
    case EventKind::kBarcode: return "barcode";
    case EventKind::kBarcodeRefused: return "barcode-refused";
    case EventKind::kUnknown: return "unknown";
    case EventKind::kTruncated: return "truncated";
    case EventKind::kPaperEnd: return "paper-end";
    }
    return "?";
}

// One stream being executed: a position and the run of unknown bytes not yet reported.
class Printer::Execution {
public:
    Execution(Printer& printer, std::span<const uint8_t> stream) : printer_(printer), s_(stream) {}

    void Run() {
        while (p_ < s_.size()) {
            const size_t used = Step();
            if (used == 0) {
                if (unknownCount_ == 0) {
                    unknownStart_ = p_;
                    unknownRow_ = printer_.row_;
                }
                ++unknownCount_;
                ++p_;
                continue;
            }
            // The unknown bytes are reported before the command after them, at its row.
            ReportUnknown();
            p_ += used;
        }
        ReportUnknown();
    }

private:
    // How the bytes from p_ compare with a command of fixed bytes.
    enum class Match { kYes, kNo, kCut };

    size_t left() const { return s_.size() - p_; }
    uint8_t at(size_t i) const { return s_[p_ + i]; }

    Match Fixed(std::span<const uint8_t> command) const {
        size_t i = 0;
        for (const uint8_t byte : command) {
            if (i >= left()) return Match::kCut;
            if (at(i) != byte) return Match::kNo;
            ++i;
        }
        return Match::kYes;
    }

    // The command at p_ is cut off by the end of the stream: an event, and the rest of
    // the stream is its.
    size_t Truncated() {
        ReportUnknown();
        printer_.AddEvent(EventKind::kTruncated, "the stream ends inside the command " +
                                                     Hex(s_.subspan(p_)) + " (" +
                                                     std::to_string(left()) + " bytes)");
        return left();
    }

    void ReportUnknown() {
        if (unknownCount_ == 0) return;
        printer_.AddEventAt(EventKind::kUnknown, unknownRow_,
                            Hex(s_.subspan(unknownStart_, unknownCount_)) + " (" +
                                std::to_string(unknownCount_) +
                                (unknownCount_ == 1 ? " byte)" : " bytes)"));
        unknownCount_ = 0;
    }

    // Executes the command at p_; the bytes it used, 0 when the byte at p_ starts no
    // command the printer knows.
    size_t Step() {
        const uint8_t b = at(0);
        if (b == kLineFeedCode) {
            printer_.Feed(printer_.lineSpacing_);
            return 1;
        }
        const PrintCommand paper = ReadPrintCommand(s_, p_);
        if (paper.kind != PrintCommandKind::kNone) return OnPaperCommand(paper);
        if (b == kEscapeCode) return OnEscape();
        if (b == kFileSeparator) return OnFileSeparator();
        if (b == kGroupSeparator) return OnGroupSeparator();
        return 0;
    }

    size_t OnPaperCommand(const PrintCommand& command) {
        if (!command.complete) return Truncated();
        Printer& p = printer_;
        switch (command.kind) {
        case PrintCommandKind::kFeed: p.Feed(command.value); break;
        case PrintCommandKind::kRasterLine:
            if (p.row_ >= p.paper_.longestRows()) p.EndOfPaper();
            p.paper_.Put(p.row_, 0, command.data, static_cast<uint32_t>(command.data.size() * 8));
            break;
        case PrintCommandKind::kLineSpacing: p.lineSpacing_ = command.value; break;
        case PrintCommandKind::kLineSpacingFeed:
            p.lineSpacing_ = command.value;
            if (command.value != 0) {
                p.Feed(command.value);
            } else {
                p.Feed(kPageEndFeedRows);
                p.AddEvent(EventKind::kPageEnd, "line spacing 0 and line feed");
            }
            break;
        case PrintCommandKind::kHorizontalPosition: p.x_ = command.value; break;
        case PrintCommandKind::kBitImageBand: DrawBand(command); break;
        case PrintCommandKind::kPageEnd: p.AddEvent(EventKind::kPageEnd, "1D 44 00"); break;
        case PrintCommandKind::kNone: break;
        }
        return command.size;
    }

    void DrawBand(const PrintCommand& band) {
        const size_t stride = (size_t{band.value} + 7) / 8;
        if (stride == 0) return;
        if (printer_.row_ + kBandRows > printer_.paper_.longestRows()) printer_.EndOfPaper();
        band_.assign(kBandRows * stride, 0);
        if (DecodeBand(band.data, band_, stride, stride) < 0) return;
        for (size_t i = 0; i < kBandRows; ++i) {
            printer_.paper_.Put(printer_.row_ + i, printer_.x_,
                                std::span<const uint8_t>(band_).subspan(i * stride, stride),
                                band.value);
        }
    }

    size_t OnEscape() {
        if (left() < 2) return Truncated();
        switch (at(1)) {
        case 0x40:  // initialise
            printer_.lineSpacing_ = kDefaultLineSpacing;
            printer_.x_ = 0;
            printer_.barcode_ = BarcodeSettings{};
            return 2;
        case 0x63: {
            for (const bool opening : {true, false}) {
                const auto& bracket = opening ? kOpeningBracket : kClosingBracket;
                const Match match = Fixed(bracket);
                if (match == Match::kCut) return Truncated();
                if (match == Match::kNo) continue;
                printer_.AddEvent(opening ? EventKind::kBracketOpen : EventKind::kBracketClose,
                                  Hex(bracket));
                return bracket.size();
            }
            return 0;
        }
        case 0x70: {  // drawer pulse
            if (left() < 5) return Truncated();
            const uint8_t m = at(2);
            if (m != 0 && m != 1 && m != 0x30 && m != 0x31) return 0;
            printer_.AddEvent(EventKind::kDrawer, std::string("pin ") + ((m & 1) == 0 ? "2" : "5") +
                                                      ", on " + std::to_string(2 * at(3)) +
                                                      " ms, off " + std::to_string(2 * at(4)) +
                                                      " ms");
            return 5;
        }
        default: return 0;
        }
    }

    size_t OnFileSeparator() {
        if (left() < 2) return Truncated();
        switch (at(1)) {
        case 0x70: return OnPrintLogo();
        case 0x71: return OnMonoLogos();
        case 0x72: return OnGrayLogos();
        default: return 0;
        }
    }

    size_t OnPrintLogo() {
        if (left() < 4) return Truncated();
        const uint8_t n = at(2);
        const uint8_t m = at(3);
        const unsigned mode = m >= 0x30 ? m - 0x30u : m;
        if (mode > 3) return 0;
        const StoredLogo* logo = printer_.logos_.Find(n);
        if (logo == nullptr) {
            printer_.AddEvent(EventKind::kLogoMissing,
                              "logo " + std::to_string(n) + " is not stored (the store holds " +
                                  std::to_string(printer_.logos_.size()) + ")");
            return 4;
        }
        const LogoPicture& picture = printer_.pictures_[n - 1];
        const unsigned scaleX = (mode & 1) != 0 ? 2 : 1;
        const unsigned scaleY = (mode & 2) != 0 ? 2 : 1;
        printer_.AddEvent(EventKind::kLogoPrinted,
                          "logo " + std::to_string(n) + (IsGray(*logo) ? ", gray, " : ", mono, ") +
                              Size(picture.width * scaleX, picture.height * scaleY));
        printer_.DrawPicture(picture.values, picture.width, picture.height, IsGray(*logo), scaleX,
                             scaleY);
        return 4;
    }

    // 1C 71 n, then per logo X (2 bytes), Y (2 bytes) and X x Y x 8 bytes; n = 0 clears the
    // store (Clear All Logos sends 1C 71 00 00: the second 00 belongs to it).
    size_t OnMonoLogos() {
        if (left() < 3) return Truncated();
        const uint8_t count = at(2);
        if (count == 0) {
            printer_.SetLogos(LogoStore{});
            printer_.AddEvent(EventKind::kLogosCleared, "1C 71 00");
            return left() >= 4 && at(3) == 0x00 ? 4 : 3;
        }
        return ReadLogos(count, false);
    }

    size_t OnGrayLogos() {
        if (left() < 3) return Truncated();
        return ReadLogos(at(2), true);
    }

    // Reads `count` logos from p_ + 3 on; the store takes them only when all are whole and
    // fit, and keeps what it held otherwise.
    size_t ReadLogos(uint8_t count, bool gray) {
        std::vector<StoredLogo> logos;
        std::vector<LogoPicture> pictures;
        std::string sizes;
        size_t q = 3;
        uint64_t total = 0;
        bool fits = true;
        for (unsigned i = 0; i < count; ++i) {
            const size_t header = gray ? 6 : 4;
            if (left() - q < header) return Truncated();
            if (gray && (at(q) != 0x01 || at(q + 1) != 0x00)) {
                printer_.AddEvent(EventKind::kLogoRefused, "gray logo " + std::to_string(i + 1) +
                                                               " starts " +
                                                               Hex(s_.subspan(p_ + q, 2)) +
                                                               ", not 01 00; the store is kept");
                return q;
            }
            const size_t field = gray ? q + 2 : q;
            const auto across = static_cast<uint16_t>(at(field) | at(field + 1) << 8);
            const auto down = static_cast<uint16_t>(at(field + 2) | at(field + 3) << 8);
            const size_t size = size_t{across} * down * 8;
            q += header;
            if (left() - q < size) return Truncated();
            total += size;
            fits = fits && total <= kLargestLogoStore;
            if (fits) {
                std::vector<uint8_t> data(s_.begin() + static_cast<ptrdiff_t>(p_ + q),
                                          s_.begin() + static_cast<ptrdiff_t>(p_ + q + size));
                if (gray) {
                    logos.emplace_back(GrayLogo{across, down, std::move(data)});
                } else {
                    logos.emplace_back(MonoLogo{across, down, std::move(data)});
                }
                pictures.push_back(PictureOf(logos.back()));
                sizes += (i == 0 ? "" : ", ") + Size(pictures.back().width, pictures.back().height);
            }
            q += size;
        }
        if (!fits) {
            printer_.AddEvent(EventKind::kLogoRefused,
                              std::to_string(count) + " logos of " + std::to_string(total) +
                                  " bytes do not fit the store of " +
                                  std::to_string(kLargestLogoStore) + " bytes; the store is kept");
            return q;
        }
        printer_.AddEvent(EventKind::kLogosStored,
                          std::to_string(count) + (gray ? " gray" : " mono") +
                              (count == 1 ? " logo: " : " logos: ") + sizes);
        printer_.logos_.Replace(std::move(logos));
        printer_.pictures_ = std::move(pictures);
        return q;
    }

    size_t OnGroupSeparator() {
        if (left() < 2) return Truncated();
        BarcodeSettings& settings = printer_.barcode_;
        switch (at(1)) {
        case 0x66: return Setting(settings.hriFont);
        case 0x48: return Setting(settings.hriPosition);
        case 0x77: return Setting(settings.moduleWidth);
        case 0x68: return Setting(settings.height);
        case 0x71: return Setting(settings.level);
        case 0x73: return Settings(settings.gs1);
        case 0x70: return Settings(settings.pdf417);
        case 0x6F: return Settings(settings.qr);
        case 0x6B: return OnBarcode();
        case 0x56: return OnCut();
        case 0x28: {
            const Match match = Fixed(kSelfTestCommand);
            if (match == Match::kCut) return Truncated();
            if (match == Match::kNo) return 0;
            printer_.AddEvent(EventKind::kSelfTest, Hex(kSelfTestCommand));
            return kSelfTestCommand.size();
        }
        default: return 0;
        }
    }

    size_t Setting(uint8_t& value) {
        if (left() < 3) return Truncated();
        value = at(2);
        return 3;
    }

    template <size_t N>
    size_t Settings(std::array<uint8_t, N>& values) {
        if (left() < 2 + N) return Truncated();
        for (size_t i = 0; i < N; ++i) values[i] = at(2 + i);
        return 2 + N;
    }

    // 1D 6B m: m 00..06 and 0A..0D take the data up to a 00; m 41..49 a length byte first
    // (and a 00 after the data, when there is one).
    size_t OnBarcode() {
        if (left() < 3) return Truncated();
        const uint8_t m = at(2);
        std::span<const uint8_t> data;
        size_t used = 0;
        if (m <= 0x06 || (m >= 0x0A && m <= 0x0D)) {
            const auto rest = s_.subspan(p_ + 3);
            const auto end = std::find(rest.begin(), rest.end(), uint8_t{0});
            if (end == rest.end()) return Truncated();
            data = rest.first(static_cast<size_t>(end - rest.begin()));
            used = 3 + data.size() + 1;
        } else if (m >= 0x41 && m <= 0x49) {
            if (left() < 4 || left() - 4 < at(3)) return Truncated();
            data = s_.subspan(p_ + 4, at(3));
            used = 4 + data.size();
            // The 1D Code page ends this form with a 00 too; it belongs to the command.
            if (left() > used && at(used) == 0x00) ++used;
        } else {
            return 0;
        }
        printer_.PrintSymbol(m, data);
        return used;
    }

    // 1D 56 m: 00 or 30 full cut, 01 or 31 partial; 1D 56 41 n / 42 n the same after a feed
    // of n rows.
    size_t OnCut() {
        if (left() < 3) return Truncated();
        const uint8_t m = at(2);
        uint32_t feed = 0;
        size_t used = 3;
        if (m == 0x41 || m == 0x42) {
            if (left() < 4) return Truncated();
            feed = at(3);
            used = 4;
        } else if (m != 0x00 && m != 0x01 && m != 0x30 && m != 0x31) {
            return 0;
        }
        printer_.Feed(feed);
        const bool full = m == 0x00 || m == 0x30 || m == 0x41;
        printer_.AddEvent(
            EventKind::kCut,
            std::string(full ? "full" : "partial") + " cut" +
                (used == 4 ? " after feeding " + std::to_string(feed) + " rows" : ""));
        printer_.paper_.Dashes(printer_.row_);
        return used;
    }

    Printer& printer_;
    std::span<const uint8_t> s_;
    size_t p_ = 0;
    size_t unknownStart_ = 0;
    size_t unknownCount_ = 0;
    uint64_t unknownRow_ = 0;
    std::vector<uint8_t> band_;
};

Printer::Printer(uint32_t paperWidth) : paper_(paperWidth) {}

void Printer::Run(std::span<const uint8_t> stream) { Execution(*this, stream).Run(); }

void Printer::SetLogos(LogoStore store) {
    logos_ = std::move(store);
    pictures_.clear();
    for (size_t n = 1; n <= logos_.size(); ++n) pictures_.push_back(PictureOf(*logos_.Find(n)));
}

uint64_t Printer::PaperRows() const { return std::max<uint64_t>(paper_.rows(), 1); }

void Printer::AddEvent(EventKind kind, std::string details) {
    AddEventAt(kind, row_, std::move(details));
}

void Printer::AddEventAt(EventKind kind, uint64_t row, std::string details) {
    if (events_.size() >= kMostEvents) {
        ++dropped_;
        return;
    }
    events_.push_back({kind, row, std::move(details)});
}

void Printer::Feed(uint64_t rows) {
    row_ = std::min(row_ + rows, paper_.longestRows());
    if (!paper_.Reach(row_) || row_ >= paper_.longestRows()) EndOfPaper();
}

void Printer::EndOfPaper() {
    if (paperEnded_) return;
    paperEnded_ = true;
    AddEvent(EventKind::kPaperEnd, "the paper ends after " + std::to_string(paper_.longestRows()) +
                                       " rows; nothing below is kept");
}

void Printer::DrawPicture(std::span<const uint8_t> values, uint32_t width, uint32_t height,
                          bool gray, unsigned scaleX, unsigned scaleY) {
    if (paperEnded_) return;
    const DitherMatrix8& matrix = DitherM8();
    const auto across =
        static_cast<uint32_t>(std::min<uint64_t>(uint64_t{width} * scaleX, paper_.width()));
    const uint64_t down = uint64_t{height} * scaleY;
    for (uint64_t y = 0; y < down; ++y) {
        const uint64_t row = row_ + y;
        if (row >= paper_.longestRows()) {
            EndOfPaper();
            break;
        }
        const uint8_t* source = values.data() + (y / scaleY) * width;
        for (uint32_t x = 0; x < across; ++x) {
            const unsigned value = source[x / scaleX];
            // Gray levels 0 to 15 against the 8 x 8 ordered dither's thresholds 0 to 63:
            // level 0 prints no dot, level 15 every dot.
            const bool dot = gray ? matrix[y % 8][x % 8] < value * 64 / 15 : value != 0;
            if (dot) paper_.Set(x, row);
        }
    }
    Feed(down);
}

void Printer::PrintSymbol(uint8_t m, std::span<const uint8_t> data) {
    const auto drawing = DrawSymbol(m, data, barcode_, paper_.width());
    if (!drawing) {
        AddEvent(EventKind::kBarcodeRefused, "type " + std::to_string(m) + ", data " +
                                                 Printable(data) + ": " + drawing.error());
        return;
    }
    if (drawing->dots.size() / std::max<uint32_t>(drawing->width, 1) < drawing->height) {
        AddEvent(EventKind::kBarcodeRefused,
                 "type " + std::to_string(m) + ": the drawing is short of dots");
        return;
    }
    AddEvent(EventKind::kBarcode, "type " + std::to_string(m) + ", data " + Printable(data) + ", " +
                                      Size(drawing->width, drawing->height));
    DrawPicture(drawing->dots, drawing->width, drawing->height, false, 1, 1);
}

}  // namespace zr640::emulator
