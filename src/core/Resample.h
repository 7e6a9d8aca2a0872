#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The smooth miniature: linear (tent) resampling of 32-bit pixels, separable, the same rule
// along each axis. Reducing widens the tent to the reduction factor, so every screen pixel counts
// and thin lines or text blur into the miniature instead of flickering in and out.
namespace vps::resample {

// One target pixel's sources along an axis: indices into the source line and integer weights
// out of 256 that add up to exactly 256.
struct Contributor {
    std::int32_t index;
    std::int32_t weight;
};
using Contributors = std::vector<Contributor>;

// The contributors of every target pixel when a line of sourceLength pixels becomes one of
// targetLength pixels. Source indices outside the line read the edge pixel.
std::vector<Contributors> contributorsFor(std::int32_t sourceLength, std::int32_t targetLength);

// A picture of 32-bit pixels (blue, green, red, alpha bytes), rows top-down, `stride` pixels
// apart.
struct PixelView {
    const std::uint32_t* pixels;
    std::int32_t width;
    std::int32_t height;
    std::int32_t stride;
};

// How many runs of rows resampleLinear filters side by side for this source on a machine with
// this many processors (0: unknown): one for small pictures, at most four.
std::int32_t bandsFor(const PixelView& source, unsigned processors);

// Resamples the whole source onto the whole target (width x height, tightly packed), with the
// fastest kernel this processor can run, on up to bandsFor(...) threads that end before it
// returns; every kernel and every number of bands gives the same bits (ResampleKernels.h).
void resampleLinear(const PixelView& source, std::span<std::uint32_t> target, std::int32_t width,
                    std::int32_t height);

}  // namespace vps::resample
