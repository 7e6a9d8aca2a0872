// Times the smooth miniature of a screen-like frame: the reference, every kernel this processor
// can run, and one plain read of the frame, which bounds what any resampler could reach.
//
//   miniature_bench [Google Benchmark options]
//   miniature_bench --write-frame WIDTHxHEIGHT FILE   the same frame as raw BGRA bytes, for peers
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ScreenLikeFrame.h"
#include "core/Resample.h"
#include "core/ResampleKernels.h"

namespace {

using vps::resample::PixelView;
namespace detail = vps::resample::detail;

constexpr std::int32_t kMiniatureWidth = 269;
constexpr std::int32_t kMiniatureHeight = 169;

struct Screen {
    std::int32_t width;
    std::int32_t height;
};
constexpr Screen kScreens[] = {{1920, 1080}, {3840, 2160}};

std::string sizeName(Screen screen) {
    return std::to_string(screen.width) + "x" + std::to_string(screen.height);
}

void setFrameCounters(benchmark::State& state, Screen screen) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * screen.width *
                            screen.height * 4);
}

void readFrame(benchmark::State& state, Screen screen) {
    const auto frame = vps::bench::screenLikeFrame(screen.width, screen.height);
    for (auto _ : state) {
        // Wrapping 32-bit sums vectorise freely, so this runs at the speed of the reads.
        std::uint32_t sum = 0;
        for (std::uint32_t word : frame) sum += word;
        benchmark::DoNotOptimize(sum);
    }
    setFrameCounters(state, screen);
}

template <typename Resample>
void miniature(benchmark::State& state, Screen screen, Resample resample) {
    const auto frame = vps::bench::screenLikeFrame(screen.width, screen.height);
    const PixelView source{frame.data(), screen.width, screen.height, screen.width};
    std::vector<std::uint32_t> target(static_cast<std::size_t>(kMiniatureWidth) * kMiniatureHeight);
    for (auto _ : state) {
        resample(source, target);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    setFrameCounters(state, screen);
}

int writeFrame(const char* size, const char* path) {
    Screen screen{};
    if (std::sscanf(size, "%dx%d", &screen.width, &screen.height) != 2 || screen.width <= 0 ||
        screen.height <= 0) {
        std::fprintf(stderr, "--write-frame: size must be WIDTHxHEIGHT, not '%s'\n", size);
        return 64;
    }
    const auto frame = vps::bench::screenLikeFrame(screen.width, screen.height);
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        std::perror(path);
        return 1;
    }
    const bool written = std::fwrite(frame.data(), 4, frame.size(), file) == frame.size();
    if (std::fclose(file) != 0 || !written) {
        std::perror(path);
        return 1;
    }
    return 0;
}

void registerAll() {
    for (const Screen screen : kScreens) {
        const std::string size = sizeName(screen);
        benchmark::RegisterBenchmark(("read_frame/" + size).c_str(), readFrame, screen);
        benchmark::RegisterBenchmark(("reference/" + size).c_str(), [screen](
                                                                        benchmark::State& state) {
            miniature(state, screen, [](const PixelView& source, std::span<std::uint32_t> target) {
                detail::resampleLinearReference(source, target, kMiniatureWidth, kMiniatureHeight);
            });
        });
        for (const detail::Kernel kernel : detail::kernelsOnThisProcessor()) {
            const std::string name = std::string("kernel_") + detail::nameOf(kernel) + "/" + size;
            benchmark::RegisterBenchmark(name.c_str(), [screen, kernel](benchmark::State& state) {
                miniature(state, screen,
                          [kernel](const PixelView& source, std::span<std::uint32_t> target) {
                              detail::resampleLinearWith(kernel, source, target, kMiniatureWidth,
                                                         kMiniatureHeight);
                          });
            });
        }
        // What the program calls: the fastest kernel, chosen once.
        benchmark::RegisterBenchmark(
            ("resampleLinear/" + size).c_str(), [screen](benchmark::State& state) {
                miniature(state, screen,
                          [](const PixelView& source, std::span<std::uint32_t> target) {
                              vps::resample::resampleLinear(source, target, kMiniatureWidth,
                                                            kMiniatureHeight);
                          });
            });
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--write-frame") == 0) {
        if (argc != 4) {
            std::fprintf(stderr, "usage: %s --write-frame WIDTHxHEIGHT FILE\n", argv[0]);
            return 64;
        }
        return writeFrame(argv[2], argv[3]);
    }
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 64;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
