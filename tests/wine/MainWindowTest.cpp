#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "app/AppWindows.h"
#include "capture/Preview.h"
#include "core/MonitorLayout.h"
#include "win/Application.h"
#include "VantaroVersion.h"

namespace vps {
namespace {

class MainWindow : public testing::Test {
public:
    test::FreshSettingsFile settings;

    void SetUp() override {
        // The card would take the front at every activation; these tests are about the window.
        test::FreshSettingsFile::write("[ShowCheatSheet1]\r\nChecked=0\r\n");
        windows_ = std::make_unique<AppWindows>();
        main = fmKestrelPrintScreen;
    }
    void TearDown() override {
        windows_.reset();
        win::Application::resumeAfterTermination();
    }

    RECT outer() const {
        RECT r{};
        GetWindowRect(main->handle(), &r);
        return r;
    }
    bool shown() const { return IsWindowVisible(main->handle()) != FALSE; }
    void show() {
        main->ShowCapture();
        test::pumpMessagesFor(50);
        ASSERT_TRUE(shown());
    }
    void resizeTo(int width, int height) {
        SetWindowPos(main->handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        test::pumpMessagesFor(20);
    }
    void pressMenu(const char* item) {
        SendMessageA(main->handle(), WM_COMMAND, MAKEWPARAM(main->MainMenu1.item(item).id(), 0), 0);
    }
    void expectMonitorFits() const {
        const win::Box monitor = main->paMonitor.bounds();
        const int room = main->paBottom.bounds().top - 1;
        const int clientWidth = main->clientWidth();
        EXPECT_LE(monitor.height, room);
        EXPECT_LE(monitor.width, clientWidth - 20);
        // One of the two limits is reached, up to the truncation of the proportion.
        EXPECT_TRUE(monitor.height >= room - 1 || monitor.width >= clientWidth - 21)
            << monitor.width << "x" << monitor.height << " in " << clientWidth << ", room " << room;
        EXPECT_LE(std::abs(monitor.width * 239 - monitor.height * 281), 281 + 239);
        EXPECT_LE(std::abs(2 * monitor.left + monitor.width - clientWidth), 1);
        // The miniature is redrawn at the size of the screen inside the monitor.
        EXPECT_EQ(main->ExampleImage.picture().width(), main->ExampleImage.clientWidth());
        EXPECT_EQ(main->ExampleImage.picture().height(), main->ExampleImage.clientHeight());
    }

    TfmKestrelPrintScreen* main = nullptr;

private:
    std::unique_ptr<AppWindows> windows_;
};

TEST_F(MainWindow, StartsHiddenAndFindableByItsClass) {
    EXPECT_FALSE(shown());
    EXPECT_EQ(FindWindowA("TfmKestrelPrintScreen", nullptr), main->handle());
    EXPECT_TRUE(main->Snapshot.empty());
    EXPECT_EQ(main->SelectedRect, (AreaRect{0, 0, 0, 0}));
    EXPECT_EQ(main->text(), "Vantaro Print Screen");
    EXPECT_EQ(main->ExampleImage.clientWidth(), 269);
    EXPECT_EQ(main->ExampleImage.clientHeight(), 169);
}

TEST_F(MainWindow, TheSelectionWindowAndTheCardAreMadeAtTheirFirstUse) {
    EXPECT_EQ(fmSelectedArea, nullptr);
    EXPECT_EQ(FindWindowA("TfmSelectedArea", nullptr), nullptr);
    EXPECT_EQ(fmCheatSheet, nullptr);
    // A whole activation and hide asks about both without making either.
    show();
    main->HideCapture();
    EXPECT_EQ(fmSelectedArea, nullptr);
    EXPECT_EQ(fmCheatSheet, nullptr);

    show();
    pressMenu("ShowCheatSheet1");
    ASSERT_NE(fmCheatSheet, nullptr);
    EXPECT_TRUE(IsWindowVisible(fmCheatSheet->handle()));
    EXPECT_EQ(&cheatSheet(), fmCheatSheet);
    main->HideCapture();
    EXPECT_FALSE(IsWindowVisible(fmCheatSheet->handle()));

    TfmSelectedArea& selection = selectionWindow();
    EXPECT_EQ(&selectionWindow(), &selection);
    EXPECT_EQ(FindWindowA("TfmSelectedArea", nullptr), selection.handle());
}

TEST_F(MainWindow, ShowCapturePlacesTheWindowOverTheWorkAreaWithAFreshSnapshot) {
    show();
    const AreaRect workArea = GetWorkAreaRect();
    const RECT r = outer();
    const int width = r.right - r.left;
    EXPECT_EQ(r.top, workArea.Top);
    EXPECT_EQ(r.bottom - r.top, std::max(workArea.Bottom - workArea.Top, 450));
    EXPECT_EQ(r.left, (workArea.Right - workArea.Left - width) / 2);
    expectMonitorFits();

    const Size screen = primaryScreenSize();
    EXPECT_EQ(main->Snapshot.width(), screen.width);
    EXPECT_EQ(main->Snapshot.height(), screen.height);
    EXPECT_EQ(main->AllRect, (AreaRect{0, 0, screen.width - 1, screen.height - 1}));
    EXPECT_EQ(main->WorkAreaRect, workArea);
    EXPECT_EQ(GetForegroundWindow(), main->handle());
}

// A window of one colour over the whole screen, so a capture has a known picture.
class ScreenCover : public test::ColourWindow {
public:
    explicit ScreenCover(COLORREF colour)
        : ColourWindow(colour, {0, 0, primaryScreenSize().width, primaryScreenSize().height}) {}
};

// The smooth miniature is filtered once per snapshot and then reused; reusing it across
// snapshots would show the screen of an earlier activation, also after a hot key while shown.
TEST_F(MainWindow, EachActivationShowsTheMiniatureOfItsOwnSnapshot) {
    const COLORREF colours[] = {RGB(200, 40, 40), RGB(40, 40, 200), RGB(40, 200, 40)};
    for (const bool hiddenBetween : {true, false}) {
        for (const COLORREF colour : colours) {
            SCOPED_TRACE(testing::Message() << std::hex << colour << (hiddenBetween ? " after a hide" : " while shown"));
            if (hiddenBetween) main->HideCapture();
            const ScreenCover cover(colour);
            show();
            const win::Bitmap& miniature = main->ExampleImage.picture();
            // Left of the middle, inside the border and beside where the window itself stands
            // when the snapshot is taken while it is shown.
            const auto sample = [&] { return GetPixel(miniature.dc(), 4, miniature.height() / 2); };
            // A hidden window's miniature, filtered while it was being shown, is there at once.
            if (hiddenBetween) {
                EXPECT_EQ(sample(), colour);
            }
            // A change of area draws the smooth miniature; All outlines only the border.
            main->ScreenArea.setItemIndex(1);
            main->ScreenArea.setItemIndex(0);
            EXPECT_EQ(sample(), colour);
            // A resize filters again at the new size, from the same snapshot.
            resizeTo(700, 600);
            expectMonitorFits();
            EXPECT_EQ(sample(), colour);
        }
    }
}

// The filter started before the window shows is for the size the image had then; an image
// that changed size meanwhile gets a miniature filtered at its own size, and a filter that is
// still reading the snapshot is waited for before the snapshot goes.
TEST_F(MainWindow, APreparedMiniatureOfAnotherSizeIsFilteredAgainAndForgettingWaitsForIt) {
    const ScreenCover cover(RGB(30, 160, 90));
    ScreenSnapshot snapshot;
    CaptureScreen(snapshot);
    SmoothPreview preview;
    preview.prepare(snapshot, 50, 40);
    preview.draw(snapshot, main->ExampleImage);
    const win::Bitmap& miniature = main->ExampleImage.picture();
    EXPECT_EQ(miniature.width(), main->ExampleImage.clientWidth());
    EXPECT_EQ(miniature.height(), main->ExampleImage.clientHeight());
    EXPECT_EQ(GetPixel(miniature.dc(), 4, miniature.height() / 2), RGB(30, 160, 90));

    // A forgotten filter is not used: the next draw filters the snapshot as it is now, empty.
    preview.prepare(snapshot, main->ExampleImage.clientWidth(), main->ExampleImage.clientHeight());
    preview.forget();
    snapshot = ScreenSnapshot();
    preview.draw(snapshot, main->ExampleImage);
    EXPECT_EQ(GetPixel(main->ExampleImage.picture().dc(), 4, 4), RGB(0, 0, 0));
}

TEST_F(MainWindow, ActivationWhileShownKeepsPositionAndWidth) {
    show();
    SetWindowPos(main->handle(), nullptr, 40, 30, 500, 500, SWP_NOZORDER);
    main->ShowCapture();
    const RECT r = outer();
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, std::max(GetWorkAreaRect().Bottom - GetWorkAreaRect().Top, 450));
}

TEST_F(MainWindow, MonitorKeepsItsProportionOnEveryResize) {
    show();
    const SIZE sizes[] = {{329, 450}, {400, 700}, {900, 500}, {1000, 760}, {600, 600}};
    for (const SIZE size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        resizeTo(size.cx, size.cy);
        expectMonitorFits();
        // The options panel keeps its place at the bottom, centred.
        const win::Box options = main->paBottom.bounds();
        EXPECT_EQ(options.top + options.height, main->clientHeight() - 1);
        EXPECT_LE(std::abs(2 * options.left + options.width - main->clientWidth()), 1);
    }
}

TEST_F(MainWindow, CannotShrinkBelowTheMinimumSize) {
    show();
    resizeTo(100, 100);
    const RECT r = outer();
    EXPECT_EQ(r.right - r.left, 329);
    EXPECT_EQ(r.bottom - r.top, 450);
}

TEST_F(MainWindow, EveryOrdinaryCloseOnlyHidesAndReleasesTheSnapshot) {
    const std::pair<const char*, std::function<void(MainWindow&)>> closes[] = {
        {"WM_CLOSE from outside", [](MainWindow& t) { SendMessageA(t.main->handle(), WM_CLOSE, 0, 0); }},
        {"Close button", [](MainWindow& t) { SendMessageA(t.main->buCancel.handle(), BM_CLICK, 0, 0); }},
        {"Options > Close", [](MainWindow& t) { t.pressMenu("Close1"); }},
        {"Escape", [](MainWindow& t) {
             PostMessageA(t.main->buCancel.handle(), WM_KEYDOWN, VK_ESCAPE, 0);
             test::pumpMessagesFor(20);
         }},
    };
    for (const auto& [what, close] : closes) {
        SCOPED_TRACE(what);
        show();
        close(*this);
        EXPECT_FALSE(shown());
        EXPECT_TRUE(main->Snapshot.empty());
        EXPECT_FALSE(win::Application::terminated());
        EXPECT_FALSE(ShutDownRequested);
    }
}

TEST_F(MainWindow, ExitAnsweredNoKeepsTheWindowWithItsSnapshot) {
    show();
    bool warned = false;
    test::whenWindowAppears("TMessageForm", "Warning", [&](HWND dialog) {
        warned = test::findChildByCaption(
                     dialog,
                     "This will shut down Vantaro Print Screen and make it unavailable.\r\n"
                     "To use this program after it is shut down, it will be necessary to \"run\" it again.\r\n"
                     "(To close the main window without shutting down, just click the \"Close\" button.)\r\n"
                     "Are you sure you want to shut down this program?") != nullptr;
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);  // Escape answers No
    });
    pressMenu("Exit1");
    EXPECT_TRUE(warned);
    EXPECT_TRUE(shown());
    EXPECT_FALSE(main->Snapshot.empty());
    EXPECT_FALSE(win::Application::terminated());
}

TEST_F(MainWindow, ExitAnsweredYesEndsTheProgram) {
    show();
    test::whenWindowAppears("TMessageForm", "Warning", [](HWND dialog) {
        PostMessageA(test::findChildByCaption(dialog, "&Yes"), BM_CLICK, 0, 0);
    });
    pressMenu("Exit1");
    EXPECT_TRUE(ShutDownRequested);
    EXPECT_TRUE(win::Application::terminated());
}

TEST_F(MainWindow, CtrlDoubleClickOnTheBareSurfaceEndsWithoutAsking) {
    struct Case {
        const char* what;
        bool onChild;
        WPARAM keys;
        UINT message;
        bool ends;
    } cases[] = {
        {"Ctrl+double-click", false, MK_CONTROL | MK_LBUTTON, WM_LBUTTONDBLCLK, true},
        {"Ctrl+right double-click", false, MK_CONTROL | MK_RBUTTON, WM_RBUTTONDBLCLK, true},
        {"double-click without Ctrl", false, MK_LBUTTON, WM_LBUTTONDBLCLK, false},
        {"Ctrl+single click", false, MK_CONTROL | MK_LBUTTON, WM_LBUTTONDOWN, false},
        {"Ctrl+double-click on a panel", true, MK_CONTROL | MK_LBUTTON, WM_LBUTTONDBLCLK, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        show();
        HWND target = c.onChild ? main->paBottom.handle() : main->handle();
        SendMessageA(target, c.message, c.keys, MAKELPARAM(2, 100));
        EXPECT_EQ(win::Application::terminated(), c.ends);
        EXPECT_EQ(ShutDownRequested, c.ends);
        win::Application::resumeAfterTermination();
        ShutDownRequested = false;
    }
}

TEST_F(MainWindow, LogOffIsAgreedAtOnceAndEndsTheProgram) {
    show();
    EXPECT_EQ(SendMessageA(main->handle(), WM_QUERYENDSESSION, 0, 0), 1);
    EXPECT_TRUE(shown());
    SendMessageA(main->handle(), WM_ENDSESSION, 0, 0);  // the log-off was cancelled
    EXPECT_FALSE(win::Application::terminated());
    EXPECT_EQ(SendMessageA(main->handle(), WM_ENDSESSION, 1, 0), 0);
    EXPECT_TRUE(ShutDownRequested);
    EXPECT_TRUE(win::Application::terminated());
}

TEST_F(MainWindow, OnlyItsThreeHotKeysAndTheWakeUpActivate) {
    const std::pair<UINT, WPARAM> messages[] = {
        {WM_HOTKEY, 777}, {WM_HOTKEY, 778}, {WM_HOTKEY, 779}, {WM_WAKEUP, 0}};
    for (const auto& [message, id] : messages) {
        SCOPED_TRACE(id);
        main->HideCapture();
        SendMessageA(main->handle(), message, id, 0);
        EXPECT_TRUE(shown());
        EXPECT_FALSE(main->Snapshot.empty());
    }
    main->HideCapture();
    SendMessageA(main->handle(), WM_HOTKEY, 780, 0);
    EXPECT_FALSE(shown());
}

TEST_F(MainWindow, PowerSwitchShowsTheCreditsUntilTheNextActivation) {
    show();
    SendMessageA(main->buMonitorPower.handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(main->ExampleImage.visible());
    EXPECT_TRUE(main->Credits.visible());
    EXPECT_TRUE(main->Credits.active());
    EXPECT_EQ(main->paMonitorIndicator.color(), RGB(255, 0, 0));

    main->HideCapture();
    main->ShowCapture();
    EXPECT_TRUE(main->ExampleImage.visible());
    EXPECT_FALSE(main->Credits.visible());
    EXPECT_FALSE(main->Credits.active());
    EXPECT_EQ(main->paMonitorIndicator.color(), RGB(0, 255, 0));
}

TEST_F(MainWindow, AHiddenWindowRunsNeitherTheOutlineNorTheCredits) {
    show();
    ASSERT_TRUE(fmAnimatedRectangle->running());
    SendMessageA(main->buMonitorPower.handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(CreditsScroller::runningTimerThreads(), 1);

    main->HideCapture();
    EXPECT_FALSE(fmAnimatedRectangle->running());
    EXPECT_FALSE(main->Credits.active());
    EXPECT_EQ(CreditsScroller::runningTimerThreads(), 0);

    // An activation sizes the window before it captures the screen; should the capture then
    // fail, the window stays hidden, and the resize must not have set an outline marching.
    const win::Box outer = main->bounds();
    SetWindowPos(main->handle(), nullptr, 0, 0, outer.width + 40, outer.height + 30,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(fmAnimatedRectangle->running());
    SendMessageA(main->ScreenArea.button(2), BM_CLICK, 0, 0);
    EXPECT_FALSE(fmAnimatedRectangle->running());
}

TEST_F(MainWindow, CreditsNameTheProductAndItsVersion) {
    const auto& lines = main->Credits.lines();
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0], "Vantaro Print Screen");
    EXPECT_EQ(lines[2], main->ExeInfo.FileVersion);
    EXPECT_EQ(lines[4], main->ExeInfo.LegalCopyright);
}

TEST(ExeInfo, ReadsTheProgramsVersionResource) {
    TExeInfo info;
    EXPECT_EQ(info.FileVersion, "Updated at run-time");  // the test program carries none
    info.ReadVersionInfo(win::Application::exeDirectory() + "..\\..\\VantaroPrintScreen.exe");
    EXPECT_EQ(info.FileVersion, VPS_FILE_VERSION_TEXT);
    EXPECT_EQ(info.ProductName, "Vantaro Print Screen");
    EXPECT_EQ(info.LegalTradeMark, "Vantaro is a trademark of Vantaro Software");
    EXPECT_FALSE(info.LegalCopyright.empty());
}

}  // namespace
}  // namespace vps
