#include "win/TrackBar.h"

#include <commctrl.h>

#include <algorithm>

namespace win {

TrackBar::TrackBar(Window& parent, const ControlDescription& description, const TrackBarRange& range)
    : Control(parent, description), range_(range), position_(std::clamp(range.position, range.minimum, range.maximum)) {
    createStandard(TRACKBAR_CLASSA,
                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TBS_HORZ | TBS_AUTOTICKS |
                       TBS_FIXEDLENGTH,
                   0, parent.handle(), description.bounds, "", controlId());
    SendMessageW(handle(), TBM_SETRANGE, FALSE, MAKELPARAM(range.minimum, range.maximum));
    SendMessageW(handle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(range.thumbLength), 0);
    SendMessageW(handle(), TBM_SETPOS, TRUE, position_);
    finishCreation();
}

void TrackBar::setPosition(int position) {
    position = std::clamp(position, range_.minimum, range_.maximum);
    if (position == position_) return;
    position_ = position;
    SendMessageW(handle(), TBM_SETPOS, TRUE, position);
    if (OnChange) OnChange();
}

std::optional<PropertyAccess> TrackBar::property(std::string_view name) {
    if (name != "Position") return std::nullopt;
    return integerProperty([this] { return position(); },
                           [this](std::int64_t value) {
                               setPosition(static_cast<int>(std::clamp<std::int64_t>(value, minimum(), maximum())));
                           });
}

std::optional<LRESULT> TrackBar::handleReflected(UINT message, WPARAM, LPARAM) {
    if (message != WM_HSCROLL && message != WM_VSCROLL) return std::nullopt;
    const int now = static_cast<int>(SendMessageW(handle(), TBM_GETPOS, 0, 0));
    if (now != position_) {
        position_ = now;
        if (OnChange) OnChange();
    }
    return 0;
}

}  // namespace win
