#include "help/HelpPlacement.h"

namespace vps {

bool staysOnTop(HWND window) {
    const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    return root && (GetWindowLongW(root, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void bringToFront(win::Form& form, bool onTop) {
    if (IsIconic(form.handle())) ShowWindow(form.handle(), SW_RESTORE);
    form.show();
    SetWindowPos(form.handle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(form.handle());
}

layout::Box workAreaAt(POINT point) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& r = monitor.rcWork;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace vps
