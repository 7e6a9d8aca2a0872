#include "win/PaintedControl.h"

#include <windowsx.h>

#include <algorithm>

#include "win/Gdi.h"

namespace win {

PaintedControl::PaintedControl(Window& parent, const ControlDescription& description,
                               const PaintOptions& options)
    : Control(parent, description), options_(options) {}

HBRUSH PaintedControl::background(HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(handle()), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(handle())));
    return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

void PaintedControl::paintWindow() {
    PaintDC target(handle());
    const RECT client{0, 0, clientWidth(), clientHeight()};
    if (!options_.doubleBuffered) {
        paintOn(target.get(), client);
        return;
    }
    MemoryDC canvas(target.get());
    BitmapHandle surface(CreateCompatibleBitmap(target.get(), std::max<int>(client.right, 1),
                                                std::max<int>(client.bottom, 1)));
    SelectGuard selectSurface(canvas.get(), surface.get());
    paintOn(canvas.get(), client);
    BitBlt(target.get(), 0, 0, client.right, client.bottom, canvas.get(), 0, 0, SRCCOPY);
}

void PaintedControl::paintOn(HDC dc, const RECT& client) {
    // Asked for before the DC is saved: whatever the parent sets on the DC with its brush stays
    // set for paint().
    const HBRUSH brush = background(dc);
    const RECT covered = opaqueArea();
    const int saved = SaveDC(dc);
    if (!IsRectEmpty(&covered)) {
        ExcludeClipRect(dc, covered.left, covered.top, covered.right, covered.bottom);
    }
    FillRect(dc, &client, brush);
    RestoreDC(dc, saved);
    paint(dc, client);
}

// Counts a click as a button does: the press captures the mouse, and only a release over the
// control clicks.
bool PaintedControl::trackClick(UINT message, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            pressed_ = true;
            SetCapture(handle());
            return false;
        case WM_LBUTTONUP: {
            if (!pressed_) return false;
            pressed_ = false;
            ReleaseCapture();
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const RECT client{0, 0, clientWidth(), clientHeight()};
            return PtInRect(&client, at) != FALSE;
        }
        case WM_CAPTURECHANGED:
            pressed_ = false;
            return false;
        default:
            return false;
    }
}

LRESULT PaintedControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paintWindow();
            return 0;
        default:
            if (options_.clickable && trackClick(message, lParam)) clicked();
            break;
    }
    return Control::handleMessage(message, wParam, lParam);
}

}  // namespace win
