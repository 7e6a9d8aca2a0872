#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/Resample.h"

// The ways resampleLinear can do its work. The miniature must not depend on the processor it
// was made on, so every kernel gives exactly the bits of the reference; the tests compare them
// and the benchmark times them by name.
namespace vps::resample::detail {

// Returns false when there is nothing to filter; an empty source blanks the whole target first.
bool prepareTarget(const PixelView& source, std::span<std::uint32_t> target, std::int32_t width,
                   std::int32_t height);

// The rule written out one pixel at a time: down the columns first, each intermediate channel
// rounded to a byte, then across the shortened rows. Slow, and plainly right.
void resampleLinearReference(const PixelView& source, std::span<std::uint32_t> target,
                             std::int32_t width, std::int32_t height);

enum class Kernel {
    portable,  // plain C++, any processor
    sse2,      // x86 with SSE2: every x86-64, and a run-time check on 32-bit x86
    ssse3,     // x86 whose processor reports SSSE3, 64-bit and 32-bit alike
    avx2,      // x86-64 whose processor reports AVX2
};

const char* nameOf(Kernel kernel);

// The kernels this processor can run, the portable one first and the fastest last.
std::vector<Kernel> kernelsOnThisProcessor();

Kernel fastestKernel();

// Kernels other than the portable one work in 16-bit lanes, which is exact only while every
// weight is non-negative; for any other weights they hand the work to the portable kernel.
// The target's rows are split into `bands` runs of rows filtered side by side, each but the
// first on a thread of its own that ends before the call returns; the bits are the same for
// any number of bands.
void resampleLinearWith(Kernel kernel, const PixelView& source, std::span<std::uint32_t> target,
                        std::int32_t width, std::int32_t height, std::int32_t bands = 1);

}  // namespace vps::resample::detail
