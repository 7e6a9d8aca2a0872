#pragma once

#include <cstdint>

namespace vps {

// A rectangle in pixels whose four edges are all inclusive: it covers the columns Left..Right
// and the rows Top..Bottom. Corners may be in any order (an inverted rectangle is legal: a
// window lying wholly off the primary screen yields one).
struct AreaRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    constexpr std::int64_t width() const { return std::int64_t{Right} - Left + 1; }
    constexpr std::int64_t height() const { return std::int64_t{Bottom} - Top + 1; }
    constexpr bool isInverted() const { return Left > Right || Top > Bottom; }

    friend constexpr bool operator==(const AreaRect&, const AreaRect&) = default;
};

// A rectangle as the platform reports window and work-area bounds: right and bottom exclusive.
struct ExclusiveRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

}  // namespace vps
