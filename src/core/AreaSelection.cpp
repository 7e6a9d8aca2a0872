#include "core/AreaSelection.h"

#include <algorithm>
#include <utility>

namespace vps {

namespace {

// How close a moved edge may come to the opposite one: a handle drag never makes the
// rectangle thinner than this.
constexpr std::int32_t kMinimumGap = 5;
// Half the width of a handle's zone; a small rectangle gets narrower zones so its inside
// stays reachable.
constexpr std::int32_t kTolerance = 6;
// A release this close to the press on both axes was a click, not a drag.
constexpr std::int32_t kClickExtent = 5;

SelectionPoint clampToScreen(SelectionPoint at, Size screen) {
    return {std::clamp(at.x, 0, std::max(screen.width - 1, 0)),
            std::clamp(at.y, 0, std::max(screen.height - 1, 0))};
}

std::int32_t toleranceFor(std::int32_t extent) {
    return extent >= 2 * kTolerance ? kTolerance : extent / 2;
}

bool within(std::int32_t v, std::int32_t low, std::int32_t high) {
    return low <= v && v <= high;
}

void nudge(SelectionPoint& point, SelectionKey key, Size screen) {
    switch (key) {
        case SelectionKey::Left:
            if (point.x > 0) --point.x;
            break;
        case SelectionKey::Up:
            if (point.y > 0) --point.y;
            break;
        case SelectionKey::Right:
            if (point.x < screen.width - 1) ++point.x;
            break;
        case SelectionKey::Down:
            if (point.y < screen.height - 1) ++point.y;
            break;
        case SelectionKey::Other:
            break;
    }
}

}  // namespace

SelectionCursor cursorFor(Handle handle, bool pointerInside) {
    switch (handle) {
        case hdTopLeft:
        case hdBottomRight:
            return SelectionCursor::SizeNorthWestSouthEast;
        case hdTop:
        case hdBottom:
            return SelectionCursor::SizeNorthSouth;
        case hdTopRight:
        case hdBottomLeft:
            return SelectionCursor::SizeNorthEastSouthWest;
        case hdLeft:
        case hdRight:
            return SelectionCursor::SizeWestEast;
        case hdNone:
            break;
    }
    return pointerInside ? SelectionCursor::Hand : SelectionCursor::Cross;
}

void AreaSelection::reset() {
    *this = AreaSelection{};
}

AreaRect AreaSelection::result() const {
    if (!Confirmed) return {};
    AreaSelection ordered = *this;
    ordered.orderCorners();
    return ordered.corners();
}

void AreaSelection::orderCorners() {
    if (EndPoint.x < StartPoint.x) std::swap(StartPoint.x, EndPoint.x);
    if (EndPoint.y < StartPoint.y) std::swap(StartPoint.y, EndPoint.y);
}

SelectionResponse AreaSelection::mouseDown(bool leftButton, SelectionPoint at, Size screen) {
    if (!leftButton || ended()) return {};
    if (PointerInside) {
        Confirmed = true;
        return {};
    }
    Dragging = true;
    if (ActiveHandle != hdNone) return {};
    at = clampToScreen(at, screen);
    SavedRect = corners();
    StartPoint = at;
    EndPoint = at;
    return {};
}

SelectionResponse AreaSelection::mouseMove(SelectionPoint at, Size screen) {
    if (ended()) return {};
    at = clampToScreen(at, screen);
    if (!Dragging) return hover(at);
    dragTo(at);
    // Redrawn even when no edge moved; the cursor keeps the shape it had when the drag began.
    return {.redraw = true};
}

void AreaSelection::dragTo(SelectionPoint at) {
    const auto [L, T, R, B] = corners();
    const bool movesLeft = at.x < R - kMinimumGap;
    const bool movesTop = at.y < B - kMinimumGap;
    const bool movesRight = at.x > L + kMinimumGap;
    const bool movesBottom = at.y > T + kMinimumGap;
    switch (ActiveHandle) {
        case hdNone:
            EndPoint = at;
            break;
        case hdTopLeft:
            if (movesLeft) StartPoint.x = at.x;
            if (movesTop) StartPoint.y = at.y;
            break;
        case hdTop:
            if (movesTop) StartPoint.y = at.y;
            break;
        case hdTopRight:
            if (movesRight) EndPoint.x = at.x;
            if (movesTop) StartPoint.y = at.y;
            break;
        case hdLeft:
            if (movesLeft) StartPoint.x = at.x;
            break;
        case hdRight:
            if (movesRight) EndPoint.x = at.x;
            break;
        case hdBottomLeft:
            if (movesLeft) StartPoint.x = at.x;
            if (movesBottom) EndPoint.y = at.y;
            break;
        case hdBottom:
            if (movesBottom) EndPoint.y = at.y;
            break;
        case hdBottomRight:
            if (movesRight) EndPoint.x = at.x;
            if (movesBottom) EndPoint.y = at.y;
            break;
    }
}

SelectionResponse AreaSelection::hover(SelectionPoint at) {
    ActiveHandle = hdNone;
    PointerInside = false;
    const auto [L, T, R, B] = corners();
    const std::int32_t tx = toleranceFor(R - L);
    const std::int32_t ty = toleranceFor(B - T);
    const auto [X, Y] = at;
    if (R > L && B > T) {
        const bool nearTop = within(Y, T - ty, T + ty);
        const bool nearBottom = within(Y, B - ty, B + ty);
        const bool nearLeft = within(X, L - tx, L + tx);
        const bool nearRight = within(X, R - tx, R + tx);
        const bool alongWidth = within(X, L + tx, R - tx);
        const bool alongHeight = within(Y, T + ty, B - ty);
        // Later tests win, so a corner takes the ends of the edges' zones.
        const std::pair<bool, Handle> tests[] = {
            {nearTop && alongWidth, hdTop},         {nearBottom && alongWidth, hdBottom},
            {nearLeft && alongHeight, hdLeft},      {nearRight && alongHeight, hdRight},
            {nearTop && nearLeft, hdTopLeft},       {nearTop && nearRight, hdTopRight},
            {nearBottom && nearLeft, hdBottomLeft}, {nearBottom && nearRight, hdBottomRight},
        };
        for (const auto& [holds, handle] : tests) {
            if (holds) ActiveHandle = handle;
        }
    }
    if (ActiveHandle == hdNone && L <= X && X < R && T <= Y && Y < B) PointerInside = true;
    return {.cursor = cursorFor(ActiveHandle, PointerInside)};
}

SelectionResponse AreaSelection::mouseUp() {
    if (ended()) return {};
    Dragging = false;
    orderCorners();
    const bool click =
        EndPoint.x - StartPoint.x < kClickExtent && EndPoint.y - StartPoint.y < kClickExtent;
    if (!click) return {};
    StartPoint = {SavedRect.Left, SavedRect.Top};
    EndPoint = {SavedRect.Right, SavedRect.Bottom};
    return {.redraw = true, .refusedClick = true};
}

SelectionResponse AreaSelection::keyDown(SelectionKey key, KeyModifiers modifiers, Size screen) {
    if (ended()) return {};
    if (modifiers.shift) {
        nudge(StartPoint, key, screen);
    } else if (modifiers.ctrl) {
        nudge(EndPoint, key, screen);
    } else {
        nudge(StartPoint, key, screen);
        nudge(EndPoint, key, screen);
    }
    return {.cursor = SelectionCursor::Cross, .redraw = true};
}

}  // namespace vps
