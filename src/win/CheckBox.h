#pragma once

#include <functional>

#include "win/Control.h"

namespace win {

// A standard check box.
class CheckBox : public Control {
public:
    CheckBox(Window& parent, const ControlDescription& description, bool checked);

    bool checked() const;
    void setChecked(bool checked);

    std::optional<PropertyAccess> property(std::string_view name) override;

    std::function<void()> OnClick;

protected:
    std::optional<LRESULT> handleReflected(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A sunken horizontal line between parts of a dialog.
class HorizontalRule : public Control {
public:
    HorizontalRule(Window& parent, const ControlDescription& description);
};

}  // namespace win
