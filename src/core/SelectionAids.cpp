// Where the selection's aiming aids go, and what the readout says: the size readout and the
// magnifier that follow the pointer over the frozen screen.
#include "core/SelectionAids.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace vps {

namespace {

SelectionPoint clampTo(SelectionPoint at, Size bounds) {
    return {std::clamp(at.x, 0, std::max(bounds.width - 1, 0)),
            std::clamp(at.y, 0, std::max(bounds.height - 1, 0))};
}

std::int32_t clampBetween(std::int32_t v, std::int32_t a, std::int32_t b) {
    return std::clamp(v, std::min(a, b), std::max(a, b));
}

// The point of the rectangle that an edge or corner drag carries with the pointer. An edge
// follows the pointer along its length only as far as the edge reaches.
SelectionPoint draggedPointOf(const AreaSelection& s, SelectionPoint pointer) {
    const SelectionPoint start = s.StartPoint;
    const SelectionPoint end = s.EndPoint;
    const std::int32_t alongX = clampBetween(pointer.x, start.x, end.x);
    const std::int32_t alongY = clampBetween(pointer.y, start.y, end.y);
    switch (s.ActiveHandle) {
        case hdTopLeft:
            return start;
        case hdTop:
            return {alongX, start.y};
        case hdTopRight:
            return {end.x, start.y};
        case hdLeft:
            return {start.x, alongY};
        case hdRight:
            return {end.x, alongY};
        case hdBottomLeft:
            return {start.x, end.y};
        case hdBottom:
            return {alongX, end.y};
        case hdBottomRight:
        case hdNone:
            break;
    }
    return end;
}

bool inside(const layout::Box& inner, Size bounds) {
    return inner.left >= 0 && inner.top >= 0 && inner.left + inner.width <= bounds.width &&
           inner.top + inner.height <= bounds.height;
}

// True when the box comes within `margin` pixels of the point.
bool nearPoint(const layout::Box& box, SelectionPoint point, std::int32_t margin) {
    return point.x >= box.left - margin && point.x < box.left + box.width + margin &&
           point.y >= box.top - margin && point.y < box.top + box.height + margin;
}

layout::Box pushedInside(layout::Box box, Size bounds) {
    box.left = std::max(0, std::min(box.left, bounds.width - box.width));
    box.top = std::max(0, std::min(box.top, bounds.height - box.height));
    return box;
}

// The two aids as one group on the side (sx, sy) of the pointer, each sign +1 or -1.
AidPlacement groupAt(SelectionPoint pointer, std::int32_t sx, std::int32_t sy, Size readout,
                     const AidMetrics& m) {
    const std::int32_t side = magnifierSide(m);
    const std::int32_t width = std::max(side, readout.width);
    const std::int32_t height = side + m.spacing + readout.height;
    const std::int32_t left = sx > 0 ? pointer.x + 1 + m.offset : pointer.x - m.offset - width;
    const std::int32_t top = sy > 0 ? pointer.y + 1 + m.offset : pointer.y - m.offset - height;
    // Both aids stand against the group's edge nearest the pointer, the magnifier first.
    const std::int32_t magnifierLeft = sx > 0 ? left : left + width - side;
    const std::int32_t readoutLeft = sx > 0 ? left : left + width - readout.width;
    const std::int32_t magnifierTop = sy > 0 ? top : top + height - side;
    const std::int32_t readoutTop = sy > 0 ? top + side + m.spacing : top;
    return {{magnifierLeft, magnifierTop, side, side},
            {readoutLeft, readoutTop, readout.width, readout.height}};
}

layout::Box hull(const AidPlacement& p) {
    const std::int32_t left = std::min(p.magnifier.left, p.readout.left);
    const std::int32_t top = std::min(p.magnifier.top, p.readout.top);
    const std::int32_t right =
        std::max(p.magnifier.left + p.magnifier.width, p.readout.left + p.readout.width);
    const std::int32_t bottom =
        std::max(p.magnifier.top + p.magnifier.height, p.readout.top + p.readout.height);
    return {left, top, right - left, bottom - top};
}

AidPlacement movedBy(AidPlacement p, std::int32_t dx, std::int32_t dy) {
    for (layout::Box* box : {&p.magnifier, &p.readout}) {
        box->left += dx;
        box->top += dy;
    }
    return p;
}

}  // namespace

std::int32_t magnifierSide(const AidMetrics& metrics) {
    return kMagnifiedPixels * metrics.cell + 2 * metrics.border;
}

AidState aidStateOf(const AreaSelection& selection, SelectionPoint pointer, Size bounds) {
    AidState state{.pointer = clampTo(pointer, bounds)};
    if (selection.Dragging || selection.corners() != AreaRect{}) {
        state.rectangle = selection.corners();
    }
    if (selection.Dragging) state.dragged = draggedPointOf(selection, state.pointer);
    return state;
}

std::string selectionReadout(const AidState& state) {
    if (!state.rectangle) {
        return std::to_string(state.pointer.x) + ", " + std::to_string(state.pointer.y);
    }
    const AreaRect& r = *state.rectangle;
    // Corners are inclusive and in any order while a drag runs, as the crop counts them.
    const auto width = std::abs(std::int64_t{r.Right} - r.Left) + 1;
    const auto height = std::abs(std::int64_t{r.Bottom} - r.Top) + 1;
    return std::to_string(width) + " x " + std::to_string(height);
}

AidPlacement placeSelectionAids(const AidState& state, Size readout, const AidMetrics& metrics,
                                Size bounds) {
    std::int32_t sx = 1;
    std::int32_t sy = 1;
    if (state.dragged && state.rectangle) {
        // Outward: past the dragged point, away from the rectangle's middle.
        const AreaRect& r = *state.rectangle;
        const std::int64_t twiceMiddleX = std::int64_t{r.Left} + r.Right;
        const std::int64_t twiceMiddleY = std::int64_t{r.Top} + r.Bottom;
        sx = 2 * std::int64_t{state.dragged->x} >= twiceMiddleX ? 1 : -1;
        sy = 2 * std::int64_t{state.dragged->y} >= twiceMiddleY ? 1 : -1;
    }
    const auto keepsOff = [&](const AidPlacement& p) {
        if (!state.dragged) return true;
        return !nearPoint(p.magnifier, *state.dragged, metrics.spacing) &&
               !nearPoint(p.readout, *state.dragged, metrics.spacing);
    };
    const std::array<AidPlacement, 4> tries = {
        groupAt(state.pointer, sx, sy, readout, metrics),
        groupAt(state.pointer, -sx, sy, readout, metrics),
        groupAt(state.pointer, sx, -sy, readout, metrics),
        groupAt(state.pointer, -sx, -sy, readout, metrics),
    };
    for (const AidPlacement& p : tries) {
        if (inside(hull(p), bounds) && keepsOff(p)) return p;
    }
    // Nothing fits whole: push each try inside and take the first that still keeps off.
    for (const AidPlacement& p : tries) {
        const layout::Box group = hull(p);
        const layout::Box pushed = pushedInside(group, bounds);
        const AidPlacement moved = movedBy(p, pushed.left - group.left, pushed.top - group.top);
        if (keepsOff(moved)) return moved;
    }
    const layout::Box group = hull(tries[0]);
    const layout::Box pushed = pushedInside(group, bounds);
    return movedBy(tries[0], pushed.left - group.left, pushed.top - group.top);
}

MagnifiedSource magnifiedSource(SelectionPoint pointer, Size snapshot) {
    constexpr std::int32_t kHalf = kMagnifiedPixels / 2;
    const std::int64_t left = std::int64_t{pointer.x} - kHalf;
    const std::int64_t top = std::int64_t{pointer.y} - kHalf;
    const std::int64_t shownLeft = std::max<std::int64_t>(left, 0);
    const std::int64_t shownTop = std::max<std::int64_t>(top, 0);
    const std::int64_t shownRight = std::min<std::int64_t>(left + kMagnifiedPixels, snapshot.width);
    const std::int64_t shownBottom =
        std::min<std::int64_t>(top + kMagnifiedPixels, snapshot.height);
    if (shownRight <= shownLeft || shownBottom <= shownTop) return {};
    return {.pixels = {static_cast<std::int32_t>(shownLeft), static_cast<std::int32_t>(shownTop),
                       static_cast<std::int32_t>(shownRight - shownLeft),
                       static_cast<std::int32_t>(shownBottom - shownTop)},
            .firstColumn = static_cast<std::int32_t>(shownLeft - left),
            .firstRow = static_cast<std::int32_t>(shownTop - top)};
}

}  // namespace vps
