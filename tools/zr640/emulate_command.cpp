// zr640 emulate: runs byte streams through the emulated receipt printer and writes the paper
// as a PNG picture and the printer's events one a line.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/common/file_io.h"
#include "core/emulator/logo_store.h"
#include "core/emulator/paper.h"
#include "core/emulator/png_file.h"
#include "core/emulator/printer.h"
#include "tools/zr640/command_line.h"
#include "tools/zr640/commands.h"

namespace zr640::cli {
namespace {

constexpr uint64_t kLargestStream = uint64_t{256} << 20;

// "kind row details", one event a line.
std::string EventList(const emulator::Printer& printer) {
    std::string text;
    for (const auto& event : printer.events()) {
        text += std::string(emulator::EventName(event.kind)) + ' ' + std::to_string(event.row) +
                ' ' + event.details + '\n';
    }
    if (printer.droppedEvents() > 0) {
        text += "more " + std::to_string(printer.row()) + ' ' +
                std::to_string(printer.droppedEvents()) + " further events not listed\n";
    }
    return text;
}

}  // namespace

int RunEmulate(std::vector<std::string> words) {
    Arguments args(std::move(words));
    const auto out = args.Option("--output", "-o");
    const auto nv = args.Option("--nv");
    const auto eventsOut = args.Option("--events");
    const auto widthText = args.Option("--width");
    const auto streams = args.Positional();
    if (args.failed()) return UsageError(args.error());
    if (streams.empty() || !out) {
        return UsageError(
            "emulate takes STREAM... [--nv STORE] [--width DOTS] -o PAPER.png "
            "[--events FILE|-]");
    }
    uint32_t width = emulator::kDefaultPaperWidth;
    if (widthText) {
        const auto number =
            args.Number("--width", *widthText, emulator::kNarrowestPaper, emulator::kWidestPaper);
        if (!number) return UsageError(args.error());
        width = static_cast<uint32_t>(*number);
    }
    if (*out == kStandardOutput && eventsOut && *eventsOut == kStandardOutput) {
        return UsageError("the paper and the events cannot both go to standard output");
    }

    // Every output is judged before anything runs: none may be an input, a device, a FIFO
    // or a folder.
    std::vector<std::filesystem::path> inputs(streams.begin(), streams.end());
    if (nv) {
        if (const auto checked = CheckDestination(*nv, inputs); !checked) {
            return Fail(checked.error());
        }
        inputs.emplace_back(*nv);
    }
    std::vector<std::filesystem::path> written;  // so far: no two outputs may be one file
    if (nv) written.emplace_back(*nv);
    for (const auto* destination : {&*out, eventsOut ? &*eventsOut : nullptr}) {
        if (destination == nullptr || *destination == kStandardOutput) continue;
        if (const auto checked = CheckDestination(*destination, inputs); !checked) {
            return Fail(checked.error());
        }
        const auto path = std::filesystem::weakly_canonical(*destination);
        for (const auto& other : written) {
            if (std::filesystem::weakly_canonical(other) == path) {
                return UsageError(*destination + " is named for two outputs");
            }
        }
        written.push_back(path);
    }

    emulator::Printer printer(width);
    if (nv) {
        auto store = emulator::LoadLogoStoreFile(*nv);
        if (!store) return Fail(store.error() + "; nothing was run or written");
        printer.SetLogos(std::move(*store));
    }
    for (const auto& stream : streams) {
        const auto bytes = ReadWholeFile(stream, kLargestStream);
        if (!bytes) return Fail(stream + ": " + bytes.error());
        printer.Run(*bytes);
    }

    const auto& paper = printer.paper();
    const uint64_t rows = printer.PaperRows();
    std::vector<uint8_t> blank;
    std::span<const uint8_t> bits = paper.bits();
    if (paper.rows() == 0) {
        blank.assign(paper.bytesPerRow(), 0);
        bits = blank;
    }
    const auto png = emulator::EncodeDotsPng(bits, paper.width(), static_cast<uint32_t>(rows));
    if (!png) return Fail(png.error());
    std::vector<std::string> outputInputs(streams);
    if (nv) outputInputs.push_back(*nv);
    if (const int failed = WriteOutput(*out, *png, outputInputs)) return failed;

    const std::string events = EventList(printer);
    if (eventsOut) {
        const std::span<const uint8_t> text(reinterpret_cast<const uint8_t*>(events.data()),
                                            events.size());
        if (const int failed = WriteOutput(*eventsOut, text, outputInputs)) return failed;
    }
    if (nv) {
        const auto saved = emulator::SaveLogoStoreFile(*nv, printer.logos());
        if (!saved) return Fail(*nv + ": " + saved.error());
    }
    return 0;
}

}  // namespace zr640::cli
