#include "guidance/ResourcePicture.h"

#include <ole2.h>
#include <olectl.h>
#include <windows.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

namespace vps {

namespace {

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (pointer_) pointer_->Release();
    }
    Interface* operator->() const { return pointer_; }
    Interface** out() { return &pointer_; }
    void** outVoid() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};

// The decoder behind OleLoadPicture is a COM object, so the thread needs COM while it works.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope() {
        if (initialised_) CoUninitialize();
    }

private:
    bool initialised_;
};

[[noreturn]] void fail(const char* resourceName, const std::string& why) {
    throw std::runtime_error("The picture " + std::string(resourceName) +
                             " cannot be shown: " + why);
}

}  // namespace

win::Bitmap loadResourcePicture(const char* resourceName) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, resourceName, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = found ? SizeofResource(module, found) : 0;
    if (!bytes || size == 0) fail(resourceName, "the program does not carry it.");

    // The stream reads from movable memory of its own, which it frees when released.
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) fail(resourceName, "not enough memory.");
    std::memcpy(GlobalLock(copy), bytes, size);
    GlobalUnlock(copy);

    ComScope com;
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, stream.out()))) {
        GlobalFree(copy);
        fail(resourceName, "not enough memory.");
    }
    ComPtr<IPicture> picture;
    const HRESULT decoded = OleLoadPicture(stream.operator->(), static_cast<LONG>(size), FALSE,
                                           IID_IPicture, picture.outVoid());
    short type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(decoded) || FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture->get_Handle(&handle))) {
        fail(resourceName, "the system cannot decode it.");
    }

    // The picture object owns its bitmap and deletes it when released, so the pixels are copied.
    HBITMAP decodedBitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
    BITMAP info{};
    GetObjectA(decodedBitmap, sizeof info, &info);
    win::Bitmap result(info.bmWidth, info.bmHeight);
    win::MemoryDC source(result.dc());
    const HGDIOBJ previous = SelectObject(source.get(), decodedBitmap);
    BitBlt(result.dc(), 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
    SelectObject(source.get(), previous);
    return result;
}

}  // namespace vps
