#include "core/MonitorLayout.h"

#include <algorithm>

namespace vps::monitor {

Fit fitMonitor(std::int32_t clientWidth, std::int32_t optionsPanelTop, std::int32_t sideMargins) {
    const std::int32_t room = std::max(optionsPanelTop - 1, 0);
    std::int32_t w = std::max(clientWidth - sideMargins, 0);
    std::int32_t h = w * kProportionHeight / kProportionWidth;
    if (h > room) {
        h = room;
        w = room * kProportionWidth / kProportionHeight;
    }
    return {(clientWidth - w) / 2, w, h};
}

std::int32_t windowWidthForMonitor(std::int32_t monitorWidth, std::int32_t monitorHeight,
                                   std::int32_t optionsPanelTop, std::int32_t sideMargins) {
    // A monitor squeezed to no height has no proportion to keep; fall back to its design ratio.
    if (monitorHeight <= 0) {
        monitorWidth = kProportionWidth;
        monitorHeight = kProportionHeight;
    }
    const std::int64_t room = std::max(optionsPanelTop - 1, 0);
    return static_cast<std::int32_t>(std::int64_t{monitorWidth} * room / monitorHeight) +
           sideMargins;
}

std::int32_t windowLeftOverWorkArea(const AreaRect& workArea, std::int32_t windowWidth) {
    return (workArea.Right - workArea.Left - windowWidth) / 2;
}

}  // namespace vps::monitor
