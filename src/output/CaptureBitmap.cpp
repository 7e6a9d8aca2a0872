#include "output/CaptureBitmap.h"

#include <stdexcept>
#include <string>

#include "win/Error.h"

namespace vps {

CaptureBitmap::CaptureBitmap(int width, int height)
    : width_(width), height_(height), stride_((width * 3 + 3) & ~3), dc_(nullptr) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("A capture needs at least one pixel.");
    const BITMAPINFO info = win::topDownBitmapInfo(width, height, 24);
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_) {
        throw std::runtime_error("Not enough memory for a picture of " + std::to_string(width) + " x " +
                                 std::to_string(height) + " pixels.");
    }
    bits_ = static_cast<std::uint8_t*>(bits);
    original_ = SelectObject(dc_.get(), bitmap_.get());
}

CaptureBitmap::CaptureBitmap(const win::Bitmap& snapshot, const AreaRect& area)
    : CaptureBitmap(static_cast<int>(area.width()), static_cast<int>(area.height())) {
    if (area.Left < 0 || area.Top < 0 || area.Right >= snapshot.width() || area.Bottom >= snapshot.height()) {
        throw std::out_of_range("The area lies outside the captured screen.");
    }
    if (!BitBlt(dc_.get(), 0, 0, width_, height_, snapshot.dc(), area.Left, area.Top, SRCCOPY)) {
        win::raiseLastOSError();
    }
    GdiFlush();  // the pixels are read directly from here on
}

CaptureBitmap::~CaptureBitmap() {
    if (original_) SelectObject(dc_.get(), original_);
}

}  // namespace vps
