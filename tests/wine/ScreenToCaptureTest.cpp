// The screen an activation captures, on whatever desk the tests run: one monitor with every
// Wine test, and two (one at negative coordinates) in tests/e2e/test_monitors.sh.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TestSupport.h"
#include "app/AppWindows.h"
#include "core/MonitorGeometry.h"
#include "settings/uGeneralOptions.h"
#include "win/Application.h"

namespace vps {
namespace {

AreaRect inclusive(const RECT& r) { return {r.left, r.top, r.right - 1, r.bottom - 1}; }

MONITORINFO monitorInfo(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    return info;
}

BOOL CALLBACK rememberMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM last) {
    *reinterpret_cast<HMONITOR*>(last) = monitor;
    return TRUE;
}

// The last monitor the platform lists: the second one where there are two.
HMONITOR lastMonitor() {
    HMONITOR last = nullptr;
    EnumDisplayMonitors(nullptr, nullptr, rememberMonitor, reinterpret_cast<LPARAM>(&last));
    return last;
}

// Pointer moves still queued from earlier tests (and the window just shown) can carry the pointer
// back after a move, so the move is repeated until the pointer stays.
bool pointerMovedTo(HMONITOR monitor) {
    const RECT bounds = monitorInfo(monitor).rcMonitor;
    for (int attempt = 0; attempt < 20; ++attempt) {
        SetCursorPos((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
        test::pumpMessagesFor(250);
        POINT at{};
        GetCursorPos(&at);
        if (MonitorFromPoint(at, MONITOR_DEFAULTTONULL) == monitor) return true;
    }
    return false;
}

class ScreenToCapture : public testing::Test {
public:
    test::FreshSettingsFile settings;

    void TearDown() override {
        windows_.reset();
        win::Application::resumeAfterTermination();
    }
    // The card would take the front at every activation; these tests are about the capture.
    TfmKestrelPrintScreen& startWith(int choice) {
        test::FreshSettingsFile::write("[ShowCheatSheet1]\r\nChecked=0\r\n[ScreenToCapture]\r\nItemIndex=" +
                                       std::to_string(choice) + "\r\n");
        windows_ = std::make_unique<AppWindows>();
        return *fmKestrelPrintScreen;
    }

private:
    std::unique_ptr<AppWindows> windows_;
};

// Each choice against what the platform itself says: the primary screen's metrics, the monitor
// under the pointer, the virtual screen. A red mark placed on the captured area must appear in
// the snapshot at its place relative to the area's top-left, which catches a snapshot copied
// from the wrong part of the desktop (from the primary's top-left, or with the sign of a negative
// origin lost).
TEST_F(ScreenToCapture, SnapshotAndAreasFollowTheChoice) {
    const HMONITOR second = lastMonitor();
    const AreaRect secondBounds = inclusive(monitorInfo(second).rcMonitor);
    const AreaRect virtualScreen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                 GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1,
                                 GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN) - 1};
    // The mark sits near the top-left of the primary monitor or of the second one.
    const POINT onPrimary{40, 30};
    const POINT onSecond{secondBounds.Left + 40, secondBounds.Top + 30};
    const struct {
        const char* what;
        int choice;
        AreaRect expected;
        POINT mark;
    } cases[] = {
        {"primary screen", 0, {0, 0, GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1}, onPrimary},
        {"screen under the mouse pointer", 1, secondBounds, onSecond},
        {"all screens", 2, virtualScreen, onSecond},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TfmKestrelPrintScreen& main = startWith(c.choice);
        const test::ColourWindow mark(RGB(255, 0, 0), {c.mark.x, c.mark.y, c.mark.x + 20, c.mark.y + 10});
        // The pointer on the second monitor's middle, where a user looking there has it.
        ASSERT_TRUE(pointerMovedTo(second)) << "the pointer does not stay on the second monitor";
        main.ShowCapture();
        test::pumpMessagesFor(50);

        EXPECT_EQ(main.AllRect, c.expected);
        EXPECT_EQ(main.Snapshot.width(), c.expected.width());
        EXPECT_EQ(main.Snapshot.height(), c.expected.height());
        EXPECT_EQ(clipToArea(main.WorkAreaRect, c.expected), main.WorkAreaRect);
        if (!main.ForegroundRect.isInverted()) {
            EXPECT_EQ(clipToArea(main.ForegroundRect, c.expected), main.ForegroundRect);
        }
        const int x = c.mark.x - c.expected.Left;
        const int y = c.mark.y - c.expected.Top;
        EXPECT_EQ(GetPixel(main.Snapshot.dc(), x, y), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(main.Snapshot.dc(), x + 19, y + 9), RGB(255, 0, 0));
        EXPECT_NE(GetPixel(main.Snapshot.dc(), x - 1, y - 1), RGB(255, 0, 0));
        EXPECT_NE(GetPixel(main.Snapshot.dc(), x + 20, y + 10), RGB(255, 0, 0));
        if (c.choice == 1) {
            // The window comes up on the monitor the user looks at.
            EXPECT_EQ(MonitorFromWindow(main.handle(), MONITOR_DEFAULTTONULL), second);
            EXPECT_EQ(main.WorkAreaRect, inclusive(monitorInfo(second).rcWork));
        }
        main.HideCapture();
        TearDown();
    }
}

TEST_F(ScreenToCapture, GeneralOptionsShowsTheStoredChoiceAndOkStoresIt) {
    test::FreshSettingsFile::write("[ScreenToCapture]\r\nItemIndex=2\r\n");
    {
        TfmGeneralOptions dialog(nullptr);
        dialog.show();
        ASSERT_EQ(dialog.ScreenToCapture.count(), 3);
        EXPECT_EQ(dialog.ScreenToCapture.itemIndex(), 2);
        char caption[64] = {};
        GetWindowTextA(dialog.ScreenToCapture.button(1), caption, sizeof caption);
        EXPECT_STREQ(caption, "Screen under the mouse pointer");
        dialog.ScreenToCapture.setItemIndex(0);
    }  // closed without OK
    EXPECT_NE(test::FreshSettingsFile::contents().find("ItemIndex=2"), std::string::npos);

    test::FreshSettingsFile::write("");
    TfmGeneralOptions dialog(nullptr);
    dialog.show();
    EXPECT_EQ(dialog.ScreenToCapture.itemIndex(), 0) << "the primary screen unless chosen otherwise";
    dialog.ScreenToCapture.setItemIndex(1);
    dialog.buOK.click();
    EXPECT_NE(test::FreshSettingsFile::contents().find("[ScreenToCapture]\r\nItemIndex=1"), std::string::npos);
}

}  // namespace
}  // namespace vps
