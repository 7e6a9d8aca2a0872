#pragma once

#include <cstdint>

// How a child control follows its parent's size: each edge it is anchored to keeps its distance
// from the parent's matching edge. Anchored to neither edge of an axis, the control keeps its
// centre at the same proportion of the parent's size, so a centred control stays centred.
namespace vps::layout {

enum Anchor : unsigned {
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
};
using Anchors = unsigned;
inline constexpr Anchors kLeftTop = AnchorLeft | AnchorTop;
inline constexpr Anchors kAllEdges = AnchorLeft | AnchorTop | AnchorRight | AnchorBottom;

struct Box {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend constexpr bool operator==(const Box&, const Box&) = default;
};

// The control's bounds in a parent of parentWidth x parentHeight, given the bounds it had when
// its parent measured designWidth x designHeight.
Box anchoredBounds(const Box& design, std::int32_t designWidth, std::int32_t designHeight,
                   Anchors anchors, std::int32_t parentWidth, std::int32_t parentHeight);

}  // namespace vps::layout
