#include "capture/ScreenSnapshot.h"

#include <optional>

#include "core/AreaGeometry.h"
#include "core/TextUtil.h"
#include "win/Error.h"
#include "win/Gdi.h"

namespace vps {

namespace {

ExclusiveRect toExclusive(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

Size primaryScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

void CaptureScreen(ScreenSnapshot& snapshot) {
    const Size screen = primaryScreenSize();
    HWND desktop = GetDesktopWindow();
    win::WindowDC desktopDC(desktop, win::WindowDC::Area::WholeWindow);
    if (!desktopDC) win::raiseLastOSError();
    snapshot.resize(screen.width, screen.height);
    if (!BitBlt(snapshot.dc(), 0, 0, screen.width, screen.height, desktopDC.get(), 0, 0, SRCCOPY)) {
        win::raiseLastOSError();  // the desktop DC is released as the error leaves this scope
    }
}

AreaRect GetWorkAreaRect() {
    RECT workArea{};
    std::optional<ExclusiveRect> reported;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0) && workArea.right > workArea.left &&
        workArea.bottom > workArea.top) {
        reported = toExclusive(workArea);
    }
    return workAreaRect(reported, primaryScreenSize());
}

AreaRect GetForegroundWindowRect(FrameBoundsQuery frameBounds) {
    std::optional<ExclusiveRect> reported;
    if (HWND foreground = GetForegroundWindow()) {
        if (const auto bounds = visibleWindowBounds(foreground, frameBounds)) reported = toExclusive(*bounds);
    }
    return foregroundWindowRect(reported, primaryScreenSize());
}

std::string GetForegroundWindowTitle() {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return {};
    std::string title(static_cast<std::size_t>(GetWindowTextLengthA(foreground)) + 1, '\0');
    GetWindowTextA(foreground, title.data(), static_cast<int>(title.size()));
    title.resize(title.find('\0'));
    return cleanWindowTitle(title);
}

AreaRect ScreenToPreviewRect(const AreaRect& area, int previewWidth, int previewHeight) {
    return screenToPreviewRect(area, primaryScreenSize(), {previewWidth, previewHeight});
}

}  // namespace vps
