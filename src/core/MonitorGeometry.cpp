#include "core/MonitorGeometry.h"

#include <algorithm>
#include <limits>

namespace vps {

namespace {

AreaRect inclusive(const ExclusiveRect& r) { return {r.left, r.top, r.right - 1, r.bottom - 1}; }

bool contains(const ExclusiveRect& r, ScreenPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// How far a point lies outside a rectangle along one axis; 0 inside. 64 bits: monitors may sit
// anywhere in the 32-bit range.
std::int64_t gap(std::int32_t v, std::int32_t low, std::int32_t highExclusive) {
    if (v < low) return std::int64_t{low} - v;
    if (v >= highExclusive) return std::int64_t{v} - highExclusive + 1;
    return 0;
}

AreaRect boundingRect(std::span<const MonitorBounds> monitors, ExclusiveRect MonitorBounds::* part) {
    AreaRect r{std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::max(),
               std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min()};
    for (const MonitorBounds& m : monitors) {
        const AreaRect each = inclusive(m.*part);
        r = {std::min(r.Left, each.Left), std::min(r.Top, each.Top), std::max(r.Right, each.Right),
             std::max(r.Bottom, each.Bottom)};
    }
    return r;
}

// The translation keeps to the 32-bit range whatever the rectangles: an edge that would leave it
// stays at its end, off the snapshot either way.
std::int32_t shifted(std::int32_t v, std::int64_t by) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        std::int64_t{v} + by, std::numeric_limits<std::int32_t>::min(),
        std::numeric_limits<std::int32_t>::max()));
}

AreaRect moved(const AreaRect& a, std::int64_t dx, std::int64_t dy) {
    return {shifted(a.Left, dx), shifted(a.Top, dy), shifted(a.Right, dx), shifted(a.Bottom, dy)};
}

}  // namespace

AreaRect virtualScreenRect(std::span<const MonitorBounds> monitors) {
    return monitors.empty() ? AreaRect{} : boundingRect(monitors, &MonitorBounds::bounds);
}

std::optional<std::size_t> monitorAt(std::span<const MonitorBounds> monitors, ScreenPoint point) {
    std::optional<std::size_t> nearest;
    std::int64_t nearestDistance = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const ExclusiveRect& b = monitors[i].bounds;
        if (contains(b, point)) return i;
        const std::int64_t dx = gap(point.x, b.left, b.right);
        const std::int64_t dy = gap(point.y, b.top, b.bottom);
        // Squared distances of 32-bit gaps overflow 64 bits; the larger gap orders them well
        // enough for a pointer that is off every monitor.
        const std::int64_t distance = std::max(dx, dy);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = i;
        }
    }
    return nearest;
}

std::optional<std::size_t> primaryMonitor(std::span<const MonitorBounds> monitors) {
    if (monitors.empty()) return std::nullopt;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (monitors[i].primary) return i;
    }
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (contains(monitors[i].bounds, {0, 0})) return i;
    }
    return 0;
}

CapturedScreen capturedScreenFor(options::ScreenToCaptureChoice choice,
                                 std::span<const MonitorBounds> monitors, ScreenPoint pointer,
                                 const MonitorBounds& fallback) {
    if (monitors.empty()) monitors = std::span(&fallback, 1);
    using options::ScreenToCaptureChoice;
    if (choice == ScreenToCaptureChoice::AllScreens) {
        return {virtualScreenRect(monitors), boundingRect(monitors, &MonitorBounds::workArea)};
    }
    const std::size_t index = choice == ScreenToCaptureChoice::UnderPointer
                                  ? *monitorAt(monitors, pointer)
                                  : *primaryMonitor(monitors);
    const MonitorBounds& m = monitors[index];
    return {inclusive(m.bounds), inclusive(m.workArea)};
}

options::ScreenToCaptureChoice screenToCaptureChoice(int itemIndex) {
    using options::ScreenToCaptureChoice;
    switch (itemIndex) {
        case options::indexOf(ScreenToCaptureChoice::UnderPointer):
            return ScreenToCaptureChoice::UnderPointer;
        case options::indexOf(ScreenToCaptureChoice::AllScreens):
            return ScreenToCaptureChoice::AllScreens;
        default: return ScreenToCaptureChoice::Primary;
    }
}

AreaRect clipToArea(const AreaRect& area, const AreaRect& bounds) {
    return {std::max(area.Left, bounds.Left), std::max(area.Top, bounds.Top),
            std::min(area.Right, bounds.Right), std::min(area.Bottom, bounds.Bottom)};
}

AreaRect toSnapshot(const AreaRect& area, const AreaRect& captured) {
    return moved(area, -std::int64_t{captured.Left}, -std::int64_t{captured.Top});
}

AreaRect toScreen(const AreaRect& area, const AreaRect& captured) {
    return moved(area, captured.Left, captured.Top);
}

}  // namespace vps
