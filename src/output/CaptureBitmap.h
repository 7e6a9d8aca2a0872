#pragma once

#include <windows.h>

#include <cstdint>

#include "core/AreaRect.h"
#include "win/Bitmap.h"
#include "win/Gdi.h"

namespace vps {

// The 24-bit copy of the chosen area that one press of OK makes and hands to one action. Rows
// are stored top-down, blue-green-red, each padded to a multiple of 4 bytes.
class CaptureBitmap {
public:
    // Copies `area` (edges inclusive) out of the snapshot, one to one. The area must lie within
    // the snapshot and must not be inverted.
    CaptureBitmap(const win::Bitmap& snapshot, const AreaRect& area);
    // An uninitialised picture of the given size (tests build their own pictures from it).
    CaptureBitmap(int width, int height);
    CaptureBitmap(const CaptureBitmap&) = delete;
    CaptureBitmap& operator=(const CaptureBitmap&) = delete;
    ~CaptureBitmap();

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; }
    // Row y from the top: width() pixels of blue, green and red bytes.
    const std::uint8_t* row(int y) const { return bits_ + static_cast<std::ptrdiff_t>(y) * stride_; }
    std::uint8_t* row(int y) { return bits_ + static_cast<std::ptrdiff_t>(y) * stride_; }

    HDC dc() const { return dc_.get(); }
    HBITMAP handle() const { return bitmap_.get(); }

private:
    int width_;
    int height_;
    int stride_;
    std::uint8_t* bits_ = nullptr;
    win::MemoryDC dc_;
    win::BitmapHandle bitmap_;
    HGDIOBJ original_ = nullptr;
};

}  // namespace vps
