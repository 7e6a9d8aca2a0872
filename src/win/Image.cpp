#include "win/Image.h"

namespace win {

Image::Image(Window& parent, const ControlDescription& description, COLORREF background)
    : PaintedControl(parent, description, {.clickable = true}),
      background_(CreateSolidBrush(background)) {
    createOwn("VantaroImage", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, parent.handle(),
              description.bounds, "");
    finishCreation();
}

void Image::setPicture(Bitmap&& picture) {
    picture_ = std::move(picture);
    invalidate();
}

void Image::paint(HDC dc, const RECT&) {
    if (picture_.empty()) return;
    BitBlt(dc, 0, 0, picture_.width(), picture_.height(), picture_.dc(), 0, 0, SRCCOPY);
}

RECT Image::opaqueArea() const {
    return {0, 0, picture_.width(), picture_.height()};
}

HBRUSH Image::background(HDC) {
    return background_.get();
}

void Image::clicked() {
    if (OnClick) OnClick();
}

}  // namespace win
