#include "core/AreaGeometry.h"

#include <algorithm>
#include <cmath>

namespace vps {

AreaRect wholeScreenRect(Size screen) {
    return {0, 0, screen.width - 1, screen.height - 1};
}

AreaRect workAreaRect(const std::optional<ExclusiveRect>& workArea, Size screen) {
    if (!workArea) return wholeScreenRect(screen);
    return {workArea->left, workArea->top, workArea->right - 1, workArea->bottom - 1};
}

AreaRect foregroundWindowRect(const std::optional<ExclusiveRect>& windowRect, Size screen) {
    if (!windowRect) return wholeScreenRect(screen);
    return {
        std::max(windowRect->left, 0),
        std::max(windowRect->top, 0),
        std::min(windowRect->right - 1, screen.width - 1),
        std::min(windowRect->bottom - 1, screen.height - 1),
    };
}

AreaRect screenToPreviewRect(const AreaRect& area, Size screen, Size preview) {
    if (screen.width <= 0 || screen.height <= 0) return {};
    const double sx = static_cast<double>(preview.width) / screen.width;
    const double sy = static_cast<double>(preview.height) / screen.height;
    const auto scale = [](std::int32_t v, double s) {
        return static_cast<std::int32_t>(std::trunc(v * s));
    };
    return {scale(area.Left, sx), scale(area.Top, sy), scale(area.Right, sx),
            scale(area.Bottom, sy)};
}

std::array<ExclusiveRect, 4> outlineEdges(const AreaRect& corners) {
    const std::int32_t left = std::min(corners.Left, corners.Right);
    const std::int32_t right = std::max(corners.Left, corners.Right) + 1;
    const std::int32_t top = std::min(corners.Top, corners.Bottom);
    const std::int32_t bottom = std::max(corners.Top, corners.Bottom) + 1;
    return {{{left, corners.Top, right, corners.Top + 1},
             {left, corners.Bottom, right, corners.Bottom + 1},
             {corners.Left, top, corners.Left + 1, bottom},
             {corners.Right, top, corners.Right + 1, bottom}}};
}

}  // namespace vps
