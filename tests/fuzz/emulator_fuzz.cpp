// Byte streams from outside through the emulated printer: the first byte chooses the paper
// width and where the input is split into two streams (the logo store lives across them);
// the store is saved and read back, and the input is also read as a store file.
#include <cstdlib>
#include <span>

#include "core/emulator/logo_store.h"
#include "core/emulator/png_file.h"
#include "core/emulator/printer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace zr640::emulator;
    const std::span<const uint8_t> bytes(data, size);
    const uint8_t choice = size > 0 ? data[0] : 0;
    const uint32_t width = kNarrowestPaper + 8u * (choice & 0x3F);
    const size_t split = size > 1 ? size * (choice >> 6) / 4 : 0;

    Printer printer(width);
    printer.Run(bytes.first(split));
    printer.Run(bytes.subspan(split));
    const Paper& paper = printer.paper();
    if (paper.bits().size() > kLongestPaperBytes || printer.events().size() > kMostEvents) {
        std::abort();
    }
    // Every event lies on the paper or at its end.
    for (const auto& event : printer.events()) {
        if (event.row > paper.longestRows()) std::abort();
    }

    // What the store holds survives its file.
    const auto saved = printer.logos().Save();
    const auto loaded = LogoStore::Load(saved);
    if (!loaded || loaded->Save() != saved) std::abort();
    (void)LogoStore::Load(bytes);

    // A small paper's picture is written as a PNG, as the tool writes it.
    if (paper.rows() > 0 && paper.rows() <= 256) {
        if (!EncodeDotsPng(paper.bits(), paper.width(), static_cast<uint32_t>(paper.rows()))) {
            std::abort();
        }
    }
    return 0;
}
