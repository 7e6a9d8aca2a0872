#include "win/Image.h"

namespace win {

Image::Image(Window& parent, const ControlDescription& description, COLORREF background)
    : PaintedControl(parent, description, {.clickable = true}),
      background_(CreateSolidBrush(background)) {
    createOwn("VantaroImage", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, parent.handle(),
              description.bounds, "");
    finishCreation();
}

void Image::setPicture(Bitmap&& picture, Units units) {
    picture_ = std::move(picture);
    units_ = units;
    invalidate();
}

SIZE Image::shownSize() const {
    if (units_ == Units::Pixels) return {picture_.width(), picture_.height()};
    return {scaled(picture_.width()), scaled(picture_.height())};
}

LRESULT Image::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT && OnBeforePaint) OnBeforePaint();
    return PaintedControl::handleMessage(message, wParam, lParam);
}

void Image::paint(HDC dc, const RECT&) {
    if (picture_.empty()) return;
    const SIZE shown = shownSize();
    if (shown.cx == picture_.width() && shown.cy == picture_.height()) {
        BitBlt(dc, 0, 0, shown.cx, shown.cy, picture_.dc(), 0, 0, SRCCOPY);
        return;
    }
    // HALFTONE averages the source pixels instead of dropping or doubling them.
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, shown.cx, shown.cy, picture_.dc(), 0, 0, picture_.width(), picture_.height(), SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

RECT Image::opaqueArea() const {
    if (picture_.empty()) return {};
    const SIZE shown = shownSize();
    return {0, 0, shown.cx, shown.cy};
}

HBRUSH Image::background(HDC) {
    return background_.get();
}

void Image::clicked() {
    if (OnClick) OnClick();
}

}  // namespace win
