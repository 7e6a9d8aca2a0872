#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

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

// Found by fuzzing: another program may place its window at any 32-bit position. The edges at
// the ends of the range overflowed when made inclusive, scaled onto a larger miniature, or given
// their one-pixel outline strip.
TEST(AreaGeometry, WindowsAtTheEndsOfTheIntegerRangeStayDefined) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    struct Case {
        const char* what;
        ExclusiveRect window;
        AreaRect clipped;
        AreaRect onLargerMiniature;  // 2048 x 1536 for the 1024 x 768 screen
    } cases[] = {
        {"far edges at the bottom of the range",
         {kMin, kMin, kMin, kMin},
         {0, 0, kMin, kMin},
         {0, 0, kMin, kMin}},
        {"near edges at the top of the range",
         {kMax, kMax, kMax, kMax},
         {kMax, kMax, 1023, 767},
         {kMax, kMax, 2046, 1534}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const AreaRect clipped = foregroundWindowRect(c.window, k1024x768);
        EXPECT_EQ(clipped, c.clipped);
        EXPECT_TRUE(clipped.isInverted());
        const AreaRect mapped = screenToPreviewRect(clipped, k1024x768, {2048, 1536});
        EXPECT_EQ(mapped, c.onLargerMiniature);
        for (const ExclusiveRect& e : outlineEdges(mapped)) {
            EXPECT_GE(e.right, e.left);
            EXPECT_GE(e.bottom, e.top);
        }
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

// The pixels an outline's four walks visit: each walk runs from its start towards its end, the
// end excluded, as the platform's line walker does.
std::vector<std::pair<int, int>> outlinePixels(const AreaRect& r) {
    std::vector<std::pair<int, int>> pixels;
    const auto walk = [&](int x0, int y0, int x1, int y1) {
        const int dx = (x1 > x0) - (x1 < x0);
        const int dy = (y1 > y0) - (y1 < y0);
        for (int x = x0, y = y0; x != x1 || y != y1; x += dx, y += dy) pixels.emplace_back(x, y);
    };
    walk(r.Left, r.Top, r.Right, r.Top);
    walk(r.Right, r.Top, r.Right, r.Bottom);
    walk(r.Left, r.Top, r.Left, r.Bottom);
    walk(r.Left, r.Bottom, r.Right, r.Bottom);
    return pixels;
}

TEST(AreaGeometry, OutlineEdgesHoldEveryPixelTheOutlineDrawsAndLittleElse) {
    const AreaRect cases[] = {
        {0, 0, 20, 10}, {20, 10, 0, 0}, {5, 30, 25, 2}, {0, 0, 0, 0}, {7, 3, 7, 40},
        {-15, -5, 12, 9}, {100, 100, 1919, 1079},
    };
    for (const AreaRect& r : cases) {
        SCOPED_TRACE(testing::Message() << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom);
        const auto edges = outlineEdges(r);
        for (const auto& [x, y] : outlinePixels(r)) {
            EXPECT_TRUE(std::ranges::any_of(edges, [x = x, y = y](const ExclusiveRect& e) {
                return e.left <= x && x < e.right && e.top <= y && y < e.bottom;
            })) << "pixel " << x << "," << y << " lies outside every strip";
        }
        std::int64_t area = 0;
        for (const ExclusiveRect& e : edges) {
            EXPECT_TRUE(e.right - e.left == 1 || e.bottom - e.top == 1) << "a strip is one pixel thick";
            area += std::int64_t{e.right - e.left} * (e.bottom - e.top);
        }
        const auto span = [](std::int64_t a, std::int64_t b) { return (a < b ? b - a : a - b) + 1; };
        EXPECT_LE(area, 2 * span(r.Left, r.Right) + 2 * span(r.Top, r.Bottom));
    }
}

}  // namespace
}  // namespace vps
