// Print-file rendering speed on two 20 MB logs: receipts of raster lines (the usual driver
// output) and receipts of full-width 24-dot bit-image bands.
//
//   render_log_bench                       Google Benchmark: parsing, and rendering to memory
//   render_log_bench --write-samples DIR   writes raster.prn and bands.prn for
//                                          render_log_vs_cp.sh
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "core/driverlog/print_file_render.h"

namespace {

constexpr size_t kSampleBytes = 20 * 1000 * 1000;
constexpr zr640::LineGeometry kGeometry{80, 640};

void Append(std::vector<uint8_t>& out, std::initializer_list<uint8_t> bytes) {
    out.insert(out.end(), bytes);
}

void AppendRandom(std::vector<uint8_t>& out, size_t count, std::mt19937& random) {
    for (size_t i = 0; i < count; ++i) out.push_back(static_cast<uint8_t>(random()));
}

// Receipts of 500 raster lines of 80 bytes, each line followed by a one-row feed, the last
// one by the receipt's end.
std::vector<uint8_t> RasterLog() {
    std::mt19937 random(1);
    std::vector<uint8_t> out{0x1B, 0x40};
    for (size_t line = 0; out.size() < kSampleBytes; ++line) {
        Append(out, {0x16, 80});
        AppendRandom(out, 80, random);
        if (line % 500 == 499) {
            Append(out, {0x15, 0x01, 0x1D, 0x44, 0x00});
        } else {
            Append(out, {0x15, 0x01});
        }
    }
    Append(out, {0x1B, 0x33, 0x00, 0x0A, 0x1D, 0x56, 0x01});
    return out;
}

// Receipts of 40 bands of 640 columns, each followed by a 24-row line feed.
std::vector<uint8_t> BandLog() {
    std::mt19937 random(2);
    std::vector<uint8_t> out{0x1B, 0x40};
    for (size_t band = 0; out.size() < kSampleBytes; ++band) {
        Append(out, {0x1B, 0x24, 0x00, 0x00, 0x1B, 0x2A, 0x21, 0x80, 0x02});
        AppendRandom(out, 3 * 640, random);
        Append(out, {0x1B, 0x33, 24, 0x0A});
        if (band % 40 == 39) Append(out, {0x1B, 0x33, 0x00, 0x0A, 0x1D, 0x56, 0x01});
    }
    Append(out, {0x1B, 0x33, 0x00, 0x0A, 0x1D, 0x56, 0x01});
    return out;
}

const std::vector<uint8_t>& Sample(int which) {
    static const std::vector<uint8_t> raster = RasterLog();
    static const std::vector<uint8_t> bands = BandLog();
    return which == 0 ? raster : bands;
}

const char* Label(int which) { return which == 0 ? "raster lines" : "bit-image bands"; }

// The scan alone: height and page ends, nothing drawn.
void BM_Parse(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const auto& file = Sample(which);
    for (auto _ : state) {
        auto picture = zr640::ScanPrintFile(file, kGeometry);
        if (!picture) state.SkipWithError(picture.error().c_str());
        benchmark::DoNotOptimize(picture);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.size()));
    state.SetLabel(Label(which));
}
BENCHMARK(BM_Parse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Everything but the file: both scans, drawing, and the bitmap handed to a sink that keeps
// nothing.
class DiscardingSink : public zr640::BitmapSink {
public:
    bool WriteAt(uint64_t, std::span<const uint8_t> bytes) override {
        benchmark::DoNotOptimize(bytes.data());
        return true;
    }
};

void BM_Render(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const auto& file = Sample(which);
    DiscardingSink sink;
    for (auto _ : state) {
        auto picture = zr640::RenderPrintFile(file, kGeometry, sink);
        if (!picture) state.SkipWithError(picture.error().c_str());
        benchmark::DoNotOptimize(picture);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.size()));
    state.SetLabel(Label(which));
}
BENCHMARK(BM_Render)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

bool WriteSamples(const std::string& folder) {
    for (const auto& [name, which] : {std::pair{"raster.prn", 0}, {"bands.prn", 1}}) {
        const auto& bytes = Sample(which);
        std::ofstream out(folder + "/" + name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--write-samples") == 0) {
        if (WriteSamples(argv[2])) return 0;
        std::fprintf(stderr, "cannot write the samples to %s\n", argv[2]);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
