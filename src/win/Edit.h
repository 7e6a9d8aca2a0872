#pragma once

#include <functional>

#include "win/Control.h"

namespace win {

// A standard one-line edit box.
class Edit : public Control {
public:
    Edit(Window& parent, const ControlDescription& description, DWORD extraStyle = 0);

    std::optional<PropertyAccess> property(std::string_view name) override;

    std::function<void()> OnChange;
    std::function<void()> OnExit;  // the box lost the keyboard focus

protected:
    std::optional<LRESULT> handleReflected(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// An integer field with up and down arrows, kept within its range when it loses the focus.
class SpinEdit : public Edit {
public:
    SpinEdit(Window& parent, const ControlDescription& description, int minimum, int maximum, int value);
    ~SpinEdit() override;

    // The text as an integer; text that is not one counts as the minimum.
    int value() const;
    void setValue(int value);
    void setEnabled(bool enabled);

    std::optional<PropertyAccess> property(std::string_view name) override;

private:
    void clampToRange();

    int minimum_;
    int maximum_;
    HWND arrows_ = nullptr;
};

}  // namespace win
