#pragma once

#include <cstdint>

#include "core/AreaRect.h"

// The main window's monitor drawing keeps the proportion 281:239 and fills the room that the
// client width (less a 10-pixel margin on each side) and the options panel leave it.
namespace vps::monitor {

inline constexpr std::int32_t kProportionWidth = 281;
inline constexpr std::int32_t kProportionHeight = 239;
inline constexpr std::int32_t kSideMargins = 20;

struct Fit {
    std::int32_t left = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The monitor's horizontal place and size for a client width, with the options panel's top edge
// limiting its height. Its top stays where it is. `sideMargins` is both margins together, at the
// window's DPI.
Fit fitMonitor(std::int32_t clientWidth, std::int32_t optionsPanelTop,
               std::int32_t sideMargins = kSideMargins);

// The window width at which a monitor of the given size fills the room above the options panel.
std::int32_t windowWidthForMonitor(std::int32_t monitorWidth, std::int32_t monitorHeight,
                                   std::int32_t optionsPanelTop,
                                   std::int32_t sideMargins = kSideMargins);

// The left edge of a window of this width over the work area, counted from the screen's left
// edge (the work area's own left is not added).
std::int32_t windowLeftOverWorkArea(const AreaRect& workArea, std::int32_t windowWidth);

}  // namespace vps::monitor
