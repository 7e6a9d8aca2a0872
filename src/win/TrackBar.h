#pragma once

#include <functional>

#include "win/Control.h"

namespace win {

struct TrackBarRange {
    int minimum = 0;
    int maximum = 10;
    int position = 0;
    int thumbLength = 15;
};

// A standard track bar whose position stays within its range.
class TrackBar : public Control {
public:
    TrackBar(Window& parent, const ControlDescription& description, const TrackBarRange& range);

    int position() const { return position_; }
    int minimum() const { return range_.minimum; }
    int maximum() const { return range_.maximum; }
    // Kept within the range; a change runs OnChange, as a user's move does.
    void setPosition(int position);

    std::optional<PropertyAccess> property(std::string_view name) override;

    std::function<void()> OnChange;

protected:
    std::optional<LRESULT> handleReflected(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    TrackBarRange range_;
    int position_;
};

}  // namespace win
