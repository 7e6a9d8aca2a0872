#include "win/Form.h"

#include "win/Application.h"
#include "win/Button.h"
#include "win/Control.h"
#include "win/Dpi.h"
#include "win/Menu.h"

namespace win {

Form::Form(const FormDescription& description)
    : Window(description.name),
      designClientSize_{description.clientWidth, description.clientHeight},
      minimumSize_(description.minimumSize),
      dialogKeys_(description.dialogKeys) {
    // A dialog opens over its owner, a window without one on the primary monitor.
    setInitialDpi(description.owner ? dpiForWindow(description.owner) : systemDpi());
    RECT outer{0, 0, scaled(description.clientWidth), scaled(description.clientHeight)};
    adjustWindowRectForDpi(outer, description.style, false, description.exStyle, dpi());
    createOwn(description.className, CS_DBLCLKS, description.style, description.exStyle | WS_EX_CONTROLPARENT, description.owner,
              {CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top},
              description.caption);
    fitClientTo(scaled(description.clientWidth), scaled(description.clientHeight));
    setFont(FontDescription{.face = description.fontFace, .height = description.fontHeight});
}

void Form::fitClientTo(int width, int height) {
    // The system's own frame can differ by a pixel or two from what the adjustment computed at
    // a DPI other than 96; measured, the client area comes out exactly as wanted.
    RECT client{};
    GetClientRect(handle(), &client);
    const int dx = width - client.right;
    const int dy = height - client.bottom;
    if (dx == 0 && dy == 0) return;
    const Box outer = bounds();
    SetWindowPos(handle(), nullptr, 0, 0, outer.width + dx, outer.height + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::setDesignClientSize(int width, int height) {
    designClientSize_ = {width, height};
    RECT outer{0, 0, scaled(width), scaled(height)};
    adjustWindowRectForDpi(outer, GetWindowLongW(handle(), GWL_STYLE), menu_ != nullptr,
                           GetWindowLongW(handle(), GWL_EXSTYLE), dpi());
    SetWindowPos(handle(), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientTo(scaled(width), scaled(height));
}

void Form::moveToDpi(int dpi, const RECT& suggested) {
    applyDpi(dpi);
    SetWindowPos(handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Children whose own size stayed the same got no WM_SIZE, yet their insides moved.
    relayoutTree();
    if (OnResize) OnResize();
}

void Form::setMenu(MainMenu& menu) {
    menu_ = &menu;
    menu.attached_ = true;
    // The bar takes room from the client area; keep the client size the form was designed with.
    RECT client{};
    GetClientRect(handle(), &client);
    SetMenu(handle(), menu.handle());
    RECT outer = client;
    adjustWindowRectForDpi(outer, GetWindowLongW(handle(), GWL_STYLE), true,
                           GetWindowLongW(handle(), GWL_EXSTYLE), dpi());
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
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
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
            // The minimum is an outer size; only its client part scales, the frame is the
            // system's own at this DPI (it does not grow as much as the rest).
            const LONG style = GetWindowLongW(handle(), GWL_STYLE);
            const LONG exStyle = GetWindowLongW(handle(), GWL_EXSTYLE);
            RECT designFrame{}, frame{};
            adjustWindowRectForDpi(designFrame, style, menu_ != nullptr, exStyle, vps::dpi::kDesignDpi);
            adjustWindowRectForDpi(frame, style, menu_ != nullptr, exStyle, dpi());
            const auto outer = [&](LONG design, LONG designFrameSize, LONG frameSize) {
                return scaled(design - designFrameSize) + frameSize;
            };
            if (minimumSize_.cx) {
                info->ptMinTrackSize.x = outer(minimumSize_.cx, designFrame.right - designFrame.left,
                                               frame.right - frame.left);
            }
            if (minimumSize_.cy) {
                info->ptMinTrackSize.y = outer(minimumSize_.cy, designFrame.bottom - designFrame.top,
                                               frame.bottom - frame.top);
            }
            return 0;
        }
        case WM_DPICHANGED:
            // https://learn.microsoft.com/windows/win32/hidpi/wm-dpichanged
            moveToDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
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
