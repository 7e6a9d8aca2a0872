#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/SelectionAids.h"

namespace vps {
namespace {

constexpr Size kScreen{1024, 768};
constexpr AidMetrics kMetrics{};  // 96 DPI: cells of 8, a 1-pixel frame
constexpr Size kReadout{80, 18};

std::string text(const layout::Box& b) {
    return "(" + std::to_string(b.left) + ", " + std::to_string(b.top) + ", " +
           std::to_string(b.width) + " x " + std::to_string(b.height) + ")";
}

bool covers(const layout::Box& b, SelectionPoint p) {
    return b.left <= p.x && p.x < b.left + b.width && b.top <= p.y && p.y < b.top + b.height;
}

bool overlap(const layout::Box& a, const layout::Box& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

bool within(const layout::Box& b, Size bounds) {
    return b.left >= 0 && b.top >= 0 && b.left + b.width <= bounds.width &&
           b.top + b.height <= bounds.height;
}

// The selection after a press at `from` and a drag to `to`, the button still held.
AreaSelection dragging(SelectionPoint from, SelectionPoint to) {
    AreaSelection s;
    s.mouseDown(true, from, kScreen);
    s.mouseMove(to, kScreen);
    return s;
}

TEST(SelectionAids, TheReadoutShowsThePointerUntilACornerIsSetThenTheCropSize) {
    AreaSelection released = dragging({100, 100}, {300, 200});
    released.mouseUp();
    AreaSelection refusedClick;
    refusedClick.mouseDown(true, {50, 50}, kScreen);
    refusedClick.mouseMove({52, 51}, kScreen);
    refusedClick.mouseUp();
    struct Case {
        const char* what;
        AreaSelection selection;
        SelectionPoint pointer;
        std::string expected;
    } cases[] = {
        {"nothing drawn yet", {}, {512, 384}, "512, 384"},
        {"a pointer off the window counts as the nearest pixel", {}, {-7, 5000}, "0, 767"},
        {"dragging down and right: both corners count",
         dragging({100, 100}, {300, 200}),
         {300, 200},
         "201 x 101"},
        {"dragging up and left", dragging({300, 200}, {100, 100}), {100, 100}, "201 x 101"},
        {"just pressed: one pixel", dragging({10, 10}, {10, 10}), {10, 10}, "1 x 1"},
        {"released, pointer elsewhere", released, {900, 700}, "201 x 101"},
        {"a refused first click leaves nothing set", refusedClick, {52, 51}, "52, 51"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(selectionReadout(aidStateOf(c.selection, c.pointer, kScreen)), c.expected);
    }
}

TEST(SelectionAids, TheDraggedPointIsTheCornerOrEdgePointThatFollowsThePointer) {
    struct Case {
        const char* what;
        SelectionPoint grip;  // where the press lands on the drawn (100, 100, 300, 200)
        SelectionPoint to;
        std::optional<SelectionPoint> expected;
    } cases[] = {
        {"bottom-right corner", {300, 200}, {400, 260}, SelectionPoint{400, 260}},
        {"top-left corner", {100, 100}, {60, 40}, SelectionPoint{60, 40}},
        {"top-right corner", {300, 100}, {350, 80}, SelectionPoint{350, 80}},
        {"right edge: the point of the edge level with the pointer",
         {300, 150},
         {340, 170},
         SelectionPoint{340, 170}},
        {"bottom edge, pointer beyond the edge's end",
         {200, 200},
         {600, 230},
         SelectionPoint{300, 230}},
        {"an edge held back by the smallest gap", {300, 150}, {50, 150}, SelectionPoint{300, 150}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AreaSelection s = dragging({100, 100}, {300, 200});
        s.mouseUp();
        s.mouseMove(c.grip, kScreen);
        s.mouseDown(true, c.grip, kScreen);
        s.mouseMove(c.to, kScreen);
        EXPECT_EQ(aidStateOf(s, c.to, kScreen).dragged, c.expected);
    }
    AreaSelection hovering = dragging({100, 100}, {300, 200});
    hovering.mouseUp();
    EXPECT_FALSE(aidStateOf(hovering, {300, 200}, kScreen).dragged) << "no drag, nothing dragged";
}

TEST(SelectionAids, TheAidsGoOutPastTheDraggedCornerAndFlipAtTheWindowsEdges) {
    const std::int32_t side = magnifierSide(kMetrics);  // 122
    ASSERT_EQ(side, 122);
    struct Case {
        const char* what;
        AidState state;
        layout::Box magnifier;
        layout::Box readout;
    } cases[] = {
        {"before the first corner: below and right of the pointer",
         {.pointer = {500, 300}},
         {521, 321, side, side},
         {521, 447, 80, 18}},
        {"dragging down and right: beyond the corner",
         {{300, 200}, AreaRect{100, 100, 300, 200}, SelectionPoint{300, 200}},
         {321, 221, side, side},
         {321, 347, 80, 18}},
        {"dragging up and left: above and left, the readout on top",
         {{400, 300}, AreaRect{600, 500, 400, 300}, SelectionPoint{400, 300}},
         {400 - 20 - side, 300 - 20 - side, side, side},
         {400 - 20 - 80, 300 - 20 - side - 4 - 18, 80, 18}},
        {"near the right edge: mirrored to the left",
         {.pointer = {1000, 300}},
         {1000 - 20 - side, 321, side, side},
         {1000 - 20 - 80, 447, 80, 18}},
        {"near the bottom right corner: mirrored both ways",
         {.pointer = {1000, 760}},
         {1000 - 20 - side, 760 - 20 - side, side, side},
         {1000 - 20 - 80, 760 - 20 - side - 4 - 18, 80, 18}},
        {"a corner held back while the pointer went on is kept clear: mirrored",
         {{520, 300}, AreaRect{100, 100, 540, 330}, SelectionPoint{540, 330}},
         {520 - 20 - side, 321, side, side},
         {520 - 20 - 80, 447, 80, 18}},
        {"dragging up and left near the top-left corner: down and right",
         {{10, 10}, AreaRect{300, 200, 10, 10}, SelectionPoint{10, 10}},
         {31, 31, side, side},
         {31, 157, 80, 18}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const AidPlacement p = placeSelectionAids(c.state, kReadout, kMetrics, kScreen);
        EXPECT_EQ(p.magnifier, c.magnifier) << text(p.magnifier);
        EXPECT_EQ(p.readout, c.readout) << text(p.readout);
    }
}

// Over pointers across the whole window and drags in every direction: the aids stay inside the
// window, never cover the pointer or the dragged corner, and never cover each other.
TEST(SelectionAids, TheAidsStayInsideAndOffThePointerAndTheDraggedCornerEverywhere) {
    const Size sizes[] = {kScreen, {640, 480}};
    const SelectionPoint pressOffsets[] = {{-150, -90}, {150, -90}, {-150, 90}, {150, 90}, {0, 0}};
    const Size readouts[] = {kReadout, {200, 30}};
    for (const Size bounds : sizes) {
        for (const Size readout : readouts) {
            for (std::int32_t x = 0; x < bounds.width; x += 37) {
                for (std::int32_t y = 0; y < bounds.height; y += 29) {
                    for (const SelectionPoint off : pressOffsets) {
                        const SelectionPoint at{x, y};
                        const AreaSelection s = dragging({x + off.x, y + off.y}, at);
                        const AidState state = aidStateOf(s, at, bounds);
                        const AidPlacement p = placeSelectionAids(state, readout, kMetrics, bounds);
                        SCOPED_TRACE("pointer " + std::to_string(x) + ", " + std::to_string(y) +
                                     " magnifier " + text(p.magnifier) + " readout " +
                                     text(p.readout));
                        ASSERT_TRUE(within(p.magnifier, bounds));
                        ASSERT_TRUE(within(p.readout, bounds));
                        ASSERT_FALSE(covers(p.magnifier, state.pointer));
                        ASSERT_FALSE(covers(p.readout, state.pointer));
                        ASSERT_TRUE(state.dragged);
                        ASSERT_FALSE(covers(p.magnifier, *state.dragged));
                        ASSERT_FALSE(covers(p.readout, *state.dragged));
                        ASSERT_FALSE(overlap(p.magnifier, p.readout));
                    }
                }
            }
        }
    }
}

TEST(SelectionAids, AWindowTooSmallForBothAidsKeepsTheirTopInside) {
    const Size tiny{150, 130};  // the magnifier fits, the readout below it not
    const AidPlacement p = placeSelectionAids({.pointer = {75, 50}}, kReadout, kMetrics, tiny);
    EXPECT_EQ(p.magnifier.top, 0) << "the top stays visible";
    EXPECT_TRUE(within(p.magnifier, tiny)) << text(p.magnifier);
}

TEST(SelectionAids, TheMagnifierShowsTheSquareAroundThePointerCutToTheSnapshot) {
    struct Case {
        const char* what;
        SelectionPoint pointer;
        layout::Box pixels;
        std::int32_t firstColumn;
        std::int32_t firstRow;
    } cases[] = {
        {"in the middle: the whole square", {500, 300}, {493, 293, 15, 15}, 0, 0},
        {"the top-left pixel: its quarter", {0, 0}, {0, 0, 8, 8}, 7, 7},
        {"the bottom-right pixel", {1023, 767}, {1016, 760, 8, 8}, 0, 0},
        {"against the left edge", {3, 400}, {0, 393, 11, 15}, 4, 0},
        {"wholly outside", {-20, 400}, {0, 0, 0, 0}, 0, 0},
        {"far outside: no overflow", {2147483647, -2147483647 - 1}, {0, 0, 0, 0}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MagnifiedSource source = magnifiedSource(c.pointer, kScreen);
        EXPECT_EQ(source.pixels, c.pixels) << text(source.pixels);
        EXPECT_EQ(source.firstColumn, c.firstColumn);
        EXPECT_EQ(source.firstRow, c.firstRow);
    }
}

}  // namespace
}  // namespace vps
