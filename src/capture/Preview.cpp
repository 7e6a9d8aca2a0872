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

// Reads only the snapshot's pixels, so it may run on any thread once GDI has finished the capture.
std::vector<std::uint32_t> filteredPixels(const ScreenSnapshot& snapshot, int width, int height) {
    std::vector<std::uint32_t> miniature(static_cast<std::size_t>(width) * height, 0u);
    if (miniature.empty() || snapshot.empty() || !snapshot.pixels()) return miniature;
    resample::resampleLinear({snapshot.pixels(), snapshot.width(), snapshot.height(), snapshot.width()},
                             miniature, width, height);
    // The screen's unused fourth byte is not copied into the miniature; it is made opaque, as it
    // always was, on the few pixels of the result rather than on every screen pixel.
    for (auto& pixel : miniature) pixel |= 0xFF000000u;
    return miniature;
}

win::Bitmap pictureOf(const std::vector<std::uint32_t>& miniature, int width, int height) {
    win::Bitmap picture(width, height);
    if (picture.empty()) return picture;
    const BITMAPINFO info = win::topDownBitmapInfo(width, height, 32);
    SetDIBitsToDevice(picture.dc(), 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), miniature.data(), &info, DIB_RGB_COLORS);
    return picture;
}

}  // namespace

void SmoothPreview::prepare(const ScreenSnapshot& snapshot, int width, int height) {
    forget();
    if (width <= 0 || height <= 0) return;
    GdiFlush();  // the capture may still be queued, and the filter reads its pixels
    pending_ = std::async(std::launch::async, [&snapshot, width, height] {
        return Filtered{filteredPixels(snapshot, width, height), width, height};
    });
}

void SmoothPreview::forget() {
    if (pending_.valid()) pending_.wait();
    pending_ = {};
    made_ = win::Bitmap();
}

void SmoothPreview::draw(const ScreenSnapshot& snapshot, win::Image& image) {
    const int width = image.clientWidth();
    const int height = image.clientHeight();
    if (pending_.valid()) {
        const Filtered filtered = pending_.get();  // a failure of the filter is raised here
        if (filtered.width == width && filtered.height == height) {
            made_ = pictureOf(filtered.pixels, width, height);
        }
    }
    if (made_.empty() || made_.width() != width || made_.height() != height) {
        GdiFlush();  // the capture may still be queued
        made_ = pictureOf(filteredPixels(snapshot, width, height), width, height);
    }
    win::Bitmap copy(made_.width(), made_.height());
    if (!copy.empty()) BitBlt(copy.dc(), 0, 0, copy.width(), copy.height(), made_.dc(), 0, 0, SRCCOPY);
    image.setPicture(std::move(copy));
}

}  // namespace vps
