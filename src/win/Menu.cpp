#include "win/Menu.h"

#include <stdexcept>

#include "win/Error.h"
#include "win/WideText.h"

namespace win {

namespace {
// Menu command ids live far above control ids and the dialog manager's IDOK/IDCANCEL.
constexpr UINT kFirstMenuId = 40000;
}  // namespace

MenuItem::MenuItem(std::string name, int helpContext, UINT id, HMENU container, bool checked)
    : name_(std::move(name)), helpContext_(helpContext), id_(id), container_(container), checked_(checked) {}

void MenuItem::setChecked(bool checked) {
    checked_ = checked;
    if (container_) CheckMenuItem(container_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

std::optional<PropertyAccess> MenuItem::property(std::string_view name) {
    if (name != "Checked") return std::nullopt;
    return booleanProperty([this] { return checked(); }, [this](bool checked) { setChecked(checked); });
}

void MenuItem::click() {
    if (OnClick) OnClick();
}

MainMenu::MainMenu(const std::vector<MenuItemDescription>& bar) : menu_(checkOS(CreateMenu())) {
    for (const auto& description : bar) append(menu_, description);
}

MainMenu::~MainMenu() {
    // A menu attached to a window is destroyed with it.
    if (!attached_) DestroyMenu(menu_);
}

void MainMenu::append(HMENU container, const MenuItemDescription& description) {
    if (description.name.empty()) {
        AppendMenuW(container, MF_SEPARATOR, 0, nullptr);
        return;
    }
    const UINT id = kFirstMenuId + static_cast<UINT>(items_.size());
    HMENU shownIn = description.visible ? container : nullptr;
    MenuItem& item = items_.emplace_back(MenuItem(description.name, description.helpContext, id, shownIn, description.checked));
    if (!description.visible) return;
    if (description.items.empty()) {
        AppendMenuW(container, MF_STRING | (description.checked ? MF_CHECKED : 0), id,
                    wide(description.caption).c_str());
        return;
    }
    HMENU popup = checkOS(CreatePopupMenu());
    for (const auto& child : description.items) append(popup, child);
    AppendMenuW(container, MF_POPUP, reinterpret_cast<UINT_PTR>(popup),
                wide(description.caption).c_str());
    popups_.emplace_back(popup, &item);
}

MenuItem& MainMenu::item(const std::string& name) {
    for (auto& item : items_) {
        if (item.name() == name) return item;
    }
    throw std::logic_error("No menu item " + name);
}

MenuItem* MainMenu::findById(UINT id) {
    for (auto& item : items_) {
        if (item.id() == id) return &item;
    }
    return nullptr;
}

MenuItem* MainMenu::findByHandle(HMENU popup) {
    for (auto& [handle, item] : popups_) {
        if (handle == popup) return item;
    }
    return nullptr;
}

}  // namespace win
