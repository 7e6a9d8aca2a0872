#include "win/Image.h"

#include <windowsx.h>

namespace win {

Image::Image(Window& parent, const ControlSpec& description, COLORREF background)
    : Control(parent, description), background_(background) {
    createOwn("VantaroImage", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, parent.handle(),
              description.bounds, "");
    finishCreation();
}

void Image::setPicture(Bitmap&& picture) {
    picture_ = std::move(picture);
    invalidate();
}

LRESULT Image::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PaintDC dc(handle());
            const int w = picture_.width();
            const int h = picture_.height();
            if (!picture_.empty()) BitBlt(dc.get(), 0, 0, w, h, picture_.dc(), 0, 0, SRCCOPY);
            // Only the part the picture leaves uncovered gets the background.
            Brush background(CreateSolidBrush(background_));
            const RECT right{w, 0, clientWidth(), clientHeight()};
            const RECT below{0, h, w, clientHeight()};
            FillRect(dc.get(), &right, background.get());
            FillRect(dc.get(), &below, background.get());
            return 0;
        }
        case WM_LBUTTONDOWN:
            pressed_ = true;
            SetCapture(handle());
            break;
        case WM_LBUTTONUP:
            if (pressed_) {
                pressed_ = false;
                ReleaseCapture();
                const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
                RECT client{0, 0, clientWidth(), clientHeight()};
                if (PtInRect(&client, at) && OnClick) OnClick();
            }
            break;
        case WM_CAPTURECHANGED:
            pressed_ = false;
            break;
        default:
            break;
    }
    return Control::handleMessage(message, wParam, lParam);
}

}  // namespace win
