#include "capture/Preview.h"

#include <vector>

#include "core/Resample.h"

namespace vps {

void drawQuickPreview(const ScreenSnapshot& snapshot, win::Image& image) {
    win::Bitmap picture(image.clientWidth(), image.clientHeight());
    if (!picture.empty() && !snapshot.empty()) {
        SetStretchBltMode(picture.dc(), COLORONCOLOR);
        StretchBlt(picture.dc(), 0, 0, picture.width(), picture.height(), snapshot.dc(), 0, 0,
                   snapshot.width(), snapshot.height(), SRCCOPY);
    }
    image.setPicture(std::move(picture));
}

namespace {

win::Bitmap smoothPicture(const ScreenSnapshot& snapshot, int width, int height) {
    win::Bitmap picture(width, height);
    if (picture.empty()) return picture;
    std::vector<std::uint32_t> miniature(static_cast<std::size_t>(width) * height, 0u);
    if (!snapshot.empty() && snapshot.pixels()) {
        GdiFlush();  // the capture may still be queued
        resample::resampleLinear({snapshot.pixels(), snapshot.width(), snapshot.height(), snapshot.width()},
                                 miniature, width, height);
        // The screen's unused fourth byte is not copied into the miniature; it is made opaque,
        // as it always was, on the few pixels of the result rather than on every screen pixel.
        for (auto& pixel : miniature) pixel |= 0xFF000000u;
    }
    const BITMAPINFO info = win::topDownBitmapInfo(width, height, 32);
    SetDIBitsToDevice(picture.dc(), 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), miniature.data(), &info, DIB_RGB_COLORS);
    return picture;
}

}  // namespace

void SmoothPreview::draw(const ScreenSnapshot& snapshot, win::Image& image) {
    const int width = image.clientWidth();
    const int height = image.clientHeight();
    if (made_.empty() || made_.width() != width || made_.height() != height) {
        made_ = smoothPicture(snapshot, width, height);
    }
    win::Bitmap copy(made_.width(), made_.height());
    if (!copy.empty()) BitBlt(copy.dc(), 0, 0, copy.width(), copy.height(), made_.dc(), 0, 0, SRCCOPY);
    image.setPicture(std::move(copy));
}

}  // namespace vps
