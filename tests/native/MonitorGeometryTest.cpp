#include <gtest/gtest.h>

#include <vector>

#include "core/AreaGeometry.h"
#include "core/MonitorGeometry.h"

namespace vps {
namespace {

using options::ScreenToCaptureChoice;

// A bar 40 pixels high along each monitor's bottom edge.
MonitorBounds monitor(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height,
                      bool primary = false) {
    return {{left, top, left + width, top + height}, {left, top, left + width, top + height - 40}, primary};
}

// The desks the tests run on: a primary of 1280 x 1024 with a smaller monitor beside it, left
// (negative origin), right, or stacked above it.
const std::vector<MonitorBounds> kRightOfPrimary = {monitor(0, 0, 1280, 1024, true),
                                                    monitor(1280, 0, 1024, 768)};
const std::vector<MonitorBounds> kLeftOfPrimary = {monitor(0, 0, 1280, 1024, true),
                                                   monitor(-1024, 100, 1024, 768)};
const std::vector<MonitorBounds> kAbovePrimary = {monitor(-200, -768, 1024, 768),
                                                  monitor(0, 0, 1280, 1024, true)};
const MonitorBounds kFallback = monitor(0, 0, 800, 600, true);

TEST(MonitorGeometry, CapturedScreenFollowsTheChoice) {
    struct Case {
        const char* what;
        const std::vector<MonitorBounds>* desk;
        ScreenToCaptureChoice choice;
        ScreenPoint pointer;
        CapturedScreen expected;
    } cases[] = {
        {"primary, pointer elsewhere", &kRightOfPrimary, ScreenToCaptureChoice::Primary, {1500, 10},
         {{0, 0, 1279, 1023}, {0, 0, 1279, 983}}},
        {"pointer on the right monitor", &kRightOfPrimary, ScreenToCaptureChoice::UnderPointer,
         {1500, 10}, {{1280, 0, 2303, 767}, {1280, 0, 2303, 727}}},
        {"pointer on the seam belongs to the right monitor", &kRightOfPrimary,
         ScreenToCaptureChoice::UnderPointer, {1280, 0}, {{1280, 0, 2303, 767}, {1280, 0, 2303, 727}}},
        {"pointer on the primary's last column", &kRightOfPrimary, ScreenToCaptureChoice::UnderPointer,
         {1279, 1023}, {{0, 0, 1279, 1023}, {0, 0, 1279, 983}}},
        {"pointer below the short monitor goes to the nearest", &kRightOfPrimary,
         ScreenToCaptureChoice::UnderPointer, {2000, 900}, {{1280, 0, 2303, 767}, {1280, 0, 2303, 727}}},
        {"all screens, side by side", &kRightOfPrimary, ScreenToCaptureChoice::AllScreens, {0, 0},
         {{0, 0, 2303, 1023}, {0, 0, 2303, 983}}},
        {"pointer on a monitor with a negative origin", &kLeftOfPrimary,
         ScreenToCaptureChoice::UnderPointer, {-1, 100}, {{-1024, 100, -1, 867}, {-1024, 100, -1, 827}}},
        {"pointer just above the left monitor", &kLeftOfPrimary, ScreenToCaptureChoice::UnderPointer,
         {-500, 99}, {{-1024, 100, -1, 867}, {-1024, 100, -1, 827}}},
        {"all screens, negative origin", &kLeftOfPrimary, ScreenToCaptureChoice::AllScreens, {0, 0},
         {{-1024, 0, 1279, 1023}, {-1024, 0, 1279, 983}}},
        {"stacked, pointer on the top monitor's bottom row", &kAbovePrimary,
         ScreenToCaptureChoice::UnderPointer, {0, -1}, {{-200, -768, 823, -1}, {-200, -768, 823, -41}}},
        {"stacked, pointer on the seam", &kAbovePrimary, ScreenToCaptureChoice::UnderPointer, {0, 0},
         {{0, 0, 1279, 1023}, {0, 0, 1279, 983}}},
        {"stacked, primary is not the first listed", &kAbovePrimary, ScreenToCaptureChoice::Primary,
         {0, -1}, {{0, 0, 1279, 1023}, {0, 0, 1279, 983}}},
        {"stacked, all screens", &kAbovePrimary, ScreenToCaptureChoice::AllScreens, {0, 0},
         {{-200, -768, 1279, 1023}, {-200, -768, 1279, 983}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(capturedScreenFor(c.choice, *c.desk, c.pointer, kFallback), c.expected);
    }
}

TEST(MonitorGeometry, WithoutMonitorsTheFallbackIsTheScreen) {
    for (const ScreenToCaptureChoice choice : {ScreenToCaptureChoice::Primary, ScreenToCaptureChoice::UnderPointer,
                                               ScreenToCaptureChoice::AllScreens}) {
        SCOPED_TRACE(options::indexOf(choice));
        EXPECT_EQ(capturedScreenFor(choice, {}, {5000, 5000}, kFallback),
                  (CapturedScreen{{0, 0, 799, 599}, {0, 0, 799, 559}}));
    }
}

TEST(MonitorGeometry, PrimaryIsFlaggedElseHoldsTheOrigin) {
    std::vector<MonitorBounds> unflagged = kAbovePrimary;
    for (MonitorBounds& m : unflagged) m.primary = false;
    EXPECT_EQ(primaryMonitor(kAbovePrimary), 1u);
    EXPECT_EQ(primaryMonitor(unflagged), 1u);
    EXPECT_EQ(primaryMonitor({}), std::nullopt);
    EXPECT_EQ(monitorAt({}, {0, 0}), std::nullopt);
}

// Every point of the virtual screen belongs to exactly one monitor on a desk without gaps, and
// that monitor holds it.
TEST(MonitorGeometry, EveryPointOnTheDeskHasTheMonitorThatHoldsIt) {
    for (const auto* desk : {&kRightOfPrimary, &kLeftOfPrimary, &kAbovePrimary}) {
        const AreaRect all = virtualScreenRect(*desk);
        for (std::int32_t y = all.Top; y <= all.Bottom; y += 97) {
            for (std::int32_t x = all.Left; x <= all.Right; x += 89) {
                const std::size_t index = *monitorAt(*desk, {x, y});
                int holders = 0;
                for (const MonitorBounds& m : *desk) {
                    holders += x >= m.bounds.left && x < m.bounds.right && y >= m.bounds.top && y < m.bounds.bottom;
                }
                if (holders == 0) continue;  // a corner of the bounding box no monitor shows
                const ExclusiveRect& b = (*desk)[index].bounds;
                EXPECT_TRUE(x >= b.left && x < b.right && y >= b.top && y < b.bottom) << x << "," << y;
                EXPECT_EQ(holders, 1);
            }
        }
    }
}

TEST(MonitorGeometry, ForegroundWindowIsClippedToTheCapturedArea) {
    const AreaRect right{1280, 0, 2303, 767};
    const AreaRect left{-1024, 100, -1, 867};
    struct Case {
        const char* what;
        AreaRect captured;
        ExclusiveRect window;
        AreaRect expected;
    } cases[] = {
        {"inside the right monitor", right, {1300, 50, 1700, 450}, {1300, 50, 1699, 449}},
        {"straddling the seam", right, {1200, 50, 1400, 450}, {1280, 50, 1399, 449}},
        {"maximised on the right monitor", right, {1273, -7, 2311, 775}, {1280, 0, 2303, 767}},
        {"on the primary while the right one is captured", right, {10, 10, 300, 300},
         {1280, 10, 299, 299}},
        {"negative origin, partly above", left, {-900, 50, -100, 400}, {-900, 100, -101, 399}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const AreaRect clipped = foregroundWindowRect(c.window, c.captured);
        EXPECT_EQ(clipped, c.expected);
        if (!clipped.isInverted()) {
            EXPECT_EQ(clipToArea(clipped, c.captured), clipped);
        }
    }
    EXPECT_EQ(foregroundWindowRect(std::nullopt, left), left);
}

TEST(MonitorGeometry, SnapshotCoordinatesAreRelativeToTheCapturedArea) {
    struct Case {
        const char* what;
        AreaRect captured;
        AreaRect screen;
        AreaRect snapshot;
    } cases[] = {
        {"primary", {0, 0, 1279, 1023}, {10, 20, 30, 40}, {10, 20, 30, 40}},
        {"right monitor", {1280, 0, 2303, 767}, {1300, 50, 1699, 449}, {20, 50, 419, 449}},
        {"negative origin", {-1024, -768, 1279, 1023}, {-1024, -768, -1, -1}, {0, 0, 1023, 767}},
        {"far off the range stays at its end", {-1024, 0, 0, 0},
         {2147483000, 0, 2147483647, 0}, {2147483647, 0, 2147483647, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(toSnapshot(c.screen, c.captured), c.snapshot);
        if (c.snapshot.Right != 2147483647) {
            EXPECT_EQ(toScreen(c.snapshot, c.captured), c.screen);
        }
    }
}

TEST(MonitorGeometry, StoredChoiceOutsideTheRangeMeansPrimary) {
    const struct {
        int stored;
        ScreenToCaptureChoice choice;
    } cases[] = {{0, ScreenToCaptureChoice::Primary},
                 {1, ScreenToCaptureChoice::UnderPointer},
                 {2, ScreenToCaptureChoice::AllScreens},
                 {3, ScreenToCaptureChoice::Primary},
                 {-1, ScreenToCaptureChoice::Primary}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(screenToCaptureChoice(c.stored), c.choice);
    }
}

}  // namespace
}  // namespace vps
