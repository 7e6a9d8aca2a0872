#include <gtest/gtest.h>

#include "core/MonitorLayout.h"

namespace vps::monitor {
namespace {

TEST(MonitorLayout, FitKeepsTheProportionWithinWidthAndRoom) {
    struct Case {
        std::int32_t clientWidth, panelTop;
        Fit expected;
    } cases[] = {
        {321, 227, {28, 265, 226}},   // design size: the room above the options panel limits it
        {321, 600, {10, 301, 256}},   // tall window: the width limits it
        {800, 600, {48, 704, 599}},   // wide window: the room limits it, centred
        {10, 227, {5, 0, 0}},         // narrower than the margins: nothing negative
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.clientWidth << "x" << c.panelTop);
        const Fit fit = fitMonitor(c.clientWidth, c.panelTop);
        EXPECT_EQ(fit.left, c.expected.left);
        EXPECT_EQ(fit.width, c.expected.width);
        EXPECT_EQ(fit.height, c.expected.height);
    }
}

TEST(MonitorLayout, FitNeverExceedsEitherLimit) {
    for (std::int32_t clientWidth = 0; clientWidth < 2000; clientWidth += 7) {
        for (std::int32_t panelTop = 1; panelTop < 1500; panelTop += 11) {
            const Fit fit = fitMonitor(clientWidth, panelTop);
            ASSERT_LE(fit.width, std::max(clientWidth - 20, 0));
            ASSERT_LE(fit.height, panelTop - 1);
            // Within one pixel of truncation the proportion holds.
            ASSERT_LE(std::abs(fit.width * 239 - fit.height * 281), 281 + 239);
        }
    }
}

TEST(MonitorLayout, WindowWidthFillsTheRoomAboveTheOptionsPanel) {
    EXPECT_EQ(windowWidthForMonitor(265, 226, 227), 285);
    EXPECT_EQ(windowWidthForMonitor(301, 256, 599), 723);
    EXPECT_EQ(windowWidthForMonitor(0, 0, 227), 285);  // a collapsed monitor: design ratio
}

TEST(MonitorLayout, WindowLeftIsCountedFromTheScreenEdge) {
    EXPECT_EQ(windowLeftOverWorkArea({0, 0, 1023, 767}, 600), 211);
    // Task bar docked at the left: not centred within the work area.
    EXPECT_EQ(windowLeftOverWorkArea({60, 0, 1023, 767}, 600), 181);
    // Wider than the work area: truncation toward zero.
    EXPECT_EQ(windowLeftOverWorkArea({0, 0, 1023, 767}, 1030), -3);
}

}  // namespace
}  // namespace vps::monitor
