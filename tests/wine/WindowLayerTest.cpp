#include <gtest/gtest.h>

#include <windowsx.h>

#include <functional>
#include <stdexcept>
#include <vector>

#include "TestSupport.h"
#include "win/Bitmap.h"
#include "win/Button.h"
#include "win/Form.h"
#include "win/Image.h"
#include "win/MessageDialog.h"
#include "win/Panel.h"

namespace win {
namespace {

using namespace vps::layout;

Form makeForm() {
    return Form({.className = "TTestForm", .name = "fmTest", .caption = "Test", .clientWidth = 300,
                 .clientHeight = 200});
}

TEST(WindowLayer, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
    vps::test::RecordedErrors errors;
    Form form = makeForm();
    int resizes = 0;
    form.OnResize = [&] {
        ++resizes;
        throw std::runtime_error("Disk full");
    };
    SetWindowPos(form.handle(), nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(form.handle(), nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(resizes, 2);
    ASSERT_EQ(errors.messages().size(), 2u);
    EXPECT_EQ(errors.messages()[0], "Disk full");
    EXPECT_TRUE(IsWindow(form.handle()));
}

TEST(WindowLayer, ChildrenFollowTheirAnchors) {
    Form form = makeForm();
    Panel stretched(form, {.name = "a", .bounds = {10, 10, 100, 50}, .anchors = kAllEdges});
    Panel corner(form, {.name = "b", .bounds = {250, 150, 40, 40}, .anchors = AnchorRight | AnchorBottom});
    Panel inner(stretched, {.name = "c", .bounds = {5, 5, 90, 40}, .anchors = kAllEdges});
    RECT outer{0, 0, 400, 260};
    AdjustWindowRectEx(&outer, GetWindowLongA(form.handle(), GWL_STYLE), FALSE,
                       GetWindowLongA(form.handle(), GWL_EXSTYLE));
    SetWindowPos(form.handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(form.clientWidth(), 400);
    EXPECT_EQ(stretched.bounds(), (Box{10, 10, 200, 110}));
    EXPECT_EQ(corner.bounds(), (Box{350, 210, 40, 40}));
    EXPECT_EQ(inner.bounds(), (Box{5, 5, 190, 100}));
}

TEST(WindowLayer, MouseCoordinatesAreSigned) {
    Form form = makeForm();
    MouseEvent seen;
    form.OnMouseMove = [&](const MouseEvent& e) { seen = e; };
    SendMessageA(form.handle(), WM_MOUSEMOVE, 0, MAKELPARAM(-5, -7));
    EXPECT_EQ(seen.x, -5);
    EXPECT_EQ(seen.y, -7);
}

TEST(WindowLayer, KeyDownTellsRepeatsAndSystemKeysApart) {
    struct Case {
        const char* what;
        UINT message;
        LPARAM keyData;
        bool repeated;
        bool system;
    } cases[] = {
        {"a press", WM_KEYDOWN, 0, false, false},
        {"a held key repeating", WM_KEYDOWN, 1 << 30, true, false},
        {"with Alt", WM_SYSKEYDOWN, 1 << 29, false, true},
        {"with Alt, held", WM_SYSKEYDOWN, (1 << 29) | (1 << 30), true, true},
    };
    Form form = makeForm();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<KeyEvent> seen;
        form.OnKeyDown = [&](const KeyEvent& e) { seen.push_back(e); };
        SendMessageA(form.handle(), c.message, 'K', c.keyData);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].key, static_cast<WPARAM>('K'));
        EXPECT_EQ(seen[0].repeated, c.repeated);
        EXPECT_EQ(seen[0].system, c.system);
    }
}

TEST(PaintedControl, WhatThePictureLeavesUncoveredShowsTheBackground) {
    constexpr COLORREF kPicture = RGB(0, 0, 200);
    constexpr COLORREF kBackground = RGB(200, 0, 0);
    Form form = makeForm();
    Image image(form, {.name = "image", .bounds = {10, 10, 40, 30}}, kBackground);
    Bitmap picture(25, 12);
    Brush fill(CreateSolidBrush(kPicture));
    const RECT whole{0, 0, 25, 12};
    FillRect(picture.dc(), &whole, fill.get());
    image.setPicture(std::move(picture));
    form.show();
    vps::test::pumpMessagesFor(30);
    image.refresh();
    const struct {
        const char* where;
        int x, y;
        COLORREF colour;
    } cases[] = {
        {"the picture's top left", 0, 0, kPicture},
        {"the picture's bottom right", 24, 11, kPicture},
        {"right of the picture", 25, 0, kBackground},
        {"below the picture", 0, 12, kBackground},
        {"the control's bottom right", 39, 29, kBackground},
    };
    WindowDC dc(image.handle());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        EXPECT_EQ(GetPixel(dc.get(), c.x, c.y), c.colour);
    }
}

TEST(PaintedControl, OnlyAPressAndReleaseOverTheControlClick) {
    struct Case {
        const char* what;
        std::function<void(HWND)> act;
        int clicks;
    } cases[] = {
        {"press and release over it",
         [](HWND w) {
             SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(30, 20));
         },
         1},
        {"released outside, the mouse still captured",
         [](HWND w) {
             SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             EXPECT_EQ(GetCapture(), w);
             SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(-3, 5));
         },
         0},
        {"the capture taken away before the release",
         [](HWND w) {
             SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
             ReleaseCapture();
             SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
         },
         0},
        {"a release without a press",
         [](HWND w) { SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); }, 0},
    };
    Form form = makeForm();
    Image image(form, {.name = "image", .bounds = {10, 10, 40, 30}}, RGB(0, 0, 0));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        int clicks = 0;
        image.OnClick = [&] { ++clicks; };
        c.act(image.handle());
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST(WindowLayer, APictureTooLargeForMemoryIsAClearError) {
    Bitmap picture;
    try {
        picture.resize(200000, 200000);
        FAIL() << "a 200000 x 200000 picture was allocated";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Not enough memory for a picture of 200000 x 200000 pixels.");
    }
    EXPECT_TRUE(picture.empty());
}

TEST(MessageDialog, KeysAndButtonsAnswerAsLabelled) {
    struct Case {
        const char* what;
        std::function<void(HWND)> answer;
        int expected;
    } cases[] = {
        {"Enter presses the default", [](HWND d) { PostMessageA(GetFocus() ? GetFocus() : d, WM_KEYDOWN, VK_RETURN, 0); }, IDYES},
        {"Escape answers the cancel result", [](HWND d) { PostMessageA(GetFocus() ? GetFocus() : d, WM_KEYDOWN, VK_ESCAPE, 0); }, IDNO},
        {"the close box answers as Escape", [](HWND d) { PostMessageA(d, WM_CLOSE, 0, 0); }, IDNO},
        {"a click on No", [](HWND d) { PostMessageA(vps::test::findChildByCaption(d, "&No"), BM_CLICK, 0, 0); }, IDNO},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        vps::test::whenWindowAppears("TMessageForm", "Question", c.answer);
        const int result = showMessageDialog(nullptr, {.text = "Go on?",
                                                       .caption = "Question",
                                                       .buttons = {{"&Yes", IDYES}, {"&No", IDNO}},
                                                       .defaultResult = IDYES,
                                                       .cancelResult = IDNO});
        EXPECT_EQ(result, c.expected);
        EXPECT_FALSE(FindWindowA("TMessageForm", "Question"));
    }
}

TEST(MessageDialog, ALoneIgnoreButton) {
    vps::test::whenWindowAppears("TMessageForm", "Warning", [](HWND d) {
        EXPECT_EQ(vps::test::findChildByCaption(d, "OK"), nullptr);
        PostMessageA(vps::test::findChildByCaption(d, "&Ignore"), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(showMessageDialog(nullptr, {.text = "Invalid setting",
                                          .caption = "Warning",
                                          .buttons = {{"&Ignore", IDIGNORE}},
                                          .defaultResult = IDIGNORE,
                                          .cancelResult = IDIGNORE}),
              IDIGNORE);
}

}  // namespace
}  // namespace win
