#include "output/Clipboard.h"

#include <cstring>
#include <vector>

#include "core/BmpFile.h"
#include "output/PngEncoder.h"
#include "win/Error.h"
#include "win/Gdi.h"
#include "win/UniqueHandle.h"

namespace vps {

namespace {

// Another program may hold the clipboard for a moment; give it a little time.
void openClipboard(HWND owner) {
    for (int attempt = 0; !OpenClipboard(owner); ++attempt) {
        if (attempt == 10) win::raiseLastOSError();
        Sleep(20);
    }
}

// A copy of `size` bytes in movable global memory, which the clipboard takes over once it is set.
win::GlobalMemory globalCopy(const std::uint8_t* data, std::size_t size) {
    win::GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!memory) win::raiseLastOSError();
    void* bytes = GlobalLock(memory.get());
    if (!bytes) win::raiseLastOSError();
    std::memcpy(bytes, data, size);
    GlobalUnlock(memory.get());
    return memory;
}

// The picture as a packed device-independent bitmap: a BMP file without its 14-byte file header.
win::GlobalMemory packedDib(const CaptureBitmap& picture) {
    const std::vector<std::uint8_t> file =
        BmpFileBytes({picture.width(), picture.height(), picture.row(0), picture.stride()});
    constexpr std::size_t fileHeader = 14;
    return globalCopy(file.data() + fileHeader, file.size() - fileHeader);
}

// The PNG file's bytes, as the clipboard wants a registered format.
win::GlobalMemory pngMemory(const CaptureBitmap& picture) {
    const std::vector<std::uint8_t> png =
        EncodePng({picture.width(), picture.height(), picture.row(0), picture.stride()});
    return globalCopy(png.data(), png.size());
}

}  // namespace

void copyToClipboard(HWND owner, const CaptureBitmap& picture) {
    // The bitmap format wants a device-dependent bitmap; the system owns it once it is set.
    win::BitmapHandle copy;
    {
        win::WindowDC screen(nullptr);
        copy.reset(CreateCompatibleBitmap(screen.get(), picture.width(), picture.height()));
    }
    if (!copy) win::raiseLastOSError();
    {
        win::MemoryDC dc(picture.dc());
        win::SelectGuard select(dc.get(), copy.get());
        if (!BitBlt(dc.get(), 0, 0, picture.width(), picture.height(), picture.dc(), 0, 0, SRCCOPY)) {
            win::raiseLastOSError();
        }
    }
    // Browsers, chat and office programs paste this one without loss; the name is the one they
    // look for.
    const UINT pngFormat = RegisterClipboardFormatW(L"PNG");
    if (!pngFormat) win::raiseLastOSError();
    win::GlobalMemory png = pngMemory(picture);
    win::GlobalMemory dib = packedDib(picture);

    openClipboard(owner);
    const win::ScopeExit closeClipboard([] { CloseClipboard(); });
    if (!EmptyClipboard()) win::raiseLastOSError();
    if (!SetClipboardData(CF_BITMAP, copy.get())) win::raiseLastOSError();
    copy.release();
    // The same picture device-independent as well. Windows would make it from the bitmap on
    // request, but Wine's 64-bit clipboard manager cannot make it from a 32-bit program's
    // bitmap, so X programs would get nothing to paste from the 32-bit build.
    if (!SetClipboardData(CF_DIB, dib.get())) win::raiseLastOSError();
    dib.release();
    if (!SetClipboardData(pngFormat, png.get())) win::raiseLastOSError();
    png.release();
}

}  // namespace vps
