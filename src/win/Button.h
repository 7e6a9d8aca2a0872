#pragma once

#include <functional>

#include "win/Control.h"

namespace win {

struct ButtonOptions {
    bool tabStop = true;
    bool isDefault = false;  // drawn with the default frame; Enter presses it
};

// A standard push button.
class PushButton : public Control {
public:
    PushButton(Window& parent, const ControlDescription& description, const ButtonOptions& options = {});

    // Runs the click handler as a press of the button would.
    void click();
    // Shows a picture instead of the caption; the button does not take ownership of the icon.
    void setIcon(HICON icon);

    std::function<void()> OnClick;

protected:
    std::optional<LRESULT> handleReflected(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace win
