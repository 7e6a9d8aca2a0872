#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "win/Component.h"

namespace win {

struct MenuItemDescription {
    std::string name;  // empty for a separator
    std::string caption;
    int helpContext = 0;
    bool checked = false;
    bool visible = true;
    std::vector<MenuItemDescription> items;  // a drop-down menu when not empty
};

class MenuItem : public Component {
public:
    const std::string& name() const { return name_; }
    const std::string& componentName() const override { return name_; }
    std::optional<PropertyAccess> property(std::string_view name) override;
    int helpContext() const { return helpContext_; }
    UINT id() const { return id_; }
    bool checked() const { return checked_; }
    void setChecked(bool checked);
    void click();

    std::function<void()> OnClick;

private:
    friend class MainMenu;
    MenuItem(std::string name, int helpContext, UINT id, HMENU container, bool checked);

    std::string name_;
    int helpContext_;
    UINT id_;
    HMENU container_;
    bool checked_;
};

// A window's menu bar built from a table. Invisible items are left out of the bar, but exist as
// objects so code can still name them.
class MainMenu {
public:
    explicit MainMenu(const std::vector<MenuItemDescription>& bar);
    MainMenu(const MainMenu&) = delete;
    MainMenu& operator=(const MainMenu&) = delete;
    ~MainMenu();

    HMENU handle() const { return menu_; }
    MenuItem& item(const std::string& name);
    MenuItem* findById(UINT id);
    MenuItem* findByHandle(HMENU popup);

private:
    void append(HMENU container, const MenuItemDescription& description);

    HMENU menu_;
    bool attached_ = false;
    std::deque<MenuItem> items_;
    std::vector<std::pair<HMENU, MenuItem*>> popups_;
    friend class Form;
};

}  // namespace win
