#pragma once

#include <cstdint>
#include <vector>

// A desktop as the miniature usually sees it: a gradient background, overlapping windows with
// title bars, lines of small dark glyphs on light client areas, a photograph-like area and a
// task bar. The same width and height always give the same pixels (blue, green, red, alpha).
namespace vps::bench {

std::vector<std::uint32_t> screenLikeFrame(std::int32_t width, std::int32_t height);

}  // namespace vps::bench
