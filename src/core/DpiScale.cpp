#include "core/DpiScale.h"

namespace vps::dpi {

std::int32_t rescale(std::int32_t value, std::int32_t fromDpi, std::int32_t toDpi) {
    if (fromDpi <= 0) return value;  // no DPI known: leave the value as it is
    const std::int64_t product = std::int64_t{value} * toDpi;
    const std::int64_t half = fromDpi / 2;
    const std::int64_t rounded = product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi;
    return static_cast<std::int32_t>(rounded);
}

std::int32_t scale(std::int32_t designValue, std::int32_t dpi) {
    return rescale(designValue, kDesignDpi, dpi);
}

std::int32_t designLengthCovering(std::int32_t pixels, std::int32_t dpi) {
    if (dpi <= 0 || pixels <= 0) return pixels;
    const std::int64_t product = std::int64_t{pixels} * kDesignDpi;
    return static_cast<std::int32_t>((product + dpi - 1) / dpi);
}

layout::Box rescale(const layout::Box& box, std::int32_t fromDpi, std::int32_t toDpi) {
    const std::int32_t left = rescale(box.left, fromDpi, toDpi);
    const std::int32_t top = rescale(box.top, fromDpi, toDpi);
    return {left, top, rescale(box.left + box.width, fromDpi, toDpi) - left,
            rescale(box.top + box.height, fromDpi, toDpi) - top};
}

layout::Box scale(const layout::Box& design, std::int32_t dpi) {
    return rescale(design, kDesignDpi, dpi);
}

}  // namespace vps::dpi
