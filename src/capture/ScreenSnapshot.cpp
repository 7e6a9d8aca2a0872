#include "capture/ScreenSnapshot.h"

#include <optional>

#include "core/AreaGeometry.h"
#include "core/TextUtil.h"
#include "win/Error.h"
#include "win/Gdi.h"
#include "win/Window.h"

namespace vps {

namespace {

ExclusiveRect toExclusive(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

Size sizeOf(const AreaRect& area) {
    return {static_cast<std::int32_t>(area.width()), static_cast<std::int32_t>(area.height())};
}

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<MonitorBounds>*>(list)->push_back(
            {toExclusive(info.rcMonitor), toExclusive(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

}  // namespace

Size primaryScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::vector<MonitorBounds> desktopMonitors() {
    std::vector<MonitorBounds> monitors;
    // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-enumdisplaymonitors
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

CapturedScreen GetCapturedScreen(options::ScreenToCaptureChoice choice) {
    POINT pointer{};
    GetCursorPos(&pointer);
    // Should the platform list no monitor, the primary screen as the system metrics give it.
    const Size screen = primaryScreenSize();
    const AreaRect workArea = GetWorkAreaRect();
    const MonitorBounds primary{{0, 0, screen.width, screen.height},
                                {workArea.Left, workArea.Top, workArea.Right + 1, workArea.Bottom + 1},
                                true};
    return capturedScreenFor(choice, desktopMonitors(), {pointer.x, pointer.y}, primary);
}

void CaptureScreen(ScreenSnapshot& snapshot, const AreaRect& area) {
    HWND desktop = GetDesktopWindow();
    // A window DC counts from the window's top-left. Windows and Wine both give the desktop
    // window the primary monitor's place and let its DC reach the other monitors beyond it
    // (negative coordinates included); subtracting the window's origin keeps the copy right
    // wherever a system puts that window.
    RECT desktopBounds{};
    GetWindowRect(desktop, &desktopBounds);
    win::WindowDC desktopDC(desktop, win::WindowDC::Area::WholeWindow);
    if (!desktopDC) win::raiseLastOSError();
    const Size size = sizeOf(area);
    snapshot.resize(size.width, size.height);
    if (!BitBlt(snapshot.dc(), 0, 0, size.width, size.height, desktopDC.get(), area.Left - desktopBounds.left,
                area.Top - desktopBounds.top, SRCCOPY)) {
        win::raiseLastOSError();  // the desktop DC is released as the error leaves this scope
    }
}

void CaptureScreen(ScreenSnapshot& snapshot) { CaptureScreen(snapshot, wholeScreenRect(primaryScreenSize())); }

AreaRect GetWorkAreaRect() {
    RECT workArea{};
    std::optional<ExclusiveRect> reported;
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0) && workArea.right > workArea.left &&
        workArea.bottom > workArea.top) {
        reported = toExclusive(workArea);
    }
    return workAreaRect(reported, primaryScreenSize());
}

AreaRect GetForegroundWindowRect(const AreaRect& captured, FrameBoundsQuery frameBounds) {
    std::optional<ExclusiveRect> reported;
    if (HWND foreground = GetForegroundWindow()) {
        if (const auto bounds = visibleWindowBounds(foreground, frameBounds)) reported = toExclusive(*bounds);
    }
    return foregroundWindowRect(reported, captured);
}

AreaRect GetForegroundWindowRect(FrameBoundsQuery frameBounds) {
    return GetForegroundWindowRect(wholeScreenRect(primaryScreenSize()), frameBounds);
}

std::string ForegroundWindowText() {
    HWND foreground = GetForegroundWindow();
    return foreground ? win::windowText(foreground) : std::string();
}

std::string GetForegroundWindowTitle() {
    return cleanWindowTitle(ForegroundWindowText());
}

AreaRect ScreenToPreviewRect(const AreaRect& area, const AreaRect& captured, int previewWidth,
                             int previewHeight) {
    return screenToPreviewRect(toSnapshot(area, captured), sizeOf(captured), {previewWidth, previewHeight});
}

AreaRect ScreenToPreviewRect(const AreaRect& area, int previewWidth, int previewHeight) {
    return ScreenToPreviewRect(area, wholeScreenRect(primaryScreenSize()), previewWidth, previewHeight);
}

}  // namespace vps
