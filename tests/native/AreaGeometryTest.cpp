#include <gtest/gtest.h>

#include "core/AreaGeometry.h"

namespace vps {
namespace {

constexpr Size k1024x768{1024, 768};

TEST(AreaGeometry, ForegroundWindowIsClippedToThePrimaryScreen) {
    struct Case {
        const char* what;
        ExclusiveRect window;
        AreaRect expected;
    } cases[] = {
        {"maximised frame past the edges", {-4, -4, 1028, 772}, {0, 0, 1023, 767}},
        {"partly off the left edge", {-50, 100, 300, 400}, {0, 100, 299, 399}},
        {"wholly on a monitor to the right", {1100, 100, 1500, 500}, {1100, 100, 1023, 499}},
        {"inside", {10, 20, 110, 220}, {10, 20, 109, 219}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(foregroundWindowRect(c.window, k1024x768), c.expected);
    }
}

TEST(AreaGeometry, WindowWhollyOffScreenIsInverted) {
    EXPECT_TRUE(foregroundWindowRect(ExclusiveRect{1100, 100, 1500, 500}, k1024x768).isInverted());
}

TEST(AreaGeometry, MissingPlatformAnswersFallBackToTheWholeScreen) {
    EXPECT_EQ(foregroundWindowRect(std::nullopt, k1024x768), (AreaRect{0, 0, 1023, 767}));
    EXPECT_EQ(workAreaRect(std::nullopt, k1024x768), (AreaRect{0, 0, 1023, 767}));
}

TEST(AreaGeometry, WorkAreaEdgesBecomeInclusive) {
    EXPECT_EQ(workAreaRect(ExclusiveRect{0, 0, 1024, 738}, k1024x768), (AreaRect{0, 0, 1023, 737}));
    EXPECT_EQ(workAreaRect(ExclusiveRect{60, 0, 1024, 768}, k1024x768),
              (AreaRect{60, 0, 1023, 767}));
}

TEST(AreaGeometry, ScreenToPreviewTruncatesTowardZero) {
    struct Case {
        Size screen;
        AreaRect area;
        AreaRect expected;
    } cases[] = {
        {{1024, 768}, {0, 0, 1023, 767}, {0, 0, 268, 168}},
        {{1024, 768}, {0, 0, 1023, 737}, {0, 0, 268, 162}},
        {{1024, 768}, {100, 50, 499, 349}, {26, 11, 131, 76}},
        {{1280, 1024}, {640, 512, 1279, 1023}, {134, 84, 268, 168}},
        {{1024, 768}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        // An inverted rectangle keeps its order; no edge is rounded away from zero.
        {{1024, 768}, {1100, 100, 1023, 499}, {288, 22, 268, 109}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.area.Left << "," << c.area.Top << ","
                                        << c.area.Right << "," << c.area.Bottom);
        EXPECT_EQ(screenToPreviewRect(c.area, c.screen, {269, 169}), c.expected);
    }
}

TEST(AreaGeometry, ScreenToPreviewOfAnEmptyScreenIsEmpty) {
    EXPECT_EQ(screenToPreviewRect({0, 0, 10, 10}, {0, 0}, {269, 169}), AreaRect{});
}

}  // namespace
}  // namespace vps
