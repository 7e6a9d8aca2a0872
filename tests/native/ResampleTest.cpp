#include <gtest/gtest.h>

#include <random>

#include "core/Resample.h"
#include "core/ResampleKernels.h"

namespace vps::resample {
namespace {

TEST(Resample, WeightsAlwaysSumTo256AndIndicesStayInTheLine) {
    for (std::int32_t source : {1, 2, 3, 7, 269, 1024, 1366, 1920}) {
        for (std::int32_t target : {1, 2, 5, 169, 269, 700, 2048}) {
            const auto all = contributorsFor(source, target);
            ASSERT_EQ(all.size(), static_cast<std::size_t>(target));
            for (const auto& list : all) {
                std::int32_t sum = 0;
                for (const auto& c : list) {
                    ASSERT_GE(c.index, 0);
                    ASSERT_LT(c.index, source);
                    sum += c.weight;
                }
                ASSERT_EQ(sum, 256) << source << " -> " << target;
            }
        }
    }
}

TEST(Resample, ReductionAveragesAboutTwoReductionFactorsOfPixels) {
    // 1024 -> 269: s is about 0.263, so each tent spans about 7.6 source pixels.
    const auto all = contributorsFor(1024, 269);
    const auto& middle = all[134];
    EXPECT_GE(middle.size(), 7u);
    EXPECT_LE(middle.size(), 8u);
}

TEST(Resample, SameSizeIsAnExactCopyAndEnlargingInterpolates) {
    const auto same = contributorsFor(5, 5);
    for (std::int32_t i = 0; i < 5; ++i) {
        ASSERT_EQ(same[i].size(), 1u);
        EXPECT_EQ(same[i][0].index, i);
        EXPECT_EQ(same[i][0].weight, 256);
    }
    // 2 -> 4: target centres at source -0.25, 0.25, 0.75, 1.25.
    const auto twice = contributorsFor(2, 4);
    EXPECT_EQ(twice[1].size(), 2u);
    EXPECT_EQ(twice[1][0].weight, 192);  // three quarters of pixel 0
    EXPECT_EQ(twice[1][1].weight, 64);
}

TEST(Resample, APlainColourStaysExactlyThatColour) {
    std::vector<std::uint32_t> source(1024 * 768, 0xFF336699u);
    std::vector<std::uint32_t> target(269 * 169);
    resampleLinear({source.data(), 1024, 768, 1024}, target, 269, 169);
    for (std::uint32_t pixel : target) ASSERT_EQ(pixel, 0xFF336699u);
}

TEST(Resample, AThinLineBlursIntoTheMiniatureInsteadOfVanishing) {
    // A one-pixel white column on black, reduced four times: point sampling could drop it.
    for (std::int32_t column = 0; column < 8; ++column) {
        std::vector<std::uint32_t> source(32 * 4, 0xFF000000u);
        for (std::int32_t y = 0; y < 4; ++y) source[y * 32 + column] = 0xFFFFFFFFu;
        std::vector<std::uint32_t> target(8 * 1);
        resampleLinear({source.data(), 32, 4, 32}, target, 8, 1);
        const auto brightest = *std::max_element(target.begin(), target.end());
        EXPECT_GT(brightest & 0xFF, 20u) << "column " << column;
        EXPECT_LT(brightest & 0xFF, 255u) << "column " << column;
    }
}

TEST(Resample, AnEmptySourceGivesABlankMiniature) {
    std::vector<std::uint32_t> target(4, 0x12345678u);
    resampleLinear({nullptr, 0, 0, 0}, target, 2, 2);
    for (std::uint32_t pixel : target) EXPECT_EQ(pixel, 0u);
}

TEST(Resample, OnlyLargePicturesAreSplitAndNeverIntoMoreThanFourBands) {
    struct Case {
        std::int32_t width, height;
        unsigned processors;
        std::int32_t bands;
    };
    const Case cases[] = {
        {1920, 1080, 2, 2}, {1920, 1080, 1, 1}, {1920, 1080, 0, 1},  // 0: the count is unknown
        {1920, 1080, 16, 3}, {3840, 2160, 16, 4}, {1024, 768, 8, 1},  {0, 0, 8, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bandsFor({nullptr, c.width, c.height, c.width}, c.processors), c.bands)
            << c.width << "x" << c.height << " on " << c.processors << " processors";
    }
}

TEST(Resample, EveryKernelAndEveryNumberOfBandsGivesTheReferenceBitsExactly) {
    struct Case {
        std::int32_t sourceWidth, sourceHeight, stride, width, height;
    };
    const Case cases[] = {
        {1920, 1080, 1920, 269, 169},  // the miniature of common screens
        {3840, 2160, 3840, 269, 169},
        {1023, 767, 1023, 269, 169},  // odd sizes: rows end in a partial vector
        {37, 23, 37, 11, 7},
        {1280, 1024, 1300, 269, 169},  // rows further apart than they are wide
        {1, 600, 1, 1, 169},           // one-pixel-wide and one-pixel-high sources and targets
        {800, 1, 800, 269, 1},
        {1366, 768, 1366, 1, 1},
        {1366, 768, 1366, 269, 1},
        {97, 61, 101, 269, 169},  // enlarging
        {3, 2, 3, 7, 5},
        {300, 100, 300, 600, 50},   // enlarging across while reducing down
        {269, 169, 269, 269, 169},  // same size
    };
    std::mt19937 random(20240611);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sourceWidth << "x" << c.sourceHeight << " (stride "
                                        << c.stride << ") -> " << c.width << "x" << c.height);
        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(c.stride) * c.sourceHeight);
        for (auto& pixel : pixels) pixel = static_cast<std::uint32_t>(random());
        const PixelView source{pixels.data(), c.sourceWidth, c.sourceHeight, c.stride};
        const std::size_t area = static_cast<std::size_t>(c.width) * c.height;

        std::vector<std::uint32_t> expected(area);
        detail::resampleLinearReference(source, expected, c.width, c.height);
        std::vector<std::uint32_t> actual(area);
        resampleLinear(source, actual, c.width, c.height);
        ASSERT_EQ(actual, expected) << "resampleLinear";
        for (const detail::Kernel kernel : detail::kernelsOnThisProcessor()) {
            std::fill(actual.begin(), actual.end(), 0u);
            detail::resampleLinearWith(kernel, source, actual, c.width, c.height);
            ASSERT_EQ(actual, expected) << detail::nameOf(kernel);
        }
        // Runs of rows filtered side by side, including more runs than there are rows.
        for (const std::int32_t bands : {2, 3, 4, c.height + 1}) {
            std::fill(actual.begin(), actual.end(), 0u);
            detail::resampleLinearWith(detail::fastestKernel(), source, actual, c.width, c.height, bands);
            ASSERT_EQ(actual, expected) << bands << " bands";
        }
    }
}

}  // namespace
}  // namespace vps::resample
