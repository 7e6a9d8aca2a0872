#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/AreaSelection.h"

namespace vps {
namespace {

constexpr Size kScreen{1024, 768};

std::string text(const AreaRect& r) {
    return "(" + std::to_string(r.Left) + ", " + std::to_string(r.Top) + ", " +
           std::to_string(r.Right) + ", " + std::to_string(r.Bottom) + ")";
}

// A selection on which the rectangle (l, t, r, b) was drawn with the mouse and released.
AreaSelection drawn(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    AreaSelection s;
    s.mouseDown(true, {l, t}, kScreen);
    s.mouseMove({r, b}, kScreen);
    s.mouseUp();
    return s;
}

TEST(AreaSelection, ANewDragFollowsThePointerAndTheReleaseOrdersTheCorners) {
    struct Case {
        const char* what;
        SelectionPoint press;
        SelectionPoint release;
        AreaRect whileDragging;
        AreaRect afterRelease;
    } cases[] = {
        {"down and right", {100, 100}, {300, 200}, {100, 100, 300, 200}, {100, 100, 300, 200}},
        {"up and left", {300, 200}, {100, 100}, {300, 200, 100, 100}, {100, 100, 300, 200}},
        {"up and right", {100, 200}, {300, 100}, {100, 200, 300, 100}, {100, 100, 300, 200}},
        {"a thin strip", {100, 100}, {300, 103}, {100, 100, 300, 103}, {100, 100, 300, 103}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AreaSelection s;
        EXPECT_FALSE(s.mouseDown(true, c.press, kScreen).redraw);
        EXPECT_TRUE(s.Dragging);
        const SelectionResponse move = s.mouseMove(c.release, kScreen);
        EXPECT_TRUE(move.redraw);
        EXPECT_FALSE(move.cursor) << "the cursor keeps its shape during a drag";
        EXPECT_EQ(s.corners(), c.whileDragging);
        const SelectionResponse release = s.mouseUp();
        EXPECT_FALSE(release.refusedClick);
        EXPECT_FALSE(release.redraw);
        EXPECT_FALSE(s.Dragging);
        EXPECT_EQ(s.corners(), c.afterRelease);
        EXPECT_EQ(s.SavedRect, (AreaRect{0, 0, 0, 0}));
    }
}

TEST(AreaSelection, ADragThatNeverMovesIsStillRedrawn) {
    AreaSelection s = drawn(100, 100, 200, 200);
    s.mouseMove({100, 150}, kScreen);  // onto the left edge
    s.mouseDown(true, {100, 150}, kScreen);
    EXPECT_TRUE(s.mouseMove({198, 150}, kScreen).redraw);
    EXPECT_EQ(s.corners(), (AreaRect{100, 100, 200, 200}));
}

TEST(AreaSelection, HoverFindsTheHandleAndTheCursorInTheDocumentedOrder) {
    using C = SelectionCursor;
    struct Case {
        AreaRect rect;
        SelectionPoint at;
        Handle handle;
        bool inside;
        SelectionCursor cursor;
    } cases[] = {
        // (100, 100, 200, 200): tolerance 6 both ways.
        {{100, 100, 200, 200}, {150, 94}, hdTop, false, C::SizeNorthSouth},
        {{100, 100, 200, 200}, {150, 93}, hdNone, false, C::Cross},
        {{100, 100, 200, 200}, {150, 106}, hdTop, false, C::SizeNorthSouth},
        {{100, 100, 200, 200}, {106, 100}, hdTopLeft, false, C::SizeNorthWestSouthEast},
        {{100, 100, 200, 200}, {107, 100}, hdTop, false, C::SizeNorthSouth},
        {{100, 100, 200, 200}, {150, 150}, hdNone, true, C::Hand},
        {{100, 100, 200, 200}, {107, 107}, hdNone, true, C::Hand},
        {{100, 100, 200, 200}, {94, 150}, hdLeft, false, C::SizeWestEast},
        {{100, 100, 200, 200}, {93, 150}, hdNone, false, C::Cross},
        {{100, 100, 200, 200}, {206, 150}, hdRight, false, C::SizeWestEast},
        {{100, 100, 200, 200}, {150, 206}, hdBottom, false, C::SizeNorthSouth},
        {{100, 100, 200, 200}, {94, 94}, hdTopLeft, false, C::SizeNorthWestSouthEast},
        {{100, 100, 200, 200}, {206, 94}, hdTopRight, false, C::SizeNorthEastSouthWest},
        {{100, 100, 200, 200}, {94, 206}, hdBottomLeft, false, C::SizeNorthEastSouthWest},
        {{100, 100, 200, 200}, {206, 206}, hdBottomRight, false, C::SizeNorthWestSouthEast},
        {{100, 100, 200, 200}, {207, 206}, hdNone, false, C::Cross},
        {{100, 100, 200, 200}, {50, 50}, hdNone, false, C::Cross},
        // Inside is right- and bottom-exclusive, but the far corner's zone covers that anyway.
        {{100, 100, 200, 200}, {199, 199}, hdBottomRight, false, C::SizeNorthWestSouthEast},
        // (100, 100, 108, 108): tolerance 8 div 2 = 4 both ways.
        {{100, 100, 108, 108}, {96, 96}, hdTopLeft, false, C::SizeNorthWestSouthEast},
        {{100, 100, 108, 108}, {95, 96}, hdNone, false, C::Cross},
        {{100, 100, 108, 108}, {96, 95}, hdNone, false, C::Cross},
        {{100, 100, 108, 108}, {112, 112}, hdBottomRight, false, C::SizeNorthWestSouthEast},
        {{100, 100, 108, 108}, {113, 112}, hdNone, false, C::Cross},
        // The corners' zones meet in the middle of so small a rectangle and cover the edges'.
        {{100, 100, 108, 108}, {104, 96}, hdTopRight, false, C::SizeNorthEastSouthWest},
        {{100, 100, 108, 108}, {104, 104}, hdBottomRight, false, C::SizeNorthWestSouthEast},
        // Width 11 gives 5 (rounded toward zero), height 100 gives 6.
        {{100, 100, 111, 200}, {95, 150}, hdLeft, false, C::SizeWestEast},
        {{100, 100, 111, 200}, {94, 150}, hdNone, false, C::Cross},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << text(c.rect) << " at " << c.at.x << ", " << c.at.y);
        AreaSelection s = drawn(c.rect.Left, c.rect.Top, c.rect.Right, c.rect.Bottom);
        const SelectionResponse response = s.mouseMove(c.at, kScreen);
        EXPECT_EQ(s.ActiveHandle, c.handle);
        EXPECT_EQ(s.PointerInside, c.inside);
        EXPECT_EQ(response.cursor, c.cursor);
        EXPECT_FALSE(response.redraw);
    }
}

TEST(AreaSelection, NoHandleOrInsideWithoutARealRectangle) {
    struct Case {
        const char* what;
        SelectionPoint start;
        SelectionPoint end;
        SelectionPoint at;
    } cases[] = {
        {"nothing drawn yet", {0, 0}, {0, 0}, {0, 0}},
        {"flat", {100, 100}, {200, 100}, {150, 100}},
        {"inverted by the keys", {200, 200}, {100, 100}, {150, 150}},
        {"inverted, on its corner", {200, 200}, {100, 100}, {200, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AreaSelection s;
        s.StartPoint = c.start;
        s.EndPoint = c.end;
        EXPECT_EQ(s.mouseMove(c.at, kScreen).cursor, SelectionCursor::Cross);
        EXPECT_EQ(s.ActiveHandle, hdNone);
        EXPECT_FALSE(s.PointerInside);
    }
}

TEST(AreaSelection, AHandleDragMovesItsEdgesButNeverWithinFivePixelsOfTheOpposite) {
    struct Case {
        const char* what;
        SelectionPoint grip;  // hovered and pressed on (100, 100, 200, 200)
        Handle handle;
        SelectionPoint to;
        AreaRect expected;
    } cases[] = {
        {"left stops short", {100, 150}, hdLeft, {195, 10}, {100, 100, 200, 200}},
        {"left follows", {100, 150}, hdLeft, {194, 10}, {194, 100, 200, 200}},
        {"left outwards", {100, 150}, hdLeft, {20, 300}, {20, 100, 200, 200}},
        {"right stops short", {200, 150}, hdRight, {105, 10}, {100, 100, 200, 200}},
        {"right follows", {200, 150}, hdRight, {106, 10}, {100, 100, 106, 200}},
        {"top stops short", {150, 100}, hdTop, {10, 195}, {100, 100, 200, 200}},
        {"top follows", {150, 100}, hdTop, {10, 194}, {100, 194, 200, 200}},
        {"bottom stops short", {150, 200}, hdBottom, {10, 105}, {100, 100, 200, 200}},
        {"bottom follows", {150, 200}, hdBottom, {10, 106}, {100, 100, 200, 106}},
        {"top-left both", {100, 100}, hdTopLeft, {50, 60}, {50, 60, 200, 200}},
        {"top-left only x", {100, 100}, hdTopLeft, {194, 195}, {194, 100, 200, 200}},
        {"top-right both", {200, 100}, hdTopRight, {300, 60}, {100, 60, 300, 200}},
        {"top-right only y", {200, 100}, hdTopRight, {105, 60}, {100, 60, 200, 200}},
        {"bottom-left both", {100, 200}, hdBottomLeft, {50, 300}, {50, 100, 200, 300}},
        {"bottom-left only y", {100, 200}, hdBottomLeft, {195, 300}, {100, 100, 200, 300}},
        {"bottom-right both", {200, 200}, hdBottomRight, {300, 300}, {100, 100, 300, 300}},
        {"bottom-right neither", {200, 200}, hdBottomRight, {105, 105}, {100, 100, 200, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AreaSelection s = drawn(100, 100, 200, 200);
        s.mouseMove(c.grip, kScreen);
        ASSERT_EQ(s.ActiveHandle, c.handle);
        s.mouseDown(true, c.grip, kScreen);
        EXPECT_TRUE(s.Dragging);
        EXPECT_EQ(s.corners(), (AreaRect{100, 100, 200, 200})) << "a grip starts no new rectangle";
        EXPECT_TRUE(s.mouseMove(c.to, kScreen).redraw);
        EXPECT_EQ(s.corners(), c.expected);
        EXPECT_EQ(s.ActiveHandle, c.handle) << "the handle stays for the whole drag";
        EXPECT_FALSE(s.mouseUp().refusedClick);
        EXPECT_EQ(s.corners(), c.expected);
    }
}

TEST(AreaSelection, ADragBeyondThePrimaryScreenIsClampedToItsBorder) {
    struct Case {
        const char* what;
        // A grip of (100, 100, 200, 200), or none: a new rectangle from (500, 400).
        std::optional<SelectionPoint> grip;
        SelectionPoint to;
        AreaRect expected;
    } cases[] = {
        {"new drag to the left and below", std::nullopt, {-300, 900}, {0, 400, 500, 767}},
        {"new drag to the right and above", std::nullopt, {2000, -40}, {500, 0, 1023, 400}},
        {"new drag far off both ways", std::nullopt, {-2147483647, 2147483647}, {0, 400, 500, 767}},
        {"right edge, off screen", SelectionPoint{200, 150}, {1600, 150}, {100, 100, 1023, 200}},
        {"top-left onto a monitor above", SelectionPoint{100, 100}, {-50, -50}, {0, 0, 200, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AreaSelection s = drawn(100, 100, 200, 200);
        const SelectionPoint press = c.grip.value_or(SelectionPoint{500, 400});
        s.mouseMove(press, kScreen);
        s.mouseDown(true, press, kScreen);
        s.mouseMove(c.to, kScreen);
        s.mouseUp();
        EXPECT_EQ(s.corners(), c.expected);
        s.Confirmed = true;
        const AreaRect result = s.result();
        EXPECT_GE(result.Left, 0);
        EXPECT_GE(result.Top, 0);
        EXPECT_LE(result.Right, kScreen.width - 1);
        EXPECT_LE(result.Bottom, kScreen.height - 1);
    }
}

TEST(AreaSelection, AClickWithoutADragIsRefusedAndBringsThePreviousRectangleBack) {
    struct Case {
        const char* what;
        SelectionPoint press;
        SelectionPoint release;
        bool refused;
        AreaRect expected;
    } cases[] = {
        {"same point", {500, 500}, {500, 500}, true, {100, 100, 300, 200}},
        {"four pixels both ways", {500, 500}, {504, 504}, true, {100, 100, 300, 200}},
        {"four pixels back both ways", {500, 500}, {496, 496}, true, {100, 100, 300, 200}},
        {"five pixels across", {500, 500}, {505, 500}, false, {500, 500, 505, 500}},
        {"five pixels down", {500, 500}, {500, 505}, false, {500, 500, 500, 505}},
        {"five pixels back up", {500, 500}, {504, 495}, false, {500, 495, 504, 500}},
        {"a 3-pixel-high strip", {500, 500}, {700, 503}, false, {500, 500, 700, 503}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AreaSelection s = drawn(100, 100, 300, 200);
        s.mouseMove(c.press, kScreen);
        s.mouseDown(true, c.press, kScreen);
        EXPECT_EQ(s.SavedRect, (AreaRect{100, 100, 300, 200}));
        s.mouseMove(c.release, kScreen);
        const SelectionResponse release = s.mouseUp();
        EXPECT_EQ(release.refusedClick, c.refused);
        EXPECT_EQ(release.redraw, c.refused);
        EXPECT_EQ(s.corners(), c.expected);
        EXPECT_FALSE(s.ended()) << "the selection goes on";
    }
}

TEST(AreaSelection, AClickBeforeAnythingWasDrawnComesBackToNothing) {
    AreaSelection s;
    s.mouseDown(true, {400, 300}, kScreen);
    EXPECT_TRUE(s.mouseUp().refusedClick);
    EXPECT_EQ(s.corners(), (AreaRect{0, 0, 0, 0}));
}

TEST(AreaSelection, OnlyTheLeftButtonStartsAnythingButEveryReleaseRunsTheClickTest) {
    AreaSelection s = drawn(100, 100, 300, 200);
    s.mouseMove({500, 500}, kScreen);
    s.mouseDown(false, {500, 500}, kScreen);
    EXPECT_FALSE(s.Dragging);
    EXPECT_EQ(s.corners(), (AreaRect{100, 100, 300, 200}));
    EXPECT_FALSE(s.mouseUp().refusedClick) << "the rectangle is large: nothing to refuse";

    // The keys can shrink the rectangle to a click's size; then a right click refuses it too.
    AreaSelection narrow = drawn(100, 100, 300, 200);
    narrow.StartPoint = {100, 100};
    narrow.EndPoint = {102, 102};
    narrow.mouseDown(false, {500, 500}, kScreen);
    EXPECT_TRUE(narrow.mouseUp().refusedClick);
    EXPECT_EQ(narrow.corners(), (AreaRect{0, 0, 0, 0}));
}

TEST(AreaSelection, APressInsideConfirmsAtOnceAndEndsEverything) {
    AreaSelection s = drawn(100, 100, 200, 200);
    s.mouseMove({150, 150}, kScreen);
    ASSERT_TRUE(s.PointerInside);
    s.mouseDown(true, {150, 150}, kScreen);
    EXPECT_TRUE(s.Confirmed);
    EXPECT_FALSE(s.Dragging);
    EXPECT_EQ(s.corners(), (AreaRect{100, 100, 200, 200}));
    // Whatever still arrives before the window hides changes nothing.
    const SelectionResponse ignored[] = {
        s.mouseMove({10, 10}, kScreen),
        s.mouseDown(true, {10, 10}, kScreen),
        s.mouseUp(),
        s.keyDown(SelectionKey::Left, {}, kScreen),
    };
    for (const SelectionResponse& response : ignored) {
        EXPECT_FALSE(response.redraw);
        EXPECT_FALSE(response.refusedClick);
        EXPECT_FALSE(response.cursor);
    }
    EXPECT_EQ(s.result(), (AreaRect{100, 100, 200, 200}));
}

TEST(AreaSelection, ArrowKeysNudgeTheCornersWithinTheScreen) {
    using K = SelectionKey;
    constexpr KeyModifiers kShift{.shift = true}, kCtrl{.ctrl = true}, kBoth{true, true}, kNone{};
    struct Case {
        const char* what;
        SelectionPoint start;
        SelectionPoint end;
        K key;
        KeyModifiers modifiers;
        SelectionPoint expectedStart;
        SelectionPoint expectedEnd;
    } cases[] = {
        {"Shift+Right at the edge", {1023, 10}, {50, 50}, K::Right, kShift, {1023, 10}, {50, 50}},
        {"Shift+Right", {100, 10}, {50, 50}, K::Right, kShift, {101, 10}, {50, 50}},
        {"Shift+Ctrl+Up: the start", {100, 10}, {50, 50}, K::Up, kBoth, {100, 9}, {50, 50}},
        {"Ctrl+Left: the end", {100, 10}, {50, 50}, K::Left, kCtrl, {100, 10}, {49, 50}},
        {"Ctrl+Down at the bottom", {100, 10}, {50, 767}, K::Down, kCtrl, {100, 10}, {50, 767}},
        {"Left narrows from 0", {0, 10}, {200, 50}, K::Left, kNone, {0, 10}, {199, 50}},
        {"Up moves both", {10, 10}, {200, 50}, K::Up, kNone, {10, 9}, {200, 49}},
        {"Up at the top", {10, 0}, {200, 0}, K::Up, kNone, {10, 0}, {200, 0}},
        {"Right at the edge widens", {10, 10}, {1023, 50}, K::Right, kNone, {11, 10}, {1023, 50}},
        {"Down moves both", {10, 10}, {200, 50}, K::Down, kNone, {10, 11}, {200, 51}},
        {"Down at the bottom", {10, 766}, {200, 767}, K::Down, kNone, {10, 767}, {200, 767}},
        {"Space: nothing", {10, 10}, {200, 50}, K::Other, kNone, {10, 10}, {200, 50}},
        {"Shift+Space: nothing", {10, 10}, {200, 50}, K::Other, kShift, {10, 10}, {200, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AreaSelection s;
        s.StartPoint = c.start;
        s.EndPoint = c.end;
        s.ActiveHandle = hdLeft;  // the hover state is not the keys' business
        const SelectionResponse response = s.keyDown(c.key, c.modifiers, kScreen);
        EXPECT_EQ(s.StartPoint, c.expectedStart);
        EXPECT_EQ(s.EndPoint, c.expectedEnd);
        EXPECT_TRUE(response.redraw);
        EXPECT_EQ(response.cursor, SelectionCursor::Cross);
        EXPECT_EQ(s.ActiveHandle, hdLeft);
    }
}

TEST(AreaSelection, TheResultIsOrderedWhenConfirmedAndEmptyOtherwise) {
    struct Case {
        const char* what;
        SelectionPoint start;
        SelectionPoint end;
        bool confirmed;
        bool cancelled;
        AreaRect expected;
    } cases[] = {
        {"Enter before anything was drawn", {0, 0}, {0, 0}, true, false, {0, 0, 0, 0}},
        {"Escape before anything was drawn", {0, 0}, {0, 0}, false, true, {0, 0, 0, 0}},
        {"Escape after drawing", {100, 100}, {300, 200}, false, true, {0, 0, 0, 0}},
        {"neither (the application ended)", {100, 100}, {300, 200}, false, false, {0, 0, 0, 0}},
        {"confirmed in order", {100, 100}, {300, 200}, true, false, {100, 100, 300, 200}},
        {"confirmed, keys crossed it", {300, 100}, {100, 200}, true, false, {100, 100, 300, 200}},
        {"confirmed upside down", {100, 200}, {300, 100}, true, false, {100, 100, 300, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        AreaSelection s;
        s.StartPoint = c.start;
        s.EndPoint = c.end;
        s.Confirmed = c.confirmed;
        s.Cancelled = c.cancelled;
        EXPECT_EQ(s.result(), c.expected);
        EXPECT_EQ(s.ended(), c.confirmed || c.cancelled);
    }
}

TEST(AreaSelection, CancelledIgnoresTheMouseAndTheKeys) {
    AreaSelection s = drawn(100, 100, 200, 200);
    s.Cancelled = true;
    EXPECT_FALSE(s.keyDown(SelectionKey::Right, {}, kScreen).redraw);
    EXPECT_FALSE(s.mouseMove({150, 150}, kScreen).cursor);
    s.mouseDown(true, {400, 400}, kScreen);
    EXPECT_FALSE(s.Dragging);
    EXPECT_EQ(s.corners(), (AreaRect{100, 100, 200, 200}));
}

TEST(AreaSelection, ResetForgetsTheLastSelection) {
    AreaSelection s = drawn(100, 100, 200, 200);
    s.mouseMove({150, 150}, kScreen);
    s.mouseDown(true, {150, 150}, kScreen);
    s.reset();
    EXPECT_FALSE(s.Dragging);
    EXPECT_FALSE(s.Confirmed);
    EXPECT_FALSE(s.Cancelled);
    EXPECT_FALSE(s.PointerInside);
    EXPECT_EQ(s.ActiveHandle, hdNone);
    EXPECT_EQ(s.corners(), (AreaRect{0, 0, 0, 0}));
    EXPECT_EQ(s.SavedRect, (AreaRect{0, 0, 0, 0}));
}

TEST(AreaSelection, EveryHandleHasTheCursorOfItsDirection) {
    using C = SelectionCursor;
    const std::pair<Handle, C> cases[] = {
        {hdTopLeft, C::SizeNorthWestSouthEast},
        {hdTop, C::SizeNorthSouth},
        {hdTopRight, C::SizeNorthEastSouthWest},
        {hdLeft, C::SizeWestEast},
        {hdRight, C::SizeWestEast},
        {hdBottomLeft, C::SizeNorthEastSouthWest},
        {hdBottom, C::SizeNorthSouth},
        {hdBottomRight, C::SizeNorthWestSouthEast},
    };
    for (const auto& [handle, cursor] : cases) {
        SCOPED_TRACE(static_cast<int>(handle));
        EXPECT_EQ(cursorFor(handle, false), cursor);
        EXPECT_EQ(cursorFor(handle, true), cursor);
    }
    EXPECT_EQ(cursorFor(hdNone, false), C::Cross);
    EXPECT_EQ(cursorFor(hdNone, true), C::Hand);
}

}  // namespace
}  // namespace vps
