// zr640 render-log: renders a logged print file into the bitmap the log viewer shows and
// lists the rows at which its receipts end.
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/common/file_io.h"
#include "core/driverlog/print_file_render.h"
#include "core/driverlog/viewer_texts.h"
#include "tools/zr640/command_line.h"
#include "tools/zr640/commands.h"
#include "tools/zr640/mapped_file.h"

namespace zr640::cli {
namespace {

// The viewer's message for a log it cannot show, with the reason behind it.
int Refuse(const std::string& file, const std::string& reason) {
    return Fail(std::string(ViewerTextEntryOf(ViewerText::LogError).defaultText) + " (" + file +
                ": " + reason + ")");
}

}  // namespace

int RunRenderLog(std::vector<std::string> words) {
    Arguments args(std::move(words));
    const auto out = args.Option("--output", "-o");
    const auto bytesText = args.Option("--bytes-per-row").value_or("80");
    const auto dotsText = args.Option("--width").value_or("640");
    const auto files = args.Positional();
    if (files.size() != 1) args.Fail("render-log takes one print file");
    const auto bytesPerRow = args.Number("--bytes-per-row", bytesText, -(1L << 31), 1L << 31);
    const auto dots = args.Number("--width", dotsText, -(1L << 31), 1L << 31);
    if (args.failed()) return Fail(args.error());

    const std::string& input = files[0];
    const auto geometry = MakeLineGeometry(*bytesPerRow, *dots);
    if (!geometry) return Refuse(input, geometry.error());
    const bool toStandardOutput = out && *out == kStandardOutput;
    const std::filesystem::path output =
        out ? std::filesystem::path(*out) : std::filesystem::path(input).replace_extension(".bmp");
    // The output is judged before the input is even mapped: a run that would overwrite its
    // own input (by another spelling, too) or a device, FIFO or folder writes nothing.
    const std::filesystem::path inputs[] = {input};
    if (!toStandardOutput) {
        if (const auto checked = CheckDestination(output, inputs); !checked) {
            return Fail(checked.error());
        }
    }
    const auto file = MappedFile::Open(input);
    if (!file) return Fail(file.error());

    std::string pageEnds;
    if (toStandardOutput || WantsPng(output.string())) {
        // The rows reach the sink out of file order, so the picture is made whole first.
        BitmapBytes bitmap;
        const auto picture = RenderPrintFile(file->bytes(), *geometry, bitmap);
        if (!picture) return Refuse(input, picture.error());
        for (const uint32_t row : picture->pageEnds) pageEnds += std::to_string(row) + '\n';
        const std::string target = toStandardOutput ? kStandardOutput : output.string();
        const std::string inputNames[] = {input};
        // Remade from its log whenever it is shown, as the bitmap file is (BitmapFile).
        if (const int failed =
                WritePicture(target, bitmap.bytes(), inputNames, Durability::kRemadeFromSource)) {
            return failed;
        }
        // Standard output may hold the picture; the page ends then go to standard error.
        std::fputs(pageEnds.c_str(), toStandardOutput ? stderr : stdout);
        return 0;
    }
    const auto picture =
        RenderPrintFileToBitmap(file->bytes(), *geometry, output, kLargestLogPicture, inputs);
    if (!picture) return Refuse(input, picture.error());
    for (const uint32_t row : picture->pageEnds) pageEnds += std::to_string(row) + '\n';
    std::fwrite(pageEnds.data(), 1, pageEnds.size(), stdout);
    return 0;
}

}  // namespace zr640::cli
