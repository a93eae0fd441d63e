#include "tools/zr640/command_line.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string_view>

#include "core/common/file_io.h"
#include "core/emulator/png_file.h"

namespace zr640::cli {

std::optional<std::string> Arguments::Option(const std::string& name,
                                             const std::string& shortName) {
    for (size_t i = 0; i < words_.size(); ++i) {
        if (words_[i] != name && (shortName.empty() || words_[i] != shortName)) continue;
        if (i + 1 >= words_.size()) {
            Fail(name + " needs a value");
            return std::nullopt;
        }
        std::string value = words_[i + 1];
        words_.erase(words_.begin() + static_cast<long>(i),
                     words_.begin() + static_cast<long>(i) + 2);
        return value;
    }
    return std::nullopt;
}

bool Arguments::Flag(const std::string& name) {
    for (size_t i = 0; i < words_.size(); ++i) {
        if (words_[i] == name) {
            words_.erase(words_.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

std::vector<std::string> Arguments::Positional() {
    for (const auto& word : words_) {
        if (word.size() > 1 && word[0] == '-') Fail("unknown option " + word);
    }
    return words_;
}

std::optional<long> Arguments::Number(const std::string& name, const std::string& text, long low,
                                      long high) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        Fail(name + " takes a whole number from " + std::to_string(low) + " to " +
             std::to_string(high));
        return std::nullopt;
    }
    return value;
}

namespace {

int Report(const std::string& message, int status) {
    std::fprintf(stderr, "zr640: %s\n", message.c_str());
    return status;
}

}  // namespace

int Fail(const std::string& message) { return Report(message, 1); }

int UsageError(const std::string& message) { return Report(message, 2); }

namespace {

// The system's words for the last error, when it left any.
std::string LastErrorText() {
    return errno != 0 ? std::string(": ") + std::strerror(errno) : std::string();
}

}  // namespace

int WriteOutput(const std::string& out, std::span<const uint8_t> bytes,
                std::span<const std::string> inputs, Durability durability) {
    if (out == kStandardOutput) {
        errno = 0;
        const auto written = WriteToStream(stdout, bytes, "standard output");
        return written ? 0 : Fail(written.error() + LastErrorText());
    }
    const std::vector<std::filesystem::path> paths(inputs.begin(), inputs.end());
    const auto written = WriteFileAtomically(out, bytes, paths, durability);
    return written ? 0 : Fail(written.error());
}

bool WantsPng(const std::string& out) {
    constexpr std::string_view kPng = ".png";
    if (out.size() <= kPng.size()) return false;
    const std::string_view end = std::string_view(out).substr(out.size() - kPng.size());
    return std::equal(end.begin(), end.end(), kPng.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

int WritePicture(const std::string& out, std::span<const uint8_t> bitmap,
                 std::span<const std::string> inputs, Durability durability) {
    if (!WantsPng(out)) return WriteOutput(out, bitmap, inputs, durability);
    const auto png = emulator::BitmapToPng(bitmap);
    if (!png) return Fail(png.error());
    return WriteOutput(out, *png, inputs, durability);
}

int FinishStandardOutput() {
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        return Fail("cannot write standard output" + LastErrorText());
    }
    return 0;
}

int Usage() {
    std::fputs(
        "usage:\n"
        "  zr640 devmode default [-o FILE|-] [--system-drive C:\\]\n"
        "  zr640 devmode convert IN -o OUT [--merge] [--system-drive C:\\]\n"
        "  zr640 devmode show FILE\n"
        "  zr640 devmode set FILE NAME=VALUE...\n"
        "  zr640 barcode check --type N [--2d] (DATA | --data-hex HEX)\n"
        "  zr640 barcode testprint [--2d] --font K [--record FILE] (DATA | --data-hex HEX)\n"
        "                 -o OUT\n"
        "  zr640 barcode height --dots H --hri P --hri-font F\n"
        "  zr640 render-log IN.prn [-o OUT.bmp|OUT.png|-] [--bytes-per-row 80 --width 640]\n"
        "  zr640 logo mono IN.bmp [--halftone none|m3|m4|diffuse] [--contrast C] [--brightness V]\n"
        "                 [-o OUT.bmp|-]\n"
        "  zr640 logo gray IN.bmp [--contrast C] [--brightness V] [-o OUT.bmp|-]\n"
        "  zr640 logo download --format mono|gray [--halftone ...] [--contrast C] [--brightness "
        "V]\n"
        "                 IN.bmp... -o STREAM.bin|-\n"
        "  zr640 logo clear -o STREAM.bin|-\n"
        "  zr640 hex parse [--count] TEXT\n"
        "  zr640 watermark convert IN.bmp -o OUT.bmp\n"
        "  zr640 watermark layout --frame WxH --picture WxH --position P --size C\n"
        "  zr640 selftest -o STREAM.bin\n"
        "  zr640 control-font show FILE\n"
        "  zr640 control-font set FILE CODE \"HEX TEXT\"\n"
        "  zr640 control-font clear FILE CODE\n"
        "  zr640 emulate STREAM... [--nv STORE] [--width DOTS] -o PAPER.png [--events FILE|-]\n"
        "'-' where listed is standard output; files are replaced whole or not at all;\n"
        "a picture whose name ends in .png is written as PNG\n",
        stderr);
    return 2;
}

}  // namespace zr640::cli
