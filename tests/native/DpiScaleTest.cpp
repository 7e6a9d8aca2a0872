#include <gtest/gtest.h>

#include "core/DpiScale.h"

namespace vps::dpi {
namespace {

TEST(DpiScale, RoundsHalfAwayFromZeroLikeMulDiv) {
    struct Case {
        std::int32_t design;
        std::int32_t dpi;
        std::int32_t expected;
    } cases[] = {
        {75, 120, 94},  {75, 144, 113},  {75, 192, 150},  {321, 144, 482}, {407, 144, 611},
        {5, 144, 8},    {-5, 144, -8},   {1, 144, 2},     {1, 120, 1},     {-1, 120, -1},
        {11, 144, 17},  {13, 192, 26},   {0, 192, 0},     {14, 168, 25},   {2, 240, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.design << " at " << c.dpi);
        EXPECT_EQ(scale(c.design, c.dpi), c.expected);
    }
}

TEST(DpiScale, DesignDpiLeavesEveryValueAsDesigned) {
    for (std::int32_t v = -2000; v <= 2000; ++v) ASSERT_EQ(scale(v, kDesignDpi), v);
    const layout::Box box{8, 2, 305, 223};
    EXPECT_EQ(scale(box, kDesignDpi), box);
}

TEST(DpiScale, BoxesThatTouchInTheDesignStillTouch) {
    // OK at 35..110 and Close at 110..185 in a row; at 125 % both widths are odd halves.
    const layout::Box ok{35, 153, 75, 25};
    const layout::Box close{110, 153, 75, 25};
    for (std::int32_t dpi : {120, 144, 168, 192, 240}) {
        SCOPED_TRACE(dpi);
        const layout::Box a = scale(ok, dpi);
        const layout::Box b = scale(close, dpi);
        EXPECT_EQ(a.left + a.width, b.left);
        EXPECT_LE(std::abs(a.width - scale(75, dpi)), 1);
        EXPECT_EQ(a.top, b.top);
        EXPECT_EQ(a.height, b.height);
    }
}

TEST(DpiScale, MovingBackToTheFirstMonitorRestoresTheDesign) {
    // A window dragged to a 150 % or 200 % monitor and back comes home at its own size.
    for (std::int32_t dpi : {144, 192}) {
        for (std::int32_t v = -500; v <= 500; ++v) {
            ASSERT_EQ(rescale(scale(v, dpi), dpi, kDesignDpi), v) << v << " at " << dpi;
        }
    }
}

TEST(DpiScale, DesignLengthCoveringAMeasuredTextNeverClipsIt) {
    for (std::int32_t dpi : {96, 120, 144, 168, 192}) {
        for (std::int32_t pixels = 0; pixels <= 700; ++pixels) {
            const std::int32_t design = designLengthCovering(pixels, dpi);
            ASSERT_GE(scale(design, dpi), pixels) << pixels << " at " << dpi;
            // and no longer than needed: one design pixel less would clip
            if (design > 0) {
                ASSERT_LT(design - 1, pixels * 96.0 / dpi) << pixels << " at " << dpi;
            }
        }
    }
}

TEST(DpiScale, UnknownDpiLeavesTheValue) {
    EXPECT_EQ(rescale(123, 0, 144), 123);
}

}  // namespace
}  // namespace vps::dpi
