#include "capture/Preview.h"

#include <vector>

#include "core/Resample.h"
#include "win/Error.h"

namespace vps {

namespace {

BITMAPINFO topDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The snapshot as 32-bit pixels, whatever the display's own format.
std::vector<std::uint32_t> pixelsOf(const ScreenSnapshot& snapshot) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(snapshot.width()) * snapshot.height());
    BITMAPINFO info = topDown32(snapshot.width(), snapshot.height());
    // GetDIBits wants the bitmap deselected from every DC; a copy through BitBlt into a DIB
    // section avoids that and reads the same pixels.
    void* bits = nullptr;
    win::BitmapHandle section(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section) win::raiseLastOSError();
    {
        win::MemoryDC dc(snapshot.dc());
        win::SelectGuard select(dc.get(), section.get());
        BitBlt(dc.get(), 0, 0, snapshot.width(), snapshot.height(), snapshot.dc(), 0, 0, SRCCOPY);
        GdiFlush();
        std::copy_n(static_cast<const std::uint32_t*>(bits), pixels.size(), pixels.begin());
    }
    for (auto& pixel : pixels) pixel |= 0xFF000000u;  // opaque
    return pixels;
}

}  // namespace

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
    if (!snapshot.empty()) {
        const std::vector<std::uint32_t> screen = pixelsOf(snapshot);
        resample::resampleLinear({screen.data(), snapshot.width(), snapshot.height(), snapshot.width()},
                                 miniature, width, height);
    }
    const BITMAPINFO info = topDown32(width, height);
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
