#include "win/GroupBox.h"

#include "win/Error.h"
#include "win/WideText.h"

namespace win {

GroupBox::GroupBox(Window& parent, const ControlDescription& description) : Control(parent, description) {
    createOwn("VantaroGroupBox", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT,
              parent.handle(), description.bounds, "");
    frame_ = CreateWindowExW(0, L"BUTTON", wide(description.caption).c_str(),
                             WS_CHILD | WS_VISIBLE | BS_GROUPBOX | WS_CLIPSIBLINGS, 0, 0,
                             description.bounds.width, description.bounds.height, handle(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (!frame_) raiseLastOSError();
    finishCreation();
    SendMessageW(frame_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
}

void GroupBox::layoutChildren() {
    MoveWindow(frame_, 0, 0, clientWidth(), clientHeight(), TRUE);
    SetWindowPos(frame_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Control::layoutChildren();
}

LRESULT GroupBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENABLE) EnableWindow(frame_, static_cast<BOOL>(wParam));
    // A new font (another monitor's DPI) reaches the frame's caption too.
    if (message == WM_SETFONT && frame_) SendMessageW(frame_, WM_SETFONT, wParam, lParam);
    // Every control added later must stand in front of the frame, or the frame hides it.
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE && frame_) {
        SetWindowPos(frame_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return Control::handleMessage(message, wParam, lParam);
}

}  // namespace win
