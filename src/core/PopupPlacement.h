#pragma once

#include <cstdint>

#include "core/Anchors.h"

namespace vps::layout {

// Where a pop-up of width x height goes when it should start at (x, y): there, if it fits in
// the area; otherwise moved left and up just enough to fit; and against the area's left or top
// edge when it is wider or taller than the area itself, so its beginning stays readable.
Box placePopup(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height,
               const Box& area);

}  // namespace vps::layout
