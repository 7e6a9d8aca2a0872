#include "win/ComboBox.h"

namespace win {

ComboBox::ComboBox(Window& parent, const ControlDescription& description, ComboStyle style,
                   const std::vector<std::string>& items, int itemIndex, DWORD extraStyle)
    : Control(parent, description) {
    const DWORD kind = style == ComboStyle::DropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL;
    // The height given is the closed box's; the list needs room to drop down.
    Box bounds = description.bounds;
    bounds.height += 200;
    createStandard("COMBOBOX", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | kind | extraStyle, 0,
                   parent.handle(), bounds, "", controlId());
    finishCreation();
    setItems(items);
    SendMessageA(handle(), CB_SETCURSEL, static_cast<WPARAM>(itemIndex), 0);
}

int ComboBox::count() const { return static_cast<int>(SendMessageA(handle(), CB_GETCOUNT, 0, 0)); }

int ComboBox::itemIndex() const { return static_cast<int>(SendMessageA(handle(), CB_GETCURSEL, 0, 0)); }

void ComboBox::setItemIndex(int index) {
    if (index < 0 || index >= count()) index = -1;
    if (index == itemIndex()) return;
    SendMessageA(handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (OnChange) OnChange();
}

std::string ComboBox::itemText(int index) const {
    const auto length = SendMessageA(handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(handle(), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void ComboBox::setItems(const std::vector<std::string>& items) {
    SendMessageA(handle(), CB_RESETCONTENT, 0, 0);
    for (const auto& item : items) {
        SendMessageA(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

std::optional<PropertyAccess> ComboBox::property(std::string_view name) {
    if (name == "ItemIndex") {
        return integerProperty([this] { return itemIndex(); },
                               [this](std::int64_t index) {
                                   setItemIndex(index < 0 || index >= count() ? -1 : static_cast<int>(index));
                               });
    }
    if (name == "Text") {
        return stringProperty([this] { return text(); }, [this](const std::string& value) { setText(value); });
    }
    return std::nullopt;
}

std::optional<LRESULT> ComboBox::handleReflected(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND) return std::nullopt;
    const WORD code = HIWORD(wParam);
    if (code == CBN_SELCHANGE || code == CBN_EDITCHANGE) {
        if (OnChange) OnChange();
        return 0;
    }
    return std::nullopt;
}

}  // namespace win
