#include "core/PopupPlacement.h"

#include <algorithm>

namespace vps::layout {

namespace {

// Places a span of `length` starting at `start` inside [areaStart, areaStart + areaLength).
std::int32_t fitSpan(std::int32_t start, std::int32_t length, std::int32_t areaStart,
                     std::int32_t areaLength) {
    // 64 bits: far-off coordinates plus a length must not overflow.
    const std::int64_t areaEnd = std::int64_t{areaStart} + areaLength;
    std::int64_t placed = std::min<std::int64_t>(start, areaEnd - length);
    placed = std::max<std::int64_t>(placed, areaStart);
    return static_cast<std::int32_t>(placed);
}

}  // namespace

Box placePopup(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
               const Box& area) {
    return {fitSpan(x, width, area.left, area.width), fitSpan(y, height, area.top, area.height),
            width, height};
}

}  // namespace vps::layout
