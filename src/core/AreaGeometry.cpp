#include "core/AreaGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vps {

AreaRect wholeScreenRect(Size screen) {
    return {0, 0, screen.width - 1, screen.height - 1};
}

AreaRect workAreaRect(const std::optional<ExclusiveRect>& workArea, Size screen) {
    if (!workArea) return wholeScreenRect(screen);
    return {workArea->left, workArea->top, workArea->right - 1, workArea->bottom - 1};
}

namespace {

// The last pixel before an exclusive far edge, no further than `lastOnScreen`. Another program
// may put its window anywhere: an edge at the very bottom of the 32-bit range has no pixel
// before it, and stays where it is (the window is off the screen either way).
std::int32_t lastPixelBefore(std::int32_t exclusiveEdge, std::int32_t lastOnScreen) {
    return exclusiveEdge == std::numeric_limits<std::int32_t>::min()
               ? exclusiveEdge
               : std::min(exclusiveEdge - 1, lastOnScreen);
}

}  // namespace

AreaRect foregroundWindowRect(const std::optional<ExclusiveRect>& windowRect, Size screen) {
    return foregroundWindowRect(windowRect, wholeScreenRect(screen));
}

AreaRect foregroundWindowRect(const std::optional<ExclusiveRect>& windowRect, const AreaRect& captured) {
    if (!windowRect) return captured;
    return {
        std::max(windowRect->left, captured.Left),
        std::max(windowRect->top, captured.Top),
        lastPixelBefore(windowRect->right, captured.Right),
        lastPixelBefore(windowRect->bottom, captured.Bottom),
    };
}

AreaRect screenToPreviewRect(const AreaRect& area, Size screen, Size preview) {
    if (screen.width <= 0 || screen.height <= 0) return {};
    const double sx = static_cast<double>(preview.width) / screen.width;
    const double sy = static_cast<double>(preview.height) / screen.height;
    // An edge far off the screen (a window placed anywhere) can scale past the 32-bit range
    // when the miniature is the larger; it stays at the range's end, off the miniature as well.
    const auto scale = [](std::int32_t v, double s) {
        constexpr double low = std::numeric_limits<std::int32_t>::min();
        constexpr double high = std::numeric_limits<std::int32_t>::max();
        return static_cast<std::int32_t>(std::clamp(std::trunc(v * s), low, high));
    };
    return {scale(area.Left, sx), scale(area.Top, sy), scale(area.Right, sx),
            scale(area.Bottom, sy)};
}

std::array<ExclusiveRect, 4> outlineEdges(const AreaRect& corners) {
    // The exclusive edge after the last pixel; a corner at the very end of the 32-bit range (a
    // window far off the screen) gets an empty strip there, which nothing could paint anyway.
    const auto after = [](std::int32_t v) {
        return v == std::numeric_limits<std::int32_t>::max() ? v : v + 1;
    };
    const std::int32_t left = std::min(corners.Left, corners.Right);
    const std::int32_t right = after(std::max(corners.Left, corners.Right));
    const std::int32_t top = std::min(corners.Top, corners.Bottom);
    const std::int32_t bottom = after(std::max(corners.Top, corners.Bottom));
    return {{{left, corners.Top, right, after(corners.Top)},
             {left, corners.Bottom, right, after(corners.Bottom)},
             {corners.Left, top, after(corners.Left), bottom},
             {corners.Right, top, after(corners.Right), bottom}}};
}

}  // namespace vps
