#include "win/Panel.h"

namespace win {

namespace {

void fillStrip(HDC dc, int left, int top, int right, int bottom, COLORREF color) {
    const RECT strip{left, top, right, bottom};
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &strip, nullptr, 0, nullptr);
}

// Draws `width` nested one-pixel frames, light on the top and left edges for a raised bevel and
// on the bottom and right edges for a lowered one, and shrinks the rectangle past them.
void drawBevel(HDC dc, RECT& r, Bevel bevel, int width) {
    if (bevel == Bevel::None) return;
    const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
    const COLORREF topLeft = bevel == Bevel::Raised ? light : dark;
    const COLORREF bottomRight = bevel == Bevel::Raised ? dark : light;
    for (int i = 0; i < width && r.right > r.left && r.bottom > r.top; ++i) {
        fillStrip(dc, r.left, r.top, r.right, r.top + 1, topLeft);
        fillStrip(dc, r.left, r.top, r.left + 1, r.bottom, topLeft);
        fillStrip(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
        fillStrip(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
        InflateRect(&r, -1, -1);
    }
}

}  // namespace

Panel::Panel(Window& parent, const ControlDescription& description, const PanelLook& look)
    : Control(parent, description), look_(look), brush_(CreateSolidBrush(color())) {
    createOwn("VantaroPanel", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
              WS_EX_CONTROLPARENT, parent.handle(), description.bounds, "");
    finishCreation();
}

COLORREF Panel::color() const { return look_.color.value_or(GetSysColor(COLOR_BTNFACE)); }

void Panel::setColor(COLORREF color) {
    look_.color = color;
    brush_.reset(CreateSolidBrush(color));
    invalidate();
}

int Panel::bevelExtent() const {
    return ((look_.outer != Bevel::None) + (look_.inner != Bevel::None)) * scaled(look_.bevelWidth);
}

RECT Panel::contentRect() const {
    RECT r = Window::contentRect();
    InflateRect(&r, -bevelExtent(), -bevelExtent());
    return r;
}

void Panel::paint(HDC dc) const {
    RECT r = Window::contentRect();
    drawBevel(dc, r, look_.outer, scaled(look_.bevelWidth));
    drawBevel(dc, r, look_.inner, scaled(look_.bevelWidth));
    FillRect(dc, &r, brush_.get());
}

LRESULT Panel::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT, without flicker
        case WM_PAINT: {
            PaintDC dc(handle());
            paint(dc.get());
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetBkColor(reinterpret_cast<HDC>(wParam), color());
            return reinterpret_cast<LRESULT>(brush_.get());
        default:
            return Control::handleMessage(message, wParam, lParam);
    }
}

}  // namespace win
