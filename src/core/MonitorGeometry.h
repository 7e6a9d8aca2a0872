#pragma once
// Which part of the desktop an activation captures when there is more than one monitor, and the
// arithmetic between screen coordinates (origin at the primary monitor's top-left, so monitors
// to its left or above have negative coordinates) and the snapshot's own pixels.

#include <cstdint>
#include <optional>
#include <span>

#include "core/AreaRect.h"
#include "core/CaptureChoices.h"

namespace vps {

// One monitor as the platform reports it: right and bottom edges exclusive.
struct MonitorBounds {
    ExclusiveRect bounds;
    ExclusiveRect workArea;
    bool primary = false;
};

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// What one activation freezes, in screen coordinates with inclusive edges: the captured area
// (the snapshot's extent; its top-left is the snapshot's pixel (0, 0)) and the work area that
// "All, except Task Bar" means there.
struct CapturedScreen {
    AreaRect bounds;
    AreaRect workArea;
    friend constexpr bool operator==(const CapturedScreen&, const CapturedScreen&) = default;
};

// The bounding rectangle of every monitor (the virtual screen), inclusive edges.
AreaRect virtualScreenRect(std::span<const MonitorBounds> monitors);

// The monitor that holds the point; a point between or beyond the monitors (the pointer can
// sit on no monitor only while the layout changes) goes to the nearest one. An exclusive far
// edge belongs to the neighbour, so a pointer on the seam of two monitors picks exactly one.
// Nothing only without monitors.
std::optional<std::size_t> monitorAt(std::span<const MonitorBounds> monitors, ScreenPoint point);

// The primary monitor: the one flagged so, else the one holding (0, 0), else the first.
std::optional<std::size_t> primaryMonitor(std::span<const MonitorBounds> monitors);

// The area a choice captures. For all screens the work area is the bounding rectangle of every
// monitor's work area: a rectangle cannot leave a hole, and this one drops every desktop bar
// that runs along the outside of the desktop, which is where bars are docked. Without monitors
// (the platform said nothing) `fallback` stands in as one primary monitor.
CapturedScreen capturedScreenFor(options::ScreenToCaptureChoice choice,
                                 std::span<const MonitorBounds> monitors, ScreenPoint pointer,
                                 const MonitorBounds& fallback);

// The choice as stored; an index outside the choices means the primary screen.
options::ScreenToCaptureChoice screenToCaptureChoice(int itemIndex);

// A screen rectangle clipped to `bounds`: near edges against its near edges, far edges against
// its far edges. A rectangle wholly outside comes out inverted.
AreaRect clipToArea(const AreaRect& area, const AreaRect& bounds);

// A screen rectangle in the pixels of a snapshot whose top-left is `captured`'s top-left.
AreaRect toSnapshot(const AreaRect& area, const AreaRect& captured);
// A rectangle in a snapshot's pixels back in screen coordinates.
AreaRect toScreen(const AreaRect& area, const AreaRect& captured);

}  // namespace vps
