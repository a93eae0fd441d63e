// zr640 watermark: the Water Mark page's picture conversion and preview layout from the
// command line.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/common/file_io.h"
#include "core/common/text.h"
#include "core/emulator/png_file.h"
#include "core/localisation/text_catalog.h"
#include "core/watermark/picture_file.h"
#include "core/watermark/preview_layout.h"
#include "tools/zr640/command_line.h"
#include "tools/zr640/commands.h"

namespace zr640::cli {
namespace {

// Exit statuses of the conversion's results; words that are not a command give UsageError's.
constexpr int kNotDoneStatus = 1;
constexpr int kCannotCreateStatus = 3;

// The page's own message for a result, from the catalogue, then why.
int Report(text::Key key, const std::string& detail, int status) {
    std::fprintf(stderr, "zr640: %s\n", Utf16ToUtf8(text::EntryOf(key).english).c_str());
    if (!detail.empty()) std::fprintf(stderr, "zr640: %s\n", detail.c_str());
    return status;
}

// The picture file's picture as PNG, to look at: the same conversion and statuses.
int ConvertToPng(const std::string& source, const std::string& out) {
    const auto bytes = ReadWholeFile(source);
    if (!bytes)
        return Report(text::Key::MessageBox_MB_WATERMARK_ERROR5, bytes.error(), kNotDoneStatus);
    const auto picture = WatermarkPictureFromBitmap(*bytes);
    if (!picture) {
        return Report(text::Key::MessageBox_MB_WATERMARK_ERROR5, picture.error(), kNotDoneStatus);
    }
    const auto png = emulator::BitmapToPng(*picture);
    if (!png) return Report(text::Key::MessageBox_MB_WATERMARK_ERROR5, png.error(), kNotDoneStatus);
    const std::filesystem::path inputs[] = {source};
    const auto written = WriteFileAtomically(out, *png, inputs);
    if (!written) {
        return Report(text::Key::MessageBox_MB_WATERMARK_ERROR2, written.error(),
                      kCannotCreateStatus);
    }
    return 0;
}

// zr640 watermark convert IN.bmp -o OUT.bmp|OUT.png
int Convert(Arguments& args) {
    const auto out = args.Option("--output", "-o");
    const auto files = args.Positional();
    if (files.size() != 1 || !out) args.Fail("watermark convert takes IN.bmp -o OUT.bmp");
    if (args.failed()) return UsageError(args.error());

    if (WantsPng(*out)) return ConvertToPng(files[0], *out);
    const WatermarkConversion conversion = ConvertWatermarkBitmap(files[0], *out);
    switch (conversion.result) {
    case WatermarkConvertResult::kDone: return 0;
    case WatermarkConvertResult::kCannotCreate:
        return Report(text::Key::MessageBox_MB_WATERMARK_ERROR2, conversion.detail,
                      kCannotCreateStatus);
    case WatermarkConvertResult::kNotDone: break;
    }
    return Report(text::Key::MessageBox_MB_WATERMARK_ERROR5, conversion.detail, kNotDoneStatus);
}

struct Extent {
    long width = 0;
    long height = 0;
};

// "WxH", both whole numbers from 0 to `largest`.
std::optional<Extent> ReadExtent(Arguments& args, const std::string& name, long largest) {
    const auto text = args.Option(name);
    if (!text) {
        args.Fail("watermark layout needs " + name);
        return std::nullopt;
    }
    const size_t x = text->find('x');
    if (x == std::string::npos) {
        args.Fail(name + " takes WIDTHxHEIGHT");
        return std::nullopt;
    }
    const auto width = args.Number(name + " width", text->substr(0, x), 0, largest);
    const auto height = args.Number(name + " height", text->substr(x + 1), 0, largest);
    if (!width || !height) return std::nullopt;
    return Extent{*width, *height};
}

std::optional<long> ReadNumber(Arguments& args, const std::string& name, long low, long high) {
    const auto text = args.Option(name);
    if (!text) {
        args.Fail("watermark layout needs " + name);
        return std::nullopt;
    }
    return args.Number(name, *text, low, high);
}

// zr640 watermark layout --frame WxH --picture wxh --position P --size C
int Layout(Arguments& args) {
    constexpr auto kLargestFrame = static_cast<long>(kMaxPreviewFrameExtent);
    constexpr auto kLargestPicture = static_cast<long>(kMaxPreviewPictureExtent);
    const auto frame = ReadExtent(args, "--frame", kLargestFrame);
    const auto picture = ReadExtent(args, "--picture", kLargestPicture);
    const auto position = ReadNumber(args, "--position", 0, kWatermarkPositions - 1);
    const auto size = ReadNumber(args, "--size", 0, kWatermarkMaxSize);
    if (!args.Positional().empty()) args.Fail("watermark layout takes only its four options");
    if (args.failed()) return UsageError(args.error());

    const auto draws =
        WatermarkPreviewLayout(frame->width, frame->height, picture->width, picture->height,
                               static_cast<int>(*position), static_cast<int>(*size));
    for (const PreviewDraw& draw : draws) {
        const PreviewRect& s = draw.source;
        const PreviewRect& d = draw.target;
        std::printf("src %d %d %d %d -> dst %d %d %d %d\n", s.x, s.y, s.width, s.height, d.x, d.y,
                    d.width, d.height);
    }
    return std::fflush(stdout) == 0 ? 0 : Fail("cannot write the layout");
}

}  // namespace

int RunWatermark(std::vector<std::string> words) {
    if (words.empty()) return Usage();
    const std::string action = words.front();
    Arguments args(std::vector<std::string>(words.begin() + 1, words.end()));
    if (action == "convert") return Convert(args);
    if (action == "layout") return Layout(args);
    return Usage();
}

}  // namespace zr640::cli
