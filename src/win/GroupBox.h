#pragma once

#include "win/Control.h"

namespace win {

// A captioned frame that holds other controls. The frame is a standard group-box button kept
// behind the children, inside a container of ours, because a standard group box does not
// parent controls well (it neither paints behind them nor passes their notifications on).
class GroupBox : public Control {
public:
    GroupBox(Window& parent, const ControlDescription& description);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void layoutChildren() override;
    HWND frame() const { return frame_; }

private:
    HWND frame_ = nullptr;
};

}  // namespace win
