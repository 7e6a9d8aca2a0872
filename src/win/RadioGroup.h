#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win/GroupBox.h"

namespace win {

// A captioned group of radio buttons in one column, with the index of the checked one.
class RadioGroup : public GroupBox {
public:
    RadioGroup(Window& parent, const ControlDescription& description, const std::vector<std::string>& items,
               int itemIndex);

    int itemIndex() const { return itemIndex_; }
    // Kept within -1 (no choice) and the last item; a change runs OnClick, as a user's click does.
    void setItemIndex(int index);
    // A group whose choice always stands for something (what OK does, say) refuses a stored
    // "no choice", so the store reports it as the invalid value it is and keeps the choice.
    void setNoChoiceStored(bool allowed) { noChoiceStored_ = allowed; }
    int count() const { return static_cast<int>(buttons_.size()); }
    HWND button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

    std::optional<PropertyAccess> property(std::string_view name) override;

    std::function<void()> OnClick;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void layoutChildren() override;

private:
    void updateTabStop();

    std::vector<HWND> buttons_;
    int itemIndex_ = -1;
    bool noChoiceStored_ = true;
};

}  // namespace win
