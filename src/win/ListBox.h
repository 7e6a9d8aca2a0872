#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win/Control.h"
#include "win/Gdi.h"

namespace win {

struct ListItem {
    std::string text;
    int indent = 0;           // levels of indentation
    bool emphasised = false;  // drawn in bold, as a heading of the items below it
};

// A standard list box whose items can be indented and emphasised.
class ListBox : public Control {
public:
    ListBox(Window& parent, const ControlDescription& description);

    void setItems(std::vector<ListItem> items);
    int count() const;
    const ListItem& item(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    // -1 without a selection. Setting it does not run OnChange.
    int itemIndex() const;
    void setItemIndex(int index);

    std::function<void()> OnChange;  // the user selected another item
    std::function<void()> OnDoubleClick;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::optional<LRESULT> handleReflected(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void fitItemHeight();
    void drawItem(const DRAWITEMSTRUCT& item) const;
    HFONT boldFont() const;

    std::vector<ListItem> items_;
    mutable HFONT boldMadeFrom_ = nullptr;
    mutable Font bold_;
};

}  // namespace win
