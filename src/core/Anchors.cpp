#include "core/Anchors.h"

#include <utility>

namespace vps::layout {

namespace {

// One axis: the control's start and extent in a parent that went from designExtent to extent.
std::pair<std::int32_t, std::int32_t> followAxis(std::int32_t start, std::int32_t size,
                                                  std::int32_t designExtent, std::int32_t extent,
                                                  bool anchoredStart, bool anchoredEnd) {
    const std::int32_t growth = extent - designExtent;
    if (anchoredStart && anchoredEnd) return {start, size + growth < 0 ? 0 : size + growth};
    if (anchoredEnd) return {start + growth, size};
    if (anchoredStart || designExtent <= 0) return {start, size};
    // Twice the centre, so an odd size in an odd parent stays exactly centred.
    const std::int64_t doubleCentre = 2 * std::int64_t{start} + size;
    return {static_cast<std::int32_t>((doubleCentre * extent / designExtent - size) / 2), size};
}

}  // namespace

Box anchoredBounds(const Box& design, std::int32_t designWidth, std::int32_t designHeight,
                   Anchors anchors, std::int32_t parentWidth, std::int32_t parentHeight) {
    const auto [left, width] = followAxis(design.left, design.width, designWidth, parentWidth,
                                          anchors & AnchorLeft, anchors & AnchorRight);
    const auto [top, height] = followAxis(design.top, design.height, designHeight, parentHeight,
                                          anchors & AnchorTop, anchors & AnchorBottom);
    return {left, top, width, height};
}

}  // namespace vps::layout
