#include "core/Resample.h"

#include <algorithm>
#include <cmath>
#include <thread>

#include "core/ResampleKernels.h"

namespace vps::resample {

std::vector<Contributors> contributorsFor(std::int32_t sourceLength, std::int32_t targetLength) {
    std::vector<Contributors> all(static_cast<std::size_t>(std::max(targetLength, 0)));
    if (sourceLength <= 0 || targetLength <= 0) return all;
    const double scale = static_cast<double>(targetLength) / sourceLength;
    // Reducing: the tent spans 1/scale source pixels on each side, its height scaled down so the
    // weights still sum to one. Enlarging: plain linear interpolation between two neighbours.
    const double support = scale < 1 ? 1 / scale : 1;
    const double slope = scale < 1 ? scale : 1;
    const double height = scale < 1 ? scale : 1;

    for (std::int32_t i = 0; i < targetLength; ++i) {
        const double centre = (i + 0.5) / scale - 0.5;
        const auto first = static_cast<std::int32_t>(std::floor(centre - support));
        const auto last = static_cast<std::int32_t>(std::ceil(centre + support));
        Contributors& list = all[static_cast<std::size_t>(i)];
        std::int32_t total = 0;
        for (std::int32_t j = first; j <= last; ++j) {
            const double distance = std::abs(centre - j);
            if (distance >= support) continue;
            const auto weight =
                static_cast<std::int32_t>(std::lround(256 * height * (1 - slope * distance)));
            list.push_back({std::clamp(j, 0, sourceLength - 1), weight});
            total += weight;
        }
        // Rounding leaves the sum a little off 256; the middle contributor takes the difference,
        // so a plain colour stays exactly that colour.
        list[list.size() / 2].weight += 256 - total;
    }
    return all;
}

namespace {

std::uint32_t blend(const Contributors& sources, const std::uint32_t* line, std::ptrdiff_t step) {
    std::int32_t sums[4] = {};
    for (const auto& [index, weight] : sources) {
        const std::uint32_t pixel = line[index * step];
        for (int channel = 0; channel < 4; ++channel) {
            sums[channel] += weight * static_cast<std::int32_t>((pixel >> (8 * channel)) & 0xFF);
        }
    }
    std::uint32_t result = 0;
    for (int channel = 0; channel < 4; ++channel) {
        // Weights may be negative at the edges of rounding; keep each channel a byte.
        const std::int32_t value = std::clamp((sums[channel] + 128) >> 8, 0, 255);
        result |= static_cast<std::uint32_t>(value) << (8 * channel);
    }
    return result;
}

}  // namespace

namespace detail {

bool prepareTarget(const PixelView& source, std::span<std::uint32_t> target, std::int32_t width,
                   std::int32_t height) {
    if (width <= 0 || height <= 0 || target.size() < static_cast<std::size_t>(width) * height) {
        return false;
    }
    if (source.width <= 0 || source.height <= 0) {
        std::fill(target.begin(), target.end(), 0u);
        return false;
    }
    return true;
}

void resampleLinearReference(const PixelView& source, std::span<std::uint32_t> target,
                             std::int32_t width, std::int32_t height) {
    if (!prepareTarget(source, target, width, height)) return;
    const auto down = contributorsFor(source.height, height);
    const auto across = contributorsFor(source.width, width);
    std::vector<std::uint32_t> shortened(static_cast<std::size_t>(source.width) * height);
    for (std::int32_t y = 0; y < height; ++y) {
        for (std::int32_t x = 0; x < source.width; ++x) {
            shortened[static_cast<std::size_t>(y) * source.width + x] =
                blend(down[y], source.pixels + x, source.stride);
        }
    }
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint32_t* line =
            shortened.data() + static_cast<std::ptrdiff_t>(y) * source.width;
        for (std::int32_t x = 0; x < width; ++x) {
            target[static_cast<std::size_t>(y) * width + x] = blend(across[x], line, 1);
        }
    }
}

}  // namespace detail

std::int32_t bandsFor(const PixelView& source, unsigned processors) {
    // Below about a quarter of a 1080p screen a thread's start costs more than its half saves;
    // beyond four, memory is what the filter waits for.
    constexpr std::int64_t kPixelsWorthAThread = 512 * 1024;
    const std::int64_t pixels = static_cast<std::int64_t>(std::max(source.width, 0)) * std::max(source.height, 0);
    const std::int64_t worthwhile = std::max<std::int64_t>(pixels / kPixelsWorthAThread, 1);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::min<std::int64_t>(processors, worthwhile), 1, 4));
}

void resampleLinear(const PixelView& source, std::span<std::uint32_t> target, std::int32_t width,
                    std::int32_t height) {
    detail::resampleLinearWith(detail::fastestKernel(), source, target, width, height,
                               bandsFor(source, std::thread::hardware_concurrency()));
}

}  // namespace vps::resample
