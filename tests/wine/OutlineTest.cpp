#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "app/AppWindows.h"
#include "capture/uAnimatedRectangle.h"
#include "win/Application.h"
#include "win/MessageDialog.h"

namespace vps {
namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);

void CALLBACK closeBoxLater(HWND box, UINT, UINT_PTR, DWORD) { PostMessageA(box, WM_CLOSE, 0, 0); }

class Outline : public testing::Test {
public:
    test::FreshSettingsFile settings;
    std::unique_ptr<AppWindows> windows = std::make_unique<AppWindows>();
    TfmAnimatedRectangle& outline = *fmAnimatedRectangle;
    win::Image& image = fmKestrelPrintScreen->ExampleImage;

    void SetUp() override {
        // A grey picture, so a pixel the outline never touches is told apart from white and black.
        win::Bitmap picture(40, 20);
        win::Brush grey(CreateSolidBrush(kGrey));
        const RECT all{0, 0, 40, 20};
        FillRect(picture.dc(), &all, grey.get());
        image.setPicture(std::move(picture));
    }
    void TearDown() override {
        windows.reset();
        win::Application::resumeAfterTermination();
    }
    COLORREF pixel(int x, int y) { return GetPixel(image.picture().dc(), x, y); }
    // One step of an outline around `rect` on the grey picture, from `phase`.
    void stepFrom(int phase, const OutlineRectangle& rect) {
        outline.OutlineRect = rect;
        outline.TargetImage = &image;
        Phase = phase;
        outline.OutlineStep();
    }
};

TEST_F(Outline, DotsStandWhereTheCoordinateLeavesThePhase) {
    stepFrom(2, {0, 0, 20, 10});
    ASSERT_EQ(Phase, 3);
    for (int x = 0; x < 20; ++x) {
        const COLORREF expected = (x == 3 || x == 13) ? RGB(0, 0, 0) : RGB(255, 255, 255);
        EXPECT_EQ(pixel(x, 0), expected) << "top, x = " << x;
        EXPECT_EQ(pixel(x, 10), expected) << "bottom, x = " << x;
    }
    for (int y = 0; y < 10; ++y) {
        const COLORREF expected = y == 3 ? RGB(0, 0, 0) : RGB(255, 255, 255);
        EXPECT_EQ(pixel(20, y), expected) << "right, y = " << y;
        EXPECT_EQ(pixel(0, y), expected) << "left, y = " << y;
    }
    EXPECT_EQ(pixel(20, 10), kGrey);  // the far corner is never drawn
    EXPECT_EQ(pixel(10, 5), kGrey);
}

TEST_F(Outline, PhaseWrapsAfterNineAndAnEmptyRectangleDrawsNothing) {
    stepFrom(9, {0, 0, 0, 0});
    EXPECT_EQ(Phase, 0);
    EXPECT_EQ(pixel(0, 0), kGrey);
}

TEST_F(Outline, TheFirstFrameIsDrawnBeforeStartReturnsWithPhaseOne) {
    outline.StartOutline({2, 2, 30, 15}, image);
    EXPECT_EQ(Phase, 1);
    EXPECT_EQ(pixel(11, 2), RGB(0, 0, 0));
    EXPECT_EQ(pixel(12, 2), RGB(255, 255, 255));
    outline.StopOutline();
    EXPECT_FALSE(outline.running());
    outline.StopOutline();  // twice is harmless
}

TEST_F(Outline, StepsRunInEveryMessageLoopIncludingAModalBox) {
    outline.StartOutline({0, 0, 30, 15}, image);
    const int before = Phase;
    test::pumpMessagesFor(400);
    EXPECT_NE(Phase, before) << "no step ran in the main loop";

    int phaseWhenShown = -1;
    int phaseWhenClosed = -1;
    test::whenWindowAppears("TMessageForm", "Busy", [&](HWND box) {
        phaseWhenShown = Phase;
        SetTimer(box, 1, 400, closeBoxLater);
    });
    win::showMessageDialog(nullptr, {.text = "Wait", .caption = "Busy", .buttons = {{"OK", IDOK}},
                                     .defaultResult = IDOK, .cancelResult = IDOK});
    phaseWhenClosed = Phase;
    EXPECT_NE(phaseWhenShown, phaseWhenClosed) << "no step ran while the box was open";
    outline.StopOutline();
}

TEST_F(Outline, StoppingWhileTheWorkerWaitsForAStepDoesNotDeadlock) {
    outline.StartOutline({0, 0, 30, 15}, image);
    Sleep(150);  // the worker has asked for a step and waits for this thread to run it
    outline.StopOutline();
    EXPECT_FALSE(outline.running());
}

TEST_F(Outline, StartingAgainLeavesExactlyOneOutline) {
    outline.StartOutline({0, 0, 30, 15}, image);
    outline.StartOutline({5, 5, 10, 10}, image);
    EXPECT_EQ(Phase, 1);
    EXPECT_EQ(outline.OutlineRect.left, 5);
    EXPECT_TRUE(outline.running());
    outline.StopOutline();
}

TEST_F(Outline, TheMiniatureOutlinesTheChosenArea) {
    auto& main = *fmKestrelPrintScreen;
    main.ShowCapture();
    const int w = main.ExampleImage.clientWidth();
    const int h = main.ExampleImage.clientHeight();
    ASSERT_EQ(main.ScreenArea.itemIndex(), 0);
    // All: the outermost pixels of the miniature, the far corner excepted.
    const COLORREF corner = GetPixel(main.ExampleImage.picture().dc(), 0, 0);
    EXPECT_TRUE(corner == RGB(255, 255, 255) || corner == RGB(0, 0, 0));
    EXPECT_TRUE(fmAnimatedRectangle->running());
    EXPECT_EQ(fmAnimatedRectangle->OutlineRect.right, w - 1);
    EXPECT_EQ(fmAnimatedRectangle->OutlineRect.bottom, h - 1);

    main.ForegroundRect = {100, 50, 499, 349};
    SendMessageA(main.ScreenArea.button(2), BM_CLICK, 0, 0);
    const AreaRect expected = ScreenToPreviewRect(main.ForegroundRect, w, h);
    EXPECT_EQ(fmAnimatedRectangle->OutlineRect.left, expected.Left);
    EXPECT_EQ(fmAnimatedRectangle->OutlineRect.bottom, expected.Bottom);

    main.HideCapture();
    EXPECT_FALSE(fmAnimatedRectangle->running());
}

}  // namespace
}  // namespace vps
