#include <gtest/gtest.h>

#include <climits>

#include "core/PopupPlacement.h"

namespace vps::layout {
namespace {

TEST(PopupPlacement, StaysInsideTheAreaAndAsNearToTheWantedCornerAsItCan) {
    const Box area{0, 0, 1024, 738};
    struct Case {
        const char* what;
        std::int32_t x, y, width, height;
        Box expected;
    } cases[] = {
        {"fits where wanted", 100, 200, 300, 100, {100, 200, 300, 100}},
        {"touches the right edge exactly", 724, 0, 300, 100, {724, 0, 300, 100}},
        {"past the right edge", 900, 10, 300, 100, {724, 10, 300, 100}},
        {"past the bottom edge", 10, 700, 300, 100, {10, 638, 300, 100}},
        {"past both edges", 1000, 730, 300, 100, {724, 638, 300, 100}},
        {"left of the area", -50, 10, 300, 100, {0, 10, 300, 100}},
        {"above the area", 10, -40, 300, 100, {10, 0, 300, 100}},
        {"wider than the area", 500, 10, 1100, 100, {0, 10, 1100, 100}},
        {"taller than the area", 10, 500, 300, 800, {10, 0, 300, 800}},
        {"far away", INT_MAX, INT_MAX, 300, 100, {724, 638, 300, 100}},
        {"far away the other way", INT_MIN, INT_MIN, 300, 100, {0, 0, 300, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(placePopup(c.x, c.y, c.width, c.height, area), c.expected);
    }
}

TEST(PopupPlacement, WorksOnAnAreaAwayFromTheOrigin) {
    // A second monitor left of the primary one, with a task bar at its top.
    const Box area{-1280, 40, 1280, 984};
    EXPECT_EQ(placePopup(-10, 1000, 200, 80, area), (Box{-200, 944, 200, 80}));
    EXPECT_EQ(placePopup(-1400, 0, 200, 80, area), (Box{-1280, 40, 200, 80}));
}

}  // namespace
}  // namespace vps::layout
