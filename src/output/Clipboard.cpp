#include "output/Clipboard.h"

#include <cstring>
#include <vector>

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

// The PNG file's bytes in movable global memory, as the clipboard wants a registered format.
win::GlobalMemory pngMemory(const CaptureBitmap& picture) {
    const std::vector<std::uint8_t> png =
        EncodePng({picture.width(), picture.height(), picture.row(0), picture.stride()});
    win::GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, png.size()));
    if (!memory) win::raiseLastOSError();
    void* bytes = GlobalLock(memory.get());
    if (!bytes) win::raiseLastOSError();
    std::memcpy(bytes, png.data(), png.size());
    GlobalUnlock(memory.get());
    return memory;
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
    const UINT pngFormat = RegisterClipboardFormatA("PNG");
    if (!pngFormat) win::raiseLastOSError();
    win::GlobalMemory png = pngMemory(picture);

    openClipboard(owner);
    const win::ScopeExit closeClipboard([] { CloseClipboard(); });
    if (!EmptyClipboard()) win::raiseLastOSError();
    if (!SetClipboardData(CF_BITMAP, copy.get())) win::raiseLastOSError();
    copy.release();
    if (!SetClipboardData(pngFormat, png.get())) win::raiseLastOSError();
    png.release();
}

}  // namespace vps
