// The benchmark's yardstick for a wake-up: a resident hidden window that, when the wake-up
// message arrives, copies the whole screen into a bitmap and shows itself. Nothing more, so the
// time it takes is what any program that captures and shows must spend.
#include <windows.h>

namespace {

constexpr UINT kWakeUp = 1801;
constexpr char kClassName[] = "VpsBarePeer";

HBITMAP g_shot = nullptr;

void captureAndShow(HWND window) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetWindowDC(GetDesktopWindow());
    HDC memory = CreateCompatibleDC(screen);
    if (g_shot) DeleteObject(g_shot);
    g_shot = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, g_shot);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(GetDesktopWindow(), screen);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
        case kWakeUp:
            captureAndShow(window);
            return 0;
        case WM_CLOSE:  // hides, as the resident program does; the session end quits
            ShowWindow(window, SW_HIDE);
            if (g_shot) DeleteObject(g_shot);
            g_shot = nullptr;
            return 0;
        case WM_ENDSESSION:
            if (wp) PostQuitMessage(0);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wp, lp);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA cls{};
    cls.lpfnWndProc = windowProc;
    cls.hInstance = instance;
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = kClassName;
    RegisterClassA(&cls);
    CreateWindowA(kClassName, "Bare Peer", WS_OVERLAPPEDWINDOW, 100, 0, 329, 700, nullptr, nullptr,
                  instance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
