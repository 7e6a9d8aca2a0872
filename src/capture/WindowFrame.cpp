#include "capture/WindowFrame.h"

namespace vps {

namespace {

// From dwmapi.h, named here so the header (and the library) are not needed to build.
constexpr DWORD kExtendedFrameBounds = 9;  // DWMWA_EXTENDED_FRAME_BOUNDS

using DwmGetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

DwmGetWindowAttributeFunction dwmGetWindowAttribute() {
    // Loaded once and kept for the whole run: every activation asks again, and the library is
    // part of the system wherever it exists.
    static const DwmGetWindowAttributeFunction function = [] {
        HMODULE library = LoadLibraryW(L"dwmapi.dll");
        return library ? reinterpret_cast<DwmGetWindowAttributeFunction>(reinterpret_cast<void*>(
                             GetProcAddress(library, "DwmGetWindowAttribute")))
                       : nullptr;
    }();
    return function;
}

}  // namespace

// https://learn.microsoft.com/windows/win32/api/dwmapi/nf-dwmapi-dwmgetwindowattribute
std::optional<RECT> compositorFrameBounds(HWND window) {
    const auto query = dwmGetWindowAttribute();
    RECT bounds{};
    if (!query || FAILED(query(window, kExtendedFrameBounds, &bounds, sizeof bounds)))
        return std::nullopt;
    // An empty answer (composition off, a window not drawn by the compositor) says nothing.
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) return std::nullopt;
    return bounds;
}

std::optional<RECT> visibleWindowBounds(HWND window, FrameBoundsQuery frameBounds) {
    if (frameBounds) {
        if (const auto bounds = frameBounds(window)) return bounds;
    }
    RECT bounds{};
    if (!GetWindowRect(window, &bounds)) return std::nullopt;
    return bounds;
}

}  // namespace vps
