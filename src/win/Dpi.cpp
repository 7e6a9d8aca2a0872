#include "win/Dpi.h"

#include "win/Gdi.h"

namespace win {

namespace {

// A function of a system DLL, or null where this Windows does not have it.
template <typename Function>
Function systemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    if (!module) module = LoadLibraryW(dll);  // shcore is not loaded by every process
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

using SetAwarenessContext = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
using GetWindowDpi = UINT(WINAPI*)(HWND);
using GetSystemDpi = UINT(WINAPI*)();
using GetMonitorDpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the DPI the user's scaling asks for

int deviceDpi(HWND window) {
    WindowDC dc(window);
    const int dpi = GetDeviceCaps(dc.get(), LOGPIXELSY);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

void enableDpiAwareness() {
    // Fails with "access denied" when the manifest has already set it; nothing to do then.
    static const auto setContext =
        systemFunction<SetAwarenessContext>(L"user32.dll", "SetProcessDpiAwarenessContext");
    if (setContext && setContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2)) return;
    if (setContext && GetLastError() == ERROR_ACCESS_DENIED) return;
    SetProcessDPIAware();
}

int dpiForWindow(HWND window) {
    // https://learn.microsoft.com/windows/win32/api/winuser/nf-winuser-getdpiforwindow
    static const auto forWindow = systemFunction<GetWindowDpi>(L"user32.dll", "GetDpiForWindow");
    if (forWindow && window) {
        if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
    }
    static const auto forMonitor = systemFunction<GetMonitorDpi>(L"shcore.dll", "GetDpiForMonitor");
    if (forMonitor && window) {
        UINT x = 0, y = 0;
        if (SUCCEEDED(forMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kEffectiveDpi, &x, &y)) && y) {
            return static_cast<int>(y);
        }
    }
    return deviceDpi(window);
}

int systemDpi() {
    static const auto forSystem = systemFunction<GetSystemDpi>(L"user32.dll", "GetDpiForSystem");
    if (forSystem) {
        if (const UINT dpi = forSystem()) return static_cast<int>(dpi);
    }
    return deviceDpi(nullptr);
}

void adjustWindowRectForDpi(RECT& client, DWORD style, bool hasMenu, DWORD exStyle, int dpi) {
    static const auto forDpi =
        systemFunction<AdjustForDpi>(L"user32.dll", "AdjustWindowRectExForDpi");
    if (forDpi && forDpi(&client, style, hasMenu, exStyle, static_cast<UINT>(dpi))) return;
    AdjustWindowRectEx(&client, style, hasMenu, exStyle);
}

}  // namespace win
