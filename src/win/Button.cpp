#include "win/Button.h"

namespace win {

PushButton::PushButton(Window& parent, const ControlDescription& description, const ButtonOptions& options)
    : Control(parent, description) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS |
                  (options.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    if (options.tabStop) style |= WS_TABSTOP;
    createStandard("BUTTON", style, 0, parent.handle(), description.bounds, description.caption, controlId());
    finishCreation();
}

void PushButton::click() {
    if (OnClick) OnClick();
}

void PushButton::setIcon(HICON icon) {
    SetWindowLongW(handle(), GWL_STYLE, GetWindowLongW(handle(), GWL_STYLE) | BS_ICON);
    SendMessageW(handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

std::optional<LRESULT> PushButton::handleReflected(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        click();
        return 0;
    }
    return std::nullopt;
}

}  // namespace win
