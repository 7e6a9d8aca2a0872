#include "output/Clipboard.h"

#include "win/Error.h"

namespace vps {

namespace {

class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) {
        // Another program may hold the clipboard for a moment; give it a little time.
        for (int attempt = 0; !OpenClipboard(owner); ++attempt) {
            if (attempt == 10) win::raiseLastOSError();
            Sleep(20);
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() { CloseClipboard(); }
};

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
    OpenedClipboard clipboard(owner);
    if (!EmptyClipboard()) win::raiseLastOSError();
    if (!SetClipboardData(CF_BITMAP, copy.get())) win::raiseLastOSError();
    copy.release();
}

}  // namespace vps
