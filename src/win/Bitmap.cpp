#include "win/Bitmap.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "win/Error.h"

namespace win {

Bitmap::Bitmap() : dc_(nullptr) {
    if (!dc_) raiseLastOSError();
}

Bitmap::Bitmap(Pixels kind) : Bitmap() { kind_ = kind; }

Bitmap::Bitmap(int width, int height) : Bitmap() { resize(width, height); }

Bitmap::Bitmap(Bitmap&& other) noexcept
    : dc_(std::move(other.dc_)),
      bitmap_(std::move(other.bitmap_)),
      originalBitmap_(std::exchange(other.originalBitmap_, nullptr)),
      kind_(other.kind_),
      bits_(std::exchange(other.bits_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        deselect();
        dc_ = std::move(other.dc_);
        bitmap_ = std::move(other.bitmap_);
        originalBitmap_ = std::exchange(other.originalBitmap_, nullptr);
        kind_ = other.kind_;
        bits_ = std::exchange(other.bits_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
    }
    return *this;
}

Bitmap::~Bitmap() { deselect(); }

void Bitmap::deselect() {
    if (dc_ && originalBitmap_) SelectObject(dc_.get(), originalBitmap_);
    originalBitmap_ = nullptr;
}

void Bitmap::resize(int width, int height) {
    deselect();
    bitmap_.reset();
    bits_ = nullptr;
    width_ = height_ = 0;
    if (width <= 0 || height <= 0) return;

    HBITMAP created = nullptr;
    void* bits = nullptr;
    if (kind_ == Pixels::Readable32) {
        const BITMAPINFO info = topDownBitmapInfo(width, height, 32);
        created = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    } else {
        WindowDC screen(nullptr);
        created = CreateCompatibleBitmap(screen.get(), width, height);
    }
    if (!created) {
        throw std::runtime_error("Not enough memory for a picture of " + std::to_string(width) +
                                 " x " + std::to_string(height) + " pixels.");
    }
    bitmap_.reset(created);
    bits_ = bits;
    originalBitmap_ = SelectObject(dc_.get(), created);
    width_ = width;
    height_ = height;
}

}  // namespace win
