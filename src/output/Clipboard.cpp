#include "output/Clipboard.h"

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
    openClipboard(owner);
    const win::ScopeExit closeClipboard([] { CloseClipboard(); });
    if (!EmptyClipboard()) win::raiseLastOSError();
    if (!SetClipboardData(CF_BITMAP, copy.get())) win::raiseLastOSError();
    copy.release();
}

}  // namespace vps
