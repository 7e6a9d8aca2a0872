#pragma once

#include <cstdint>
#include <optional>

#include "core/AreaRect.h"

namespace vps {

// The grips of a drawn rectangle: the values of AreaSelection::ActiveHandle.
enum Handle : std::uint8_t {
    hdTopLeft,
    hdTop,
    hdTopRight,
    hdLeft,
    hdRight,
    hdBottomLeft,
    hdBottom,
    hdBottomRight,
    hdNone,
};

// The pointer shapes of a selection; the window turns each into the system's cursor.
enum class SelectionCursor {
    SizeNorthWestSouthEast,
    SizeNorthSouth,
    SizeNorthEastSouthWest,
    SizeWestEast,
    Cross,
    Hand,
};

// The cursor that shows while the pointer rests on `handle` (hdNone: inside the rectangle or not).
SelectionCursor cursorFor(Handle handle, bool pointerInside);

struct SelectionPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend constexpr bool operator==(const SelectionPoint&, const SelectionPoint&) = default;
};

enum class SelectionKey { Left, Up, Right, Down, Other };

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
};

// What the window has to carry out after an event, in this order: set the cursor override,
// beep for a refused click, redraw the selection, open help topic 10000 for a refused click.
struct SelectionResponse {
    std::optional<SelectionCursor> cursor;
    bool redraw = false;
    bool refusedClick = false;
};

// The state of one rectangle being drawn by hand over the frozen screen, and the rules by which
// the mouse and the arrow keys change it. Coordinates are screen pixels; `screen` is the primary
// screen's size W x H at the time of the event.
//
// A pointer beyond the primary screen (a drag carried onto another monitor) counts as the nearest
// pixel of the primary screen: the result must lie on the snapshot, and an edge dragged off the
// screen so lands exactly on the screen's border.
class AreaSelection {
public:
    // Back to the start of a selection: no rectangle, nothing under the pointer.
    void reset();

    SelectionResponse mouseDown(bool leftButton, SelectionPoint at, Size screen);
    SelectionResponse mouseMove(SelectionPoint at, Size screen);
    // The release of any button.
    SelectionResponse mouseUp();
    // Enter and Escape never come here: they set Confirmed and Cancelled.
    SelectionResponse keyDown(SelectionKey key, KeyModifiers modifiers, Size screen);

    bool ended() const { return Confirmed || Cancelled; }
    // The corners as they stand, in any order: what the outline runs along.
    AreaRect corners() const { return {StartPoint.x, StartPoint.y, EndPoint.x, EndPoint.y}; }
    // The confirmed rectangle in order, or (0, 0, 0, 0) when the selection did not confirm.
    AreaRect result() const;

    bool Dragging = false;
    bool Confirmed = false;
    SelectionPoint StartPoint;
    SelectionPoint EndPoint;
    Handle ActiveHandle = hdNone;
    bool PointerInside = false;
    bool Cancelled = false;
    // The rectangle before the current new drag, brought back when that drag was only a click.
    AreaRect SavedRect;

private:
    void orderCorners();
    void dragTo(SelectionPoint at);
    SelectionResponse hover(SelectionPoint at);
};

}  // namespace vps
