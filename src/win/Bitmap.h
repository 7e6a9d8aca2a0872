#pragma once

#include <windows.h>

#include "win/Gdi.h"

namespace win {

// A picture with its own drawing surface, like a canvas: a device-dependent bitmap compatible
// with the display, kept selected in a memory DC for as long as the bitmap lives. An empty
// bitmap (0 x 0) holds no GDI bitmap at all.
class Bitmap {
public:
    Bitmap();
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

private:
    void deselect();

    MemoryDC dc_;
    BitmapHandle bitmap_;
    HGDIOBJ originalBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace win
