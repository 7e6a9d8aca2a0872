#include <gtest/gtest.h>

#include <optional>

#include "TestSupport.h"
#include "capture/ScreenSnapshot.h"
#include "capture/WindowFrame.h"

namespace vps {
namespace {

// What the compositor of Windows 10 and 11 answers: the window less its invisible borders.
RECT compositorAnswer;
std::optional<RECT> compositorAnswers(HWND) {
    return compositorAnswer;
}
std::optional<RECT> noCompositor(HWND) {
    return std::nullopt;
}

// A plain top-level window in front of everything, so it is the foreground window.
class ForegroundWindow : public testing::Test {
public:
    ForegroundWindow()
        : window(CreateWindowExA(WS_EX_TOPMOST, "STATIC", "front", WS_POPUP | WS_VISIBLE, 100, 80,
                                 300, 200, nullptr, nullptr, nullptr, nullptr)) {
        SetForegroundWindow(window);
        test::pumpMessagesFor(50);
    }
    ~ForegroundWindow() override { DestroyWindow(window); }
    HWND window;
};

TEST_F(ForegroundWindow, TheCompositorsBoundsWinWhereItAnswersAndTheWindowRectOtherwise) {
    ASSERT_EQ(GetForegroundWindow(), window);
    compositorAnswer = {107, 80, 393, 273};
    const AreaRect viaCompositor = GetForegroundWindowRect(compositorAnswers);
    EXPECT_EQ(viaCompositor, (AreaRect{107, 80, 392, 272}));

    const AreaRect fallback = GetForegroundWindowRect(noCompositor);
    EXPECT_EQ(fallback, (AreaRect{100, 80, 399, 279}));
}

TEST_F(ForegroundWindow, TheCompositorsBoundsAreClippedToTheScreenLikeTheWindowRect) {
    const Size screen = primaryScreenSize();
    compositorAnswer = {-20, -10, screen.width + 30, 50};
    EXPECT_EQ(GetForegroundWindowRect(compositorAnswers), (AreaRect{0, 0, screen.width - 1, 49}));
}

TEST_F(ForegroundWindow, TheSystemsAnswerIsAPlausibleRectangleOfThisWindow) {
    // Wine's compositor library may or may not answer; either way the rectangle is the window's.
    const auto bounds = visibleWindowBounds(window);
    ASSERT_TRUE(bounds.has_value());
    EXPECT_GE(bounds->left, 100);
    EXPECT_LE(bounds->right, 400);
    EXPECT_GT(bounds->right, bounds->left);
}

}  // namespace
}  // namespace vps
