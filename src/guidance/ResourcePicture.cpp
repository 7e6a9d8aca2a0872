#include "guidance/ResourcePicture.h"

#include <ole2.h>
#include <olectl.h>
#include <windows.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

#include "win/UniqueHandle.h"
#include "win/WideText.h"

namespace vps {

namespace {

[[noreturn]] void fail(const char* resourceName, const std::string& why) {
    throw std::runtime_error("The picture " + std::string(resourceName) +
                             " cannot be shown: " + why);
}

}  // namespace

win::Bitmap loadResourcePicture(const char* resourceName) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, win::wide(resourceName).c_str(),
                                MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (!bytes || size == 0) fail(resourceName, "the program does not carry it.");

    // The stream reads from movable memory of its own, which it frees when released.
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) fail(resourceName, "not enough memory.");
    std::memcpy(GlobalLock(copy), bytes, size);
    GlobalUnlock(copy);

    // The decoder behind OleLoadPicture is a COM object, so the thread needs COM while it works.
    const bool comStarted = SUCCEEDED(CoInitialize(nullptr));
    const win::ScopeExit endCom([comStarted] {
        if (comStarted) CoUninitialize();
    });
    win::ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, stream.out()))) {
        GlobalFree(copy);
        fail(resourceName, "not enough memory.");
    }
    win::ComPtr<IPicture> picture;
    const HRESULT decoded = OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE,
                                           IID_IPicture, reinterpret_cast<void**>(picture.out()));
    short type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(decoded) || FAILED(picture.get()->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture.get()->get_Handle(&handle))) {
        fail(resourceName, "the system cannot decode it.");
    }

    // The picture object owns its bitmap and deletes it when released, so the pixels are copied.
    HBITMAP decodedBitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP info{};
    GetObjectW(decodedBitmap, sizeof info, &info);
    win::Bitmap result(info.bmWidth, info.bmHeight);
    win::MemoryDC source(result.dc());
    const HGDIOBJ previous = SelectObject(source.get(), decodedBitmap);
    BitBlt(result.dc(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    SelectObject(source.get(), previous);
    return result;
}

}  // namespace vps
