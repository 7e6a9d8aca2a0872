#pragma once

#include <windows.h>

// The screen's pixels per inch, asked of whatever the running Windows offers. The newer calls
// are looked up at run time, so the program still starts on a Windows that lacks them (the
// 32-bit build runs on systems older than per-monitor DPI); each falls back to the next, and
// the last answer is the screen DC's LOGPIXELSY, which every Windows gives.
namespace win {

// Declares the process per-monitor DPI aware (version 2, which also scales the title bar and
// menus), or system aware where the system has no per-monitor awareness. The manifest asks for
// the same; this covers a start where the manifest was not read. Call before the first window.
void enableDpiAwareness();

// The DPI of the monitor the window is on.
int dpiForWindow(HWND window);
// The DPI of the primary monitor, where a window without an owner first appears.
int systemDpi();

// The outer rectangle of a window whose client area is `client`, with the frame, caption and
// menu bar as they are drawn at `dpi`.
void adjustWindowRectForDpi(RECT& client, DWORD style, bool hasMenu, DWORD exStyle, int dpi);

}  // namespace win
