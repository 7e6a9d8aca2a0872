#include "win/CheckBox.h"

namespace win {

CheckBox::CheckBox(Window& parent, const ControlDescription& description, bool checked) : Control(parent, description) {
    createStandard("BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, parent.handle(),
                   description.bounds, description.caption, controlId());
    finishCreation();
    SendMessageW(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckBox::checked() const {
    return SendMessageW(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::setChecked(bool checked) {
    if (checked == this->checked()) return;
    SendMessageW(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick();
}

std::optional<PropertyAccess> CheckBox::property(std::string_view name) {
    if (name != "Checked") return std::nullopt;
    return booleanProperty([this] { return checked(); }, [this](bool value) { setChecked(value); });
}

std::optional<LRESULT> CheckBox::handleReflected(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return std::nullopt;
    if (OnClick) OnClick();
    return 0;
}

HorizontalRule::HorizontalRule(Window& parent, const ControlDescription& description) : Control(parent, description) {
    createStandard("STATIC", WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, 0, parent.handle(), description.bounds, "",
                   controlId());
    finishCreation();
}

}  // namespace win
