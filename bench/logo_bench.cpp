// Logo conversions on the largest logo the Download page takes, 1024 x 768, as a 24-bit
// picture and its 8-bit copy: from the file's bytes in memory (header read) to the
// converted file's bytes. Goals for the 24-bit picture: the mean threshold, both ordered
// dithers and gray within 1 ms each, error diffusion within 2 ms.
//
//   logo_bench                           run the benchmarks
//   logo_bench --write-picture=FILE      write the 24-bit picture (for logo_vs_netpbm.sh)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "core/imaging/bmp.h"
#include "core/imaging/gray.h"
#include "core/imaging/halftone.h"

namespace {

constexpr int32_t kWidth = 1024;
constexpr int32_t kHeight = 768;

// Smooth gradients in each channel, a few hard edges and some noise: neither flat nor
// random, so neither the branches of error diffusion nor the caches are flattered.
uint8_t Channel(int x, int y, int c, uint32_t& noise) {
    noise = noise * 1664525u + 1013904223u;
    const int base = c == 0 ? x / 4 : c == 1 ? y / 3 : (x + y) / 7;
    const int edge = ((x / 128 + y / 96) % 2) * 40;
    return static_cast<uint8_t>((base + edge + static_cast<int>(noise >> 28)) & 255);
}

std::vector<uint8_t> Picture24() {
    std::vector<uint8_t> file = zr640::NewBitmapFile(kWidth, kHeight, 24, {});
    uint8_t* pixels = file.data() + zr640::BitmapPixelOffset(0);
    uint32_t noise = 12345;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            for (int c = 0; c < 3; ++c) *pixels++ = Channel(x, y, c, noise);
        }
    }
    return file;
}

// The 8-bit copy: each pixel's plain channel average, with a gray palette.
std::vector<uint8_t> Picture8(const std::vector<uint8_t>& colour) {
    std::vector<zr640::PaletteEntry> palette;
    for (int i = 0; i < 256; ++i) palette.push_back({uint8_t(i), uint8_t(i), uint8_t(i)});
    std::vector<uint8_t> file = zr640::NewBitmapFile(kWidth, kHeight, 8, palette);
    const uint8_t* in = colour.data() + zr640::BitmapPixelOffset(0);
    uint8_t* out = file.data() + zr640::BitmapPixelOffset(256);
    for (size_t i = 0; i < size_t{kWidth} * kHeight; ++i, in += 3) {
        out[i] = static_cast<uint8_t>((in[0] + in[1] + in[2]) / 3);
    }
    return file;
}

const std::vector<uint8_t>& Picture(int bits) {
    static const std::vector<uint8_t> colour = Picture24();
    static const std::vector<uint8_t> gray = Picture8(colour);
    return bits == 24 ? colour : gray;
}

void Mono(benchmark::State& state) {
    const auto& file = Picture(static_cast<int>(state.range(0)));
    const auto halftone = static_cast<zr640::Halftone>(state.range(1));
    for (auto _ : state) {
        const auto view = zr640::ParseBitmap(file, zr640::kLogoLimits);
        auto mono = zr640::ConvertToMonoBitmap(*view, halftone, 20, -10);
        benchmark::DoNotOptimize(mono);
    }
}

void Gray(benchmark::State& state) {
    const auto& file = Picture(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        const auto view = zr640::ParseBitmap(file, zr640::kLogoLimits);
        auto gray = zr640::ConvertToGrayBitmap(*view, 20, -10);
        benchmark::DoNotOptimize(gray);
    }
}

BENCHMARK(Mono)
    ->ArgNames({"bits", "halftone"})
    ->ArgsProduct({{24, 8}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Gray)->ArgNames({"bits"})->Arg(24)->Arg(8)->Unit(benchmark::kMillisecond);

int WritePicture(const char* path) {
    const auto& file = Picture(24);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    if (!out) {
        std::fprintf(stderr, "logo_bench: cannot write %s\n", path);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    constexpr const char kWrite[] = "--write-picture=";
    if (argc == 2 && std::strncmp(argv[1], kWrite, sizeof kWrite - 1) == 0) {
        return WritePicture(argv[1] + sizeof kWrite - 1);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
