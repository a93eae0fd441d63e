// The Water Mark preview's repaint: the brightness step over a full image cache (10,485,760
// bytes, copied from the cache into the picture with the brightness added) against a plain
// memcpy of the same bytes, in the same run. Goal: at most 1.5 times the memcpy.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/watermark/image_cache.h"

namespace {

constexpr int kBrightness = 50;  // the record's default

struct Buffers {
    std::vector<uint8_t> cache;
    std::vector<uint8_t> picture;
    Buffers() : cache(zr640::kImageCacheBytes), picture(zr640::kImageCacheBytes, 1) {
        uint32_t noise = 12345;
        for (auto& byte : cache) {
            noise = noise * 1664525u + 1013904223u;
            byte = static_cast<uint8_t>(noise >> 24);
        }
    }
};

Buffers& Shared() {
    static Buffers buffers;
    return buffers;
}

void SetBytes(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(zr640::kImageCacheBytes));
}

void Memcpy(benchmark::State& state) {
    Buffers& b = Shared();
    for (auto _ : state) {
        std::memcpy(b.picture.data(), b.cache.data(), b.cache.size());
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

void Brightness(benchmark::State& state) {
    Buffers& b = Shared();
    for (auto _ : state) {
        zr640::BrightenPixels(b.cache, b.picture, kBrightness);
        benchmark::ClobberMemory();
    }
    SetBytes(state);
}

BENCHMARK(Memcpy)->Unit(benchmark::kMicrosecond);
BENCHMARK(Brightness)->Unit(benchmark::kMicrosecond);

struct Times {
    double real = 0;
    double cpu = 0;
};

// Keeps each benchmark's times per iteration so the ratio can be printed after the table;
// with repetitions, their median.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if ((single || median) && run.error_message.empty()) {
                times_[run.run_name.function_name] = {run.GetAdjustedRealTime(),
                                                      run.GetAdjustedCPUTime()};
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto memcpyTime = reporter.times_.find("Memcpy");
    const auto brightnessTime = reporter.times_.find("Brightness");
    if (memcpyTime == reporter.times_.end() || brightnessTime == reporter.times_.end()) return 0;
    const Times& copy = memcpyTime->second;
    const Times& step = brightnessTime->second;
    std::printf("over %zu bytes: memcpy %.1f us, brightness %.1f us: ratio %.2f (goal <= 1.5)\n",
                zr640::kImageCacheBytes, copy.real, step.real, step.real / copy.real);
    std::printf("cpu time: memcpy %.1f us, brightness %.1f us: ratio %.2f\n", copy.cpu, step.cpu,
                step.cpu / copy.cpu);
    return 0;
}
