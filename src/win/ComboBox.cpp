#include "win/ComboBox.h"

#include "win/WideText.h"

namespace win {

std::string comboItemText(HWND combo, int index) {
    const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied < 0 ? 0 : static_cast<std::size_t>(copied));
    return narrow(text);
}

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
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(itemIndex), 0);
}

int ComboBox::count() const {
    return static_cast<int>(SendMessageW(handle(), CB_GETCOUNT, 0, 0));
}

int ComboBox::itemIndex() const {
    return static_cast<int>(SendMessageW(handle(), CB_GETCURSEL, 0, 0));
}

void ComboBox::setItemIndex(int index) {
    if (index < 0 || index >= count()) index = -1;
    if (index == itemIndex()) return;
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (OnChange) OnChange();
}

std::string ComboBox::itemText(int index) const {
    return comboItemText(handle(), index);
}

void ComboBox::setItems(const std::vector<std::string>& items) {
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
    for (const auto& item : items) {
        SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
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
