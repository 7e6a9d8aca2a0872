#include <gtest/gtest.h>

#include "core/Anchors.h"

namespace vps::layout {
namespace {

TEST(Anchors, EachAnchoredEdgeKeepsItsDistance) {
    const Box design{10, 20, 100, 50};  // in a 300 x 200 parent, which grows to 400 x 260
    struct Case {
        const char* what;
        Anchors anchors;
        Box expected;
    } cases[] = {
        {"left top", kLeftTop, {10, 20, 100, 50}},
        {"all four edges stretch", kAllEdges, {10, 20, 200, 110}},
        {"right bottom move", AnchorRight | AnchorBottom, {110, 80, 100, 50}},
        {"left right bottom", AnchorLeft | AnchorRight | AnchorBottom, {10, 80, 200, 50}},
        {"bottom only: centred horizontally", AnchorBottom, {30, 80, 100, 50}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(anchoredBounds(design, 300, 200, c.anchors, 400, 260), c.expected);
    }
}

TEST(Anchors, CentredControlStaysCentred) {
    // The options panel: full design width, anchored to the bottom only.
    for (std::int32_t width : {321, 329, 500, 700, 1017}) {
        const Box box = anchoredBounds({0, 227, 321, 179}, 321, 407, AnchorBottom, width, 600);
        EXPECT_LE(std::abs(2 * box.left + box.width - width), 2) << width;
        EXPECT_EQ(box.top, 227 + 600 - 407);
    }
}

TEST(Anchors, ShrinkingBelowZeroClampsTheSize) {
    EXPECT_EQ(anchoredBounds({14, 14, 20, 20}, 100, 100, kAllEdges, 50, 50), (Box{14, 14, 0, 0}));
}

}  // namespace
}  // namespace vps::layout
