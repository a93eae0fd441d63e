// zr640 logo: the Download page's logo conversions and command streams from the command line.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/common/file_io.h"
#include "core/imaging/bmp.h"
#include "core/imaging/gray.h"
#include "core/imaging/halftone.h"
#include "core/imaging/logo_files.h"
#include "core/imaging/logo_pack.h"
#include "core/printer/download_rules.h"
#include "core/printer/logo_commands.h"
#include "tools/zr640/command_line.h"
#include "tools/zr640/commands.h"
#include "tools/zr640/mapped_file.h"

namespace zr640::cli {
namespace {

struct Settings {
    Halftone halftone = Halftone::kDitherM3;
    int contrast = 0;
    int brightness = 0;
};

std::optional<Halftone> HalftoneNamed(const std::string& name) {
    constexpr std::array<const char*, 4> kNames = {"none", "m3", "m4", "diffuse"};
    for (size_t i = 0; i < kNames.size(); ++i) {
        if (name == kNames[i]) return static_cast<Halftone>(i);
    }
    return std::nullopt;
}

Settings ReadSettings(Arguments& args, bool withHalftone) {
    Settings settings;
    if (withHalftone) {
        if (const auto name = args.Option("--halftone")) {
            const auto halftone = HalftoneNamed(*name);
            if (!halftone) args.Fail("--halftone takes none, m3, m4 or diffuse");
            settings.halftone = halftone.value_or(Halftone::kNone);
        }
    }
    if (const auto text = args.Option("--contrast")) {
        settings.contrast =
            static_cast<int>(args.Number("--contrast", *text, -100, 100).value_or(0));
    }
    if (const auto text = args.Option("--brightness")) {
        settings.brightness =
            static_cast<int>(args.Number("--brightness", *text, -100, 100).value_or(0));
    }
    return settings;
}

// zr640 logo mono|gray IN [-o OUT]: the converted file, by default where the page puts it.
int Convert(Arguments& args, bool mono) {
    const auto out = args.Option("--output", "-o");
    const Settings settings = ReadSettings(args, mono);
    const auto files = args.Positional();
    if (files.size() != 1)
        args.Fail(std::string("logo ") + (mono ? "mono" : "gray") + " takes one bitmap");
    if (args.failed()) return Fail(args.error());

    // Mapped rather than read: the picture is read once, by the conversion itself.
    const auto source = MappedFile::Open(files[0]);
    if (!source) return Fail(source.error());
    if (source->bytes().size() > kLargestBitmapFile) {
        return Fail("refused " + files[0] + ": the file is too large");
    }
    const auto picture = ParseBitmap(source->bytes(), kGeneralLimits);
    if (!picture) return Fail(files[0] + ": " + picture.error());
    const auto converted =
        mono ? ConvertToMonoBitmap(*picture, settings.halftone, settings.contrast,
                                   settings.brightness)
             : ConvertToGrayBitmap(*picture, settings.contrast, settings.brightness);
    if (!converted) return Fail(files[0] + ": " + converted.error());
    // The converted file is made again from its picture whenever it is used.
    return WritePicture(out.value_or(ConvertedFilePath(files[0]).string()), *converted, files,
                        Durability::kRemadeFromSource);
}

// The bytes Download all would take for one logo: its converted file as the page would
// have made it, or for mono logos the logo itself when it is already a 1-bit bitmap.
Result<std::vector<uint8_t>> LogoBytes(const std::string& file, LogoFormat format,
                                       const Settings& settings) {
    auto source = ReadWholeFile(file, kLargestBitmapFile);
    if (!source) return Error{text::EnglishText(kDownloadError1.text)};
    if (const auto message = CheckLogoLead(*source)) return Error{text::EnglishText(message->text)};
    const BitmapLead lead = ReadBitmapLead(*source);
    if (format == LogoFormat::kTransformation && lead.bitmap && lead.bitsPerPixel == 1) {
        return std::move(*source);
    }
    const auto picture = ParseBitmap(*source, kLogoLimits);
    if (!picture) return Error{picture.error()};
    return format == LogoFormat::kTransformation
               ? ConvertToMonoBitmap(*picture, settings.halftone, settings.contrast,
                                     settings.brightness)
               : ConvertToGrayBitmap(*picture, settings.contrast, settings.brightness);
}

// zr640 logo download --format mono|gray IN... -o STREAM: what Download all sends.
int Download(Arguments& args) {
    const auto out = args.Option("--output", "-o");
    const auto formatName = args.Option("--format");
    const Settings settings = ReadSettings(args, true);
    const auto files = args.Positional();
    if (!out || !formatName)
        args.Fail("logo download takes --format mono|gray IN.bmp... -o STREAM");
    if (formatName && *formatName != "mono" && *formatName != "gray") {
        args.Fail("--format takes mono or gray");
    }
    if (args.failed()) return Fail(args.error());
    const LogoFormat format =
        *formatName == "mono" ? LogoFormat::kTransformation : LogoFormat::kGray;

    if (files.size() > kMaxLogos) return Fail(text::EnglishText(kDownloadError4.text));
    std::vector<std::vector<uint8_t>> logos;
    std::vector<std::optional<uint64_t>> sizes;
    for (const auto& file : files) {
        auto bytes = LogoBytes(file, format, settings);
        if (!bytes) return Fail(file + ": " + bytes.error());
        sizes.push_back(bytes->size());
        logos.push_back(std::move(*bytes));
    }
    if (const auto message = CheckDownloadAll(sizes)) return Fail(text::EnglishText(message->text));

    RawJob job;
    if (format == LogoFormat::kTransformation) {
        std::vector<MonoLogo> packed;
        for (size_t i = 0; i < logos.size(); ++i) {
            auto logo = PackMonoLogo(logos[i]);
            if (!logo) return Fail(files[i] + ": " + logo.error());
            packed.push_back(std::move(*logo));
        }
        job = MonoLogoDownloadJob(packed);
    } else {
        std::vector<GrayLogo> packed;
        for (size_t i = 0; i < logos.size(); ++i) {
            auto logo = PackGrayLogo(logos[i]);
            if (!logo) return Fail(files[i] + ": " + logo.error());
            packed.push_back(std::move(*logo));
        }
        job = GrayLogoDownloadJob(packed);
    }
    return WriteOutput(*out, job.Bytes(), files);
}

int Clear(Arguments& args) {
    const auto out = args.Option("--output", "-o");
    if (!args.Positional().empty() || !out) args.Fail("logo clear takes -o STREAM");
    if (args.failed()) return Fail(args.error());
    return WriteOutput(*out, ClearAllLogosJob().Bytes());
}

}  // namespace

int RunLogo(std::vector<std::string> words) {
    if (words.empty()) return Usage();
    const std::string action = words.front();
    Arguments args(std::vector<std::string>(words.begin() + 1, words.end()));
    if (action == "mono") return Convert(args, true);
    if (action == "gray") return Convert(args, false);
    if (action == "download") return Download(args);
    if (action == "clear") return Clear(args);
    return Usage();
}

}  // namespace zr640::cli
