#include "core/ResampleKernels.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <thread>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#define VPS_RESAMPLE_SSE2 1
#include <tmmintrin.h>
// The builds assume no more than x86-64 (or, on 32-bit, plain x86), so each kernel asks for its
// instructions itself and runs only after the processor confirmed them.
#if defined(__x86_64__)
#define VPS_X86_FUNCTION(features) __attribute__((target(features)))
#else
// Windows keeps a 32-bit stack only 4-byte aligned, and spilled vectors need 16.
#define VPS_X86_FUNCTION(features) __attribute__((target(features), force_align_arg_pointer))
#endif
#define VPS_SSE2_FUNCTION VPS_X86_FUNCTION("sse2")
#define VPS_SSSE3_FUNCTION VPS_X86_FUNCTION("ssse3")
#endif

// Only 64-bit: the 32-bit program keeps to SSSE3 at most.
#if defined(__x86_64__)
#define VPS_RESAMPLE_AVX2 1
#define VPS_AVX2_FUNCTION VPS_X86_FUNCTION("avx2")
#include <immintrin.h>
#endif

namespace vps::resample::detail {

// The kernels read and write pixels as four bytes, blue first.
static_assert(std::endian::native == std::endian::little);

namespace {

// One axis's contributors as dense runs: target i reads count[i] consecutive source pixels from
// first[i], with weights `stride` apart, zero beyond count[i]. Edge clamping repeats an index; its
// weights are merged, which changes no bit because w1*p + w2*p == (w1 + w2)*p.
struct Taps {
    std::vector<std::int32_t> first;
    std::vector<std::int32_t> count;
    std::vector<std::int32_t> weights;
    // The same weights as 16-bit lanes, each repeated for the four channels of a pixel.
    std::vector<std::int16_t> perChannel;
    // Weights 2j and 2j+1 as the low and high byte of one 16-bit value, `stride / 2` per target;
    // the same repeated for the four channels; whether all of a target's pairs suit pmaddubsw
    // (see downSsse3).
    std::vector<std::int16_t> pairedWeights;
    std::vector<std::int16_t> pairedPerChannel;
    std::vector<std::uint8_t> pairsFit;
    std::int32_t stride = 0;
    // With no negative weight, the weights (summing to 256) keep every sum of weight times byte
    // within 0..65280, so 16-bit lanes cannot overflow and no clamp is needed.
    bool nonNegative = true;
};

// The vector loops read up to eight taps at a time.
constexpr std::int32_t kTapGroup = 8;

Taps tapsFor(std::int32_t sourceLength, std::int32_t targetLength) {
    const auto all = contributorsFor(sourceLength, targetLength);
    const std::size_t n = all.size();
    Taps taps;
    taps.first.resize(n);
    taps.count.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        const auto [low, high] = std::minmax_element(
            all[i].begin(), all[i].end(),
            [](const Contributor& a, const Contributor& b) { return a.index < b.index; });
        taps.first[i] = low->index;
        taps.count[i] = high->index - low->index + 1;
        taps.stride = std::max(taps.stride, taps.count[i]);
    }
    taps.stride = (taps.stride + kTapGroup - 1) / kTapGroup * kTapGroup;
    taps.weights.assign(n * taps.stride, 0);
    for (std::size_t i = 0; i < n; ++i) {
        std::int32_t* weights = taps.weights.data() + i * taps.stride;
        for (const auto& [index, weight] : all[i]) weights[index - taps.first[i]] += weight;
    }
    taps.nonNegative = std::all_of(taps.weights.begin(), taps.weights.end(),
                                   [](std::int32_t w) { return w >= 0; });
    if (taps.nonNegative) {
        taps.perChannel.reserve(taps.weights.size() * 4);
        for (std::int32_t weight : taps.weights) {
            taps.perChannel.insert(taps.perChannel.end(), 4, static_cast<std::int16_t>(weight));
        }
        taps.pairsFit.assign(n, 1);
        taps.pairedWeights.resize(taps.weights.size() / 2);
        for (std::size_t j = 0; j < taps.pairedWeights.size(); ++j) {
            const std::int32_t first = taps.weights[2 * j];
            const std::int32_t second = taps.weights[2 * j + 1];
            if (first > 127 || second > 127 || first + second > 128) {
                taps.pairsFit[2 * j / taps.stride] = 0;
            }
            taps.pairedWeights[j] = static_cast<std::int16_t>(first | second << 8);
            taps.pairedPerChannel.insert(taps.pairedPerChannel.end(), 4, taps.pairedWeights[j]);
        }
    }
    return taps;
}

std::uint8_t roundToByte(std::int32_t sum) {
    return static_cast<std::uint8_t>(std::clamp((sum + 128) >> 8, 0, 255));
}

// One shortened row: every byte of the source rows rows[0..count), weighted down the column.
void downPortable(const std::uint8_t* const* rows, const std::int32_t* weights, std::int32_t count,
                  std::size_t bytes, std::vector<std::int32_t>& sums, std::uint8_t* out) {
    sums.assign(bytes, 0);
    for (std::int32_t k = 0; k < count; ++k) {
        const std::uint8_t* row = rows[k];
        const std::int32_t weight = weights[k];
        for (std::size_t b = 0; b < bytes; ++b) sums[b] += weight * row[b];
    }
    for (std::size_t b = 0; b < bytes; ++b) out[b] = roundToByte(sums[b]);
}

void acrossPortable(const std::uint8_t* line, const Taps& taps, std::uint32_t* out) {
    for (std::size_t x = 0; x < taps.first.size(); ++x) {
        const std::uint8_t* pixels = line + static_cast<std::size_t>(taps.first[x]) * 4;
        const std::int32_t* weights = taps.weights.data() + x * taps.stride;
        std::int32_t sums[4] = {};
        for (std::int32_t k = 0; k < taps.count[x]; ++k) {
            for (int channel = 0; channel < 4; ++channel) {
                sums[channel] += weights[k] * pixels[k * 4 + channel];
            }
        }
        std::uint32_t pixel = 0;
        for (int channel = 0; channel < 4; ++channel) {
            pixel |= static_cast<std::uint32_t>(roundToByte(sums[channel])) << (8 * channel);
        }
        out[x] = pixel;
    }
}

#if defined(VPS_RESAMPLE_SSE2)

// Sixteen bytes widened to 16-bit lanes, times the weight, added to the sums of their low and
// high eight; weight times byte and the running sums fit there (see Taps).
VPS_SSE2_FUNCTION inline void addWeighted(__m128i bytes16, __m128i weight, __m128i& low,
                                          __m128i& high) {
    const __m128i zero = _mm_setzero_si128();
    low = _mm_add_epi16(low, _mm_mullo_epi16(_mm_unpacklo_epi8(bytes16, zero), weight));
    high = _mm_add_epi16(high, _mm_mullo_epi16(_mm_unpackhi_epi8(bytes16, zero), weight));
}

// (sum + 128) >> 8 in every 16-bit lane, packed back to bytes.
VPS_SSE2_FUNCTION inline __m128i roundedBytes(__m128i low, __m128i high) {
    const __m128i half = _mm_set1_epi16(128);
    return _mm_packus_epi16(_mm_srli_epi16(_mm_add_epi16(low, half), 8),
                            _mm_srli_epi16(_mm_add_epi16(high, half), 8));
}

VPS_SSE2_FUNCTION void downSse2(const std::uint8_t* const* rows, const std::int32_t* weights,
                                std::int32_t count, std::size_t begin, std::size_t bytes,
                                std::uint8_t* out) {
    std::size_t b = begin;
    // 64 bytes at a time keeps eight sums in registers while all the rows go by.
    for (; b + 64 <= bytes; b += 64) {
        __m128i sums[8];
        for (__m128i& sum : sums) sum = _mm_setzero_si128();
        for (std::int32_t k = 0; k < count; ++k) {
            const __m128i weight = _mm_set1_epi16(static_cast<std::int16_t>(weights[k]));
            const auto* row = reinterpret_cast<const __m128i*>(rows[k] + b);
            for (int part = 0; part < 4; ++part) {
                addWeighted(_mm_loadu_si128(row + part), weight, sums[2 * part],
                            sums[2 * part + 1]);
            }
        }
        for (int part = 0; part < 4; ++part) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + b) + part,
                             roundedBytes(sums[2 * part], sums[2 * part + 1]));
        }
    }
    for (; b + 16 <= bytes; b += 16) {
        __m128i low = _mm_setzero_si128();
        __m128i high = _mm_setzero_si128();
        for (std::int32_t k = 0; k < count; ++k) {
            addWeighted(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + b)),
                        _mm_set1_epi16(static_cast<std::int16_t>(weights[k])), low, high);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + b), roundedBytes(low, high));
    }
    for (; b < bytes; ++b) {
        std::int32_t sum = 0;
        for (std::int32_t k = 0; k < count; ++k) sum += weights[k] * rows[k][b];
        out[b] = roundToByte(sum);
    }
}

// Four taps (four pixels, 16 bytes) per step; taps past count have weight 0 and read the
// padding behind the line.
VPS_SSE2_FUNCTION inline std::uint32_t acrossPixelSse2(const std::uint8_t* pixels,
                                                       const std::int16_t* weights,
                                                       std::int32_t count) {
    const __m128i zero = _mm_setzero_si128();
    __m128i sum = zero;
    for (std::int32_t k = 0; k < count; k += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + 4 * k));
        const auto* twoAndTwo = reinterpret_cast<const __m128i*>(weights + 4 * k);
        sum = _mm_add_epi16(
            sum, _mm_mullo_epi16(_mm_unpacklo_epi8(four, zero), _mm_loadu_si128(twoAndTwo)));
        sum = _mm_add_epi16(
            sum, _mm_mullo_epi16(_mm_unpackhi_epi8(four, zero), _mm_loadu_si128(twoAndTwo + 1)));
    }
    // Even taps summed in the low half, odd taps in the high half.
    sum = _mm_add_epi16(sum, _mm_srli_si128(sum, 8));
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(roundedBytes(sum, sum)));
}

VPS_SSE2_FUNCTION void acrossSse2(const std::uint8_t* line, const Taps& taps, std::uint32_t* out) {
    for (std::size_t x = 0; x < taps.first.size(); ++x) {
        out[x] = acrossPixelSse2(line + static_cast<std::size_t>(taps.first[x]) * 4,
                                 taps.perChannel.data() + x * taps.stride * 4, taps.count[x]);
    }
}

// The bytes of two rows interleaved, each pair times a pair of byte weights, added to the sums of
// the low and high eight pairs.
VPS_SSSE3_FUNCTION inline void addPairWeighted(__m128i upper, __m128i lower, __m128i pair,
                                               __m128i& low, __m128i& high) {
    low = _mm_add_epi16(low, _mm_maddubs_epi16(_mm_unpacklo_epi8(upper, lower), pair));
    high = _mm_add_epi16(high, _mm_maddubs_epi16(_mm_unpackhi_epi8(upper, lower), pair));
}

// Two rows at a time: their bytes interleaved and multiplied by a pair of byte weights with one
// pmaddubsw. That needs weights below 128 and a pair's sum at most 128, so the pair's sum of
// products (at most 255 * 128) cannot saturate the signed 16-bit result; true of every row of
// a reduction by more than about four. Rows whose weights are larger go the SSE2 way.
VPS_SSSE3_FUNCTION void downSsse3(const std::uint8_t* const* rows, const std::int32_t* weights,
                                  const std::int16_t* pairedWeights, bool pairsFit,
                                  std::int32_t count, std::size_t begin, std::size_t bytes,
                                  std::uint8_t* out) {
    std::size_t b = begin;
    if (pairsFit) {
        for (; b + 64 <= bytes; b += 64) {
            __m128i sums[8];
            for (__m128i& sum : sums) sum = _mm_setzero_si128();
            for (std::int32_t k = 0; k < count; k += 2) {
                const __m128i pair = _mm_set1_epi16(pairedWeights[k / 2]);
                const auto* upper = reinterpret_cast<const __m128i*>(rows[k] + b);
                const auto* lower = reinterpret_cast<const __m128i*>(rows[k + 1] + b);
                for (int part = 0; part < 4; ++part) {
                    addPairWeighted(_mm_loadu_si128(upper + part), _mm_loadu_si128(lower + part),
                                    pair, sums[2 * part], sums[2 * part + 1]);
                }
            }
            for (int part = 0; part < 4; ++part) {
                _mm_storeu_si128(reinterpret_cast<__m128i*>(out + b) + part,
                                 roundedBytes(sums[2 * part], sums[2 * part + 1]));
            }
        }
        for (; b + 16 <= bytes; b += 16) {
            __m128i low = _mm_setzero_si128();
            __m128i high = _mm_setzero_si128();
            for (std::int32_t k = 0; k < count; k += 2) {
                addPairWeighted(_mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + b)),
                                _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k + 1] + b)),
                                _mm_set1_epi16(pairedWeights[k / 2]), low, high);
            }
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + b), roundedBytes(low, high));
        }
    }
    downSse2(rows, weights, count, b, bytes, out);
}

// Four taps per step: each pair of neighbouring pixels shuffled channel by channel, then
// multiplied by its pair of byte weights with one pmaddubsw (same limits as downSsse3).
VPS_SSSE3_FUNCTION void acrossSsse3(const std::uint8_t* line, const Taps& taps,
                                    std::uint32_t* out) {
    const __m128i byChannel = _mm_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
    for (std::size_t x = 0; x < taps.first.size(); ++x) {
        const std::uint8_t* pixels = line + static_cast<std::size_t>(taps.first[x]) * 4;
        if (taps.pairsFit[x] == 0) {
            out[x] = acrossPixelSse2(pixels, taps.perChannel.data() + x * taps.stride * 4,
                                     taps.count[x]);
            continue;
        }
        const std::int16_t* pairs = taps.pairedPerChannel.data() + x * taps.stride * 2;
        __m128i sum = _mm_setzero_si128();
        for (std::int32_t k = 0; k < taps.count[x]; k += 4) {
            const __m128i four = _mm_shuffle_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + 4 * k)), byChannel);
            const __m128i weights = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pairs + 2 * k));
            sum = _mm_add_epi16(sum, _mm_maddubs_epi16(four, weights));
        }
        // Two partial sums per channel, one in each 64-bit half.
        sum = _mm_add_epi16(sum, _mm_srli_si128(sum, 8));
        out[x] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(roundedBytes(sum, sum)));
    }
}

bool processorHasSsse3() {
    return __builtin_cpu_supports("ssse3");
}

#if defined(VPS_RESAMPLE_AVX2)

// The bytes of two rows interleaved, each pair times a pair of byte weights, added to the sums;
// unpacking works within each 128-bit half.
VPS_AVX2_FUNCTION inline void addPairWeighted(__m256i upper, __m256i lower, __m256i pair,
                                              __m256i& low, __m256i& high) {
    low = _mm256_add_epi16(low, _mm256_maddubs_epi16(_mm256_unpacklo_epi8(upper, lower), pair));
    high = _mm256_add_epi16(high, _mm256_maddubs_epi16(_mm256_unpackhi_epi8(upper, lower), pair));
}

// (sum + 128) >> 8 in every 16-bit lane, packed back to bytes within each 128-bit half, which
// puts the bytes addPairWeighted took apart back in their order.
VPS_AVX2_FUNCTION inline __m256i roundedBytes(__m256i low, __m256i high) {
    const __m256i half = _mm256_set1_epi16(128);
    return _mm256_packus_epi16(_mm256_srli_epi16(_mm256_add_epi16(low, half), 8),
                               _mm256_srli_epi16(_mm256_add_epi16(high, half), 8));
}

// downSsse3 with twice the width; it does what is left of the row.
VPS_AVX2_FUNCTION void downAvx2(const std::uint8_t* const* rows, const std::int32_t* weights,
                                const std::int16_t* pairedWeights, bool pairsFit,
                                std::int32_t count, std::size_t bytes, std::uint8_t* out) {
    std::size_t b = 0;
    if (pairsFit) {
        for (; b + 64 <= bytes; b += 64) {
            __m256i sums[4];
            for (__m256i& sum : sums) sum = _mm256_setzero_si256();
            for (std::int32_t k = 0; k < count; k += 2) {
                const __m256i pair = _mm256_set1_epi16(pairedWeights[k / 2]);
                const auto* upper = reinterpret_cast<const __m256i*>(rows[k] + b);
                const auto* lower = reinterpret_cast<const __m256i*>(rows[k + 1] + b);
                for (int part = 0; part < 2; ++part) {
                    addPairWeighted(_mm256_loadu_si256(upper + part),
                                    _mm256_loadu_si256(lower + part), pair, sums[2 * part],
                                    sums[2 * part + 1]);
                }
            }
            for (int part = 0; part < 2; ++part) {
                _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + b) + part,
                                    roundedBytes(sums[2 * part], sums[2 * part + 1]));
            }
        }
    }
    downSsse3(rows, weights, pairedWeights, pairsFit, count, b, bytes, out);
}

// acrossSsse3 with eight taps per step.
VPS_AVX2_FUNCTION void acrossAvx2(const std::uint8_t* line, const Taps& taps, std::uint32_t* out) {
    const __m256i byChannel =
        _mm256_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15, 0, 4, 1, 5, 2, 6, 3,
                         7, 8, 12, 9, 13, 10, 14, 11, 15);
    for (std::size_t x = 0; x < taps.first.size(); ++x) {
        const std::uint8_t* pixels = line + static_cast<std::size_t>(taps.first[x]) * 4;
        if (taps.pairsFit[x] == 0) {
            out[x] = acrossPixelSse2(pixels, taps.perChannel.data() + x * taps.stride * 4,
                                     taps.count[x]);
            continue;
        }
        const std::int16_t* pairs = taps.pairedPerChannel.data() + x * taps.stride * 2;
        __m256i sum = _mm256_setzero_si256();
        for (std::int32_t k = 0; k < taps.count[x]; k += 8) {
            const __m256i eight = _mm256_shuffle_epi8(
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pixels + 4 * k)), byChannel);
            const __m256i weights =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pairs + 2 * k));
            sum = _mm256_add_epi16(sum, _mm256_maddubs_epi16(eight, weights));
        }
        // Four partial sums per channel: two in each half, one in each of its 64-bit quarters.
        __m128i total =
            _mm_add_epi16(_mm256_castsi256_si128(sum), _mm256_extracti128_si256(sum, 1));
        total = _mm_add_epi16(total, _mm_srli_si128(total, 8));
        out[x] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(roundedBytes(total, total)));
    }
}

bool processorHasAvx2() {
    return __builtin_cpu_supports("avx2");
}

#endif  // VPS_RESAMPLE_AVX2

bool processorHasSse2() {
#if defined(__SSE2__)
    return true;
#else
    return __builtin_cpu_supports("sse2");
#endif
}

#endif  // VPS_RESAMPLE_SSE2

}  // namespace

const char* nameOf(Kernel kernel) {
    switch (kernel) {
        case Kernel::portable:
            return "portable";
        case Kernel::sse2:
            return "sse2";
        case Kernel::ssse3:
            return "ssse3";
        case Kernel::avx2:
            return "avx2";
    }
    return "?";
}

std::vector<Kernel> kernelsOnThisProcessor() {
    std::vector<Kernel> kernels{Kernel::portable};
#if defined(VPS_RESAMPLE_SSE2)
    if (processorHasSse2()) kernels.push_back(Kernel::sse2);
    if (processorHasSsse3()) kernels.push_back(Kernel::ssse3);
#endif
#if defined(VPS_RESAMPLE_AVX2)
    if (processorHasAvx2()) kernels.push_back(Kernel::avx2);
#endif
    return kernels;
}

Kernel fastestKernel() {
    static const Kernel fastest = kernelsOnThisProcessor().back();
    return fastest;
}

void resampleLinearWith(Kernel kernel, const PixelView& source, std::span<std::uint32_t> target,
                        std::int32_t width, std::int32_t height, std::int32_t bands) {
    if (!prepareTarget(source, target, width, height)) return;
    const Taps down = tapsFor(source.height, height);
    const Taps across = tapsFor(source.width, width);
    if (!down.nonNegative || !across.nonNegative) kernel = Kernel::portable;

    const std::size_t bytes = static_cast<std::size_t>(source.width) * 4;
    const auto* sourceBytes = reinterpret_cast<const std::uint8_t*>(source.pixels);
    // Only the vector kernels ask, and only when the weights are non-negative, so the pairs exist.
    const auto pairedWeights = [&down](std::int32_t y) {
        return down.pairedWeights.data() + static_cast<std::size_t>(y) * down.stride / 2;
    };
    // Each target row is made from its own source rows alone, so rows can be filtered in any
    // order, on any thread, with the same bits.
    const auto filterRows = [&](std::int32_t firstRow, std::int32_t endRow) {
        // One shortened row at a time, so it stays in cache for the pass across; the padding
        // lets the vector loop read whole groups of taps past the last pixel.
        std::vector<std::uint8_t> shortened(bytes + kTapGroup * 4, 0);
        std::vector<std::int32_t> sums;
        std::vector<const std::uint8_t*> rows(static_cast<std::size_t>(down.stride));
        for (std::int32_t y = firstRow; y < endRow; ++y) {
            for (std::int32_t k = 0; k < down.stride; ++k) {
                // Rows past count[y] have weight 0; any real row will do for them.
                const std::int32_t row = down.first[y] + (k < down.count[y] ? k : 0);
                rows[k] = sourceBytes + static_cast<std::ptrdiff_t>(row) * source.stride * 4;
            }
            const std::int32_t* weights =
                down.weights.data() + static_cast<std::size_t>(y) * down.stride;
            std::uint32_t* out = target.data() + static_cast<std::size_t>(y) * width;
            switch (kernel) {
#if defined(VPS_RESAMPLE_SSE2)
                case Kernel::sse2:
                    downSse2(rows.data(), weights, down.count[y], 0, bytes, shortened.data());
                    acrossSse2(shortened.data(), across, out);
                    break;
                case Kernel::ssse3:
                    downSsse3(rows.data(), weights, pairedWeights(y), down.pairsFit[y] != 0,
                              down.count[y], 0, bytes, shortened.data());
                    acrossSsse3(shortened.data(), across, out);
                    break;
#endif
#if defined(VPS_RESAMPLE_AVX2)
                case Kernel::avx2:
                    downAvx2(rows.data(), weights, pairedWeights(y), down.pairsFit[y] != 0,
                             down.count[y], bytes, shortened.data());
                    acrossAvx2(shortened.data(), across, out);
                    break;
#endif
                default:
                    downPortable(rows.data(), weights, down.count[y], bytes, sums, shortened.data());
                    acrossPortable(shortened.data(), across, out);
                    break;
            }
        }
    };

    bands = std::clamp(bands, 1, height);
    const auto bandStart = [&](std::int32_t band) {
        return static_cast<std::int32_t>(static_cast<std::int64_t>(height) * band / bands);
    };
    std::vector<std::thread> helpers;
    helpers.reserve(static_cast<std::size_t>(bands - 1));
    for (std::int32_t band = 1; band < bands; ++band) {
        helpers.emplace_back(filterRows, bandStart(band), bandStart(band + 1));
    }
    filterRows(0, bandStart(1));
    for (auto& helper : helpers) helper.join();
}

}  // namespace vps::resample::detail
