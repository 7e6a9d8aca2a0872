#pragma once

#include <windows.h>

#include <string>

namespace vps {

class CaptureBitmap;

enum class PrintTarget {
    DefaultPrinter,   // the printer named in the printing options, or the Windows default
    SelectedPrinter,  // the printer the print dialog made the current one
};

// Prints the capture on one page: the title line at the top, the capture in the middle as large
// as it was on the screen when it fits and shrunk to the page otherwise, and the footer with
// date, time and user name at the bottom. Every choice is read from the settings at this moment.
// Errors are raised to the caller; nothing is printed then, and the mouse cursor is back to the
// arrow on every way out.
void PrintCapture(const CaptureBitmap& bitmap, PrintTarget target);

// The x at which `text` in the DC's current font stands centred on a page `pageWidth` wide;
// negative for a text wider than the page.
int CenteredTextX(HDC dc, int pageWidth, const std::string& text);

// Draws the whole capture stretched into `rect` of the DC.
void StretchBitmapToCanvas(HDC dc, const RECT& rect, const CaptureBitmap& bitmap);

// The logon name of the user running the program; empty when it cannot be read.
std::string CurrentUserName();

}  // namespace vps
