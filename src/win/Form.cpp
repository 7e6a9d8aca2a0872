#include "win/Form.h"

#include "win/Application.h"
#include "win/Button.h"
#include "win/Control.h"
#include "win/Menu.h"

namespace win {

Form::Form(const FormDescription& description)
    : Window(description.name),
      font_(CreateFontA(-description.fontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                        DEFAULT_PITCH | FF_SWISS, description.fontFace)),
      minimumSize_(description.minimumSize),
      dialogKeys_(description.dialogKeys) {
    RECT outer{0, 0, description.clientWidth, description.clientHeight};
    AdjustWindowRectEx(&outer, description.style, FALSE, description.exStyle);
    createOwn(description.className, CS_DBLCLKS, description.style, description.exStyle | WS_EX_CONTROLPARENT, description.owner,
              {CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top},
              description.caption);
    setFont(font_.get());
}

void Form::setMenu(MainMenu& menu) {
    menu_ = &menu;
    menu.attached_ = true;
    // The bar takes room from the client area; keep the client size the form was designed with.
    RECT client{};
    GetClientRect(handle(), &client);
    SetMenu(handle(), menu.handle());
    RECT outer = client;
    AdjustWindowRectEx(&outer, GetWindowLongA(handle(), GWL_STYLE), TRUE,
                       GetWindowLongA(handle(), GWL_EXSTYLE));
    SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::onMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler) {
    messageHandlers_[message] = std::move(handler);
}

void Form::show() {
    if (!visible()) {
        if (OnShow) OnShow();
        ShowWindow(handle(), SW_SHOW);
        focusFirstControl();
    }
}

void Form::hide() { ShowWindow(handle(), SW_HIDE); }

void Form::close() {
    if (OnCloseQuery && !OnCloseQuery()) return;
    if (OnClose) OnClose();
    if (modal_) {
        if (modalResult_ == 0) modalResult_ = IDCANCEL;
    } else if (Application::mainForm() == this) {
        Application::terminate();
    } else {
        hide();
    }
}

int Form::showModal() {
    HWND owner = GetWindow(handle(), GW_OWNER);
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    modal_ = true;
    modalResult_ = 0;
    show();
    SetForegroundWindow(handle());
    while (modalResult_ == 0 && !Application::terminated()) {
        if (!Application::handleNextMessage()) break;
    }
    // Enable the owner before hiding, so the activation returns to it and not elsewhere.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    hide();
    modal_ = false;
    return modalResult_ ? modalResult_ : IDCANCEL;
}

void Form::setScreenBounds(const Box& b) {
    SetWindowPos(handle(), nullptr, b.left, b.top, b.width, b.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::centreOnOwner() {
    HWND owner = GetWindow(handle(), GW_OWNER);
    RECT area{};
    if (owner && IsWindowVisible(owner)) {
        GetWindowRect(owner, &area);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    const Box outer = bounds();
    setScreenBounds({(area.left + area.right - outer.width) / 2, (area.top + area.bottom - outer.height) / 2,
                     outer.width, outer.height});
}

void Form::focusFirstControl() {
    HWND focus = GetFocus();
    if (focus && IsChild(handle(), focus)) return;
    if (defaultButton_ && defaultButton_->enabled()) {
        SetFocus(defaultButton_->handle());
    } else if (HWND first = GetNextDlgTabItem(handle(), nullptr, FALSE)) SetFocus(first);
}

bool Form::handleCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    // Escape and Enter arrive from the dialog manager as IDCANCEL and IDOK.
    if (id == IDCANCEL && cancelButton_) {
        if (cancelButton_->enabled() && cancelButton_->visible()) cancelButton_->click();
        return true;
    }
    if (id == IDOK && defaultButton_) {
        if (defaultButton_->enabled() && defaultButton_->visible()) defaultButton_->click();
        return true;
    }
    if (lParam == 0 && HIWORD(wParam) == 0 && menu_) {
        if (MenuItem* item = menu_->findById(id)) {
            item->click();
            return true;
        }
    }
    return false;
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto handler = messageHandlers_.find(message); handler != messageHandlers_.end()) {
        return handler->second(wParam, lParam);
    }
    switch (message) {
        case WM_SIZE:
            layoutChildren();
            if (OnResize) OnResize();
            return 0;
        case WM_CLOSE:
            close();
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            if (minimumSize_.cx) info->ptMinTrackSize.x = minimumSize_.cx;
            if (minimumSize_.cy) info->ptMinTrackSize.y = minimumSize_.cy;
            return 0;
        }
        case WM_COMMAND:
            if (handleCommand(wParam, lParam)) return 0;
            break;
        case WM_HELP:
            if (OnHelp) {
                OnHelp(*reinterpret_cast<const HELPINFO*>(lParam));
            } else {
                Application::requestHelp(handle(), *reinterpret_cast<const HELPINFO*>(lParam));
            }
            return TRUE;
        case DM_GETDEFID:
            if (defaultButton_) {
                return MAKELRESULT(GetDlgCtrlID(defaultButton_->handle()), DC_HASDEFID);
            }
            return 0;
        default:
            break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

}  // namespace win
