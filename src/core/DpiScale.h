#pragma once

#include <cstdint>

#include "core/Anchors.h"

// Every size and place in the window tables is drawn for a screen of 96 pixels per inch. On a
// screen set to 150 % or 200 % they grow by the monitor's DPI over 96, rounded half away from
// zero as the system's MulDiv rounds, so that at 96 DPI every value stays exactly as designed.
namespace vps::dpi {

inline constexpr std::int32_t kDesignDpi = 96;

// A design length in pixels at `dpi`.
std::int32_t scale(std::int32_t designValue, std::int32_t dpi);

// A length measured at `fromDpi` as it would be at `toDpi` (a window moved to another monitor).
std::int32_t rescale(std::int32_t value, std::int32_t fromDpi, std::int32_t toDpi);

// The smallest design length that is at least `pixels` long at `dpi`: a box for a text measured
// in pixels, which must not clip it once scaled back.
std::int32_t designLengthCovering(std::int32_t pixels, std::int32_t dpi);

// A design box at `dpi`. Its edges are scaled, not its size, so boxes that touch in the design
// still touch (and overlap no more than designed) at any DPI; a size may differ by one pixel
// from its scaled design size.
layout::Box scale(const layout::Box& design, std::int32_t dpi);
layout::Box rescale(const layout::Box& box, std::int32_t fromDpi, std::int32_t toDpi);

}  // namespace vps::dpi
