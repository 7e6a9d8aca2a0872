#pragma once

#include <windows.h>

#include <cstdint>

#include "win/Gdi.h"

namespace win {

// The header of a top-down, uncompressed device-independent bitmap.
inline BITMAPINFO topDownBitmapInfo(int width, int height, WORD bitCount) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A picture with its own drawing surface, like a canvas: a device-dependent bitmap compatible
// with the display, kept selected in a memory DC for as long as the bitmap lives. An empty
// bitmap (0 x 0) holds no GDI bitmap at all.
class Bitmap {
public:
    // How the pixels are kept: in the display's own format, or as top-down 32-bit pixels
    // (blue, green, red, unused) that the program reads in place, without a copy.
    enum class Pixels { DisplayFormat, Readable32 };

    Bitmap();
    explicit Bitmap(Pixels kind);
    Bitmap(int width, int height);
    Bitmap(Bitmap&&) noexcept;
    Bitmap& operator=(Bitmap&&) noexcept;
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    ~Bitmap();

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return !bitmap_; }

    // Replaces the picture by one of the new size; its contents are undefined (black in
    // practice). Raises a clear error when the system cannot provide that much memory.
    void resize(int width, int height);

    HDC dc() const { return dc_.get(); }
    HBITMAP handle() const { return bitmap_.get(); }
    // The pixels of a Readable32 bitmap, width() apart; null for the other kind or when empty.
    // Call GdiFlush before reading what GDI drew.
    const std::uint32_t* pixels() const { return static_cast<const std::uint32_t*>(bits_); }

private:
    void deselect();

    MemoryDC dc_;
    BitmapHandle bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    Pixels kind_ = Pixels::DisplayFormat;
    void* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace win
