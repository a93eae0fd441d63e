// A receipt printer emulated: it executes the byte streams the driver and its pages send, on
// a one-bit paper canvas, keeps a non-volatile logo store across streams, and lists every
// event a user should see (cuts, drawer pulses, maintenance requests, what it did not
// understand) with the dot row where it happened. Nothing is guessed silently: a byte that
// is not part of a command it knows becomes an event, and so does a command cut off by the
// end of a stream.
//
// Commands executed (bytes in hexadecimal):
//   0A                          line feed by the line spacing
//   15 k                        feed k dot rows
//   16 n d1..dn                 raster line of n bytes at the current row
//   1D 44 00                    end of a receipt (event)
//   1B 33 n                     line spacing n; 1B 33 00 0A feeds 24 rows and ends a receipt
//   1B 24 nL nH                 horizontal position of the next bit image
//   1B 2A 21 nL nH d...         24-dot bit-image band, three bytes per column
//   1B 40                       initialise: line spacing, position and barcode settings
//   1C 71 n ...                 n mono logos into the store; 1C 71 00 (00) clears it
//   1C 72 n ...                 n gray logos into the store
//   1C 70 n m                   print logo n (m: 0 normal, 1 double width, 2 double height,
//                               3 both)
//   1D 66 n, 1D 48 n, 1D 77 n, 1D 68 n, 1D 73 (8 bytes), 1D 70 (6 bytes), 1D 71 n,
//   1D 6F (4 bytes)             barcode settings
//   1D 6B m d... 00             barcode, m 00..06 and 0A..0D
//   1D 6B m n d1..dn (00)       barcode, m 41..49 (a 00 right after the data belongs to it)
//   1D 56 m, 1D 56 m n          cut (m 00/30 full, 01/31 partial; 41/42 the same after
//                               feeding n rows)
//   1B 70 m t1 t2               drawer pulse
//   1D 28 41 02 00 00 02        self-test request
//   1B 63 3B 01, 1B 63 3B 00    opening and closing maintenance brackets
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/emulator/logo_store.h"
#include "core/emulator/paper.h"
#include "core/emulator/symbol.h"

namespace zr640::emulator {

enum class EventKind {
    kCut,             // details: full or partial, and the rows fed first
    kDrawer,          // details: the pin and the on and off times
    kSelfTest,        // the self-test request
    kBracketOpen,     // 1B 63 3B 01
    kBracketClose,    // 1B 63 3B 00
    kPageEnd,         // the end of a receipt
    kLogosStored,     // a logo download: how many, their kind and sizes
    kLogosCleared,    // the store emptied by 1C 71 00
    kLogoPrinted,     // logo n and its size on paper
    kLogoMissing,     // print of a logo number the store does not hold
    kLogoRefused,     // a logo download the printer cannot take (the store is kept)
    kBarcode,         // a symbol printed: its type and data
    kBarcodeRefused,  // a barcode command whose symbol cannot be drawn, and why
    kUnknown,         // bytes that are no command the printer knows
    kTruncated,       // a command cut off by the end of the stream
    kPaperEnd,        // the paper reached its longest; later rows are not kept
};

// The event's name as the event list prints it ("cut", "drawer", ...).
std::string_view EventName(EventKind kind);

struct Event {
    EventKind kind;
    uint64_t row;  // the dot row of the paper where it happened
    std::string details;
};

// The most events a printer lists; later ones are only counted.
inline constexpr size_t kMostEvents = 10000;

class Printer {
public:
    explicit Printer(uint32_t paperWidth = kDefaultPaperWidth);

    // Executes one stream. A command never continues from one stream into the next.
    void Run(std::span<const uint8_t> stream);

    const Paper& paper() const { return paper_; }
    const std::vector<Event>& events() const { return events_; }
    size_t droppedEvents() const { return dropped_; }
    const BarcodeSettings& barcodeSettings() const { return barcode_; }
    const LogoStore& logos() const { return logos_; }
    // Replaces the logo store, as a store file loaded at power-on does.
    void SetLogos(LogoStore store);
    // The current paper position, in dot rows from the top.
    uint64_t row() const { return row_; }

    // The paper's height: every row drawn on or passed, at least one.
    uint64_t PaperRows() const;

private:
    class Execution;
    friend class Execution;

    void AddEvent(EventKind kind, std::string details);
    void AddEventAt(EventKind kind, uint64_t row, std::string details);
    void Feed(uint64_t rows);
    void EndOfPaper();
    // Draws a picture of one value per dot (dots 0/1, or gray dot levels 0 to 15 through an
    // ordered dither) at the left margin, each value scaleX x scaleY dots, and feeds past it.
    void DrawPicture(std::span<const uint8_t> values, uint32_t width, uint32_t height, bool gray,
                     unsigned scaleX, unsigned scaleY);
    void PrintSymbol(uint8_t m, std::span<const uint8_t> data);

    Paper paper_;
    uint64_t row_ = 0;
    uint32_t lineSpacing_ = kDefaultLineSpacing;
    uint32_t x_ = 0;
    BarcodeSettings barcode_;
    LogoStore logos_;
    std::vector<LogoPicture> pictures_;  // the stored logos' pictures, logo n at n - 1
    std::vector<Event> events_;
    size_t dropped_ = 0;
    bool paperEnded_ = false;

    static constexpr uint32_t kDefaultLineSpacing = 30;  // dots: 1/6 inch at 180 dots per inch
};

}  // namespace zr640::emulator
