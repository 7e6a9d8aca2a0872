#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win/Control.h"

namespace win {

// The text of item `index` of any combo box; empty when there is no such item.
std::string comboItemText(HWND combo, int index);

enum class ComboStyle {
    DropDownList,  // pick an item only
    DropDown,      // pick an item or type a text
};

// A standard combo box.
class ComboBox : public Control {
public:
    ComboBox(Window& parent, const ControlDescription& description, ComboStyle style,
             const std::vector<std::string>& items, int itemIndex = -1, DWORD extraStyle = 0);

    int count() const;
    int itemIndex() const;
    // An index outside the items shows no selection. A change runs OnChange.
    void setItemIndex(int index);
    std::string itemText(int index) const;
    void setItems(const std::vector<std::string>& items);

    std::optional<PropertyAccess> property(std::string_view name) override;

    std::function<void()> OnChange;

protected:
    std::optional<LRESULT> handleReflected(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace win
