#pragma once

#include <string>
#include <string_view>

// The arithmetic of the printed page: where the title, the footer and the capture go on the
// printable area of a printer, all lengths in printer pixels from its top left corner.
namespace vps::page {

// The font sizes, in points, that the printing options let a user choose; a stored size outside
// them is not used, and the page takes the size it was designed with (the settings table's
// design value) instead.
inline constexpr int kSmallestFontSize = 1;
inline constexpr int kLargestFontSize = 999;

// dpi × inches, rounded to the nearest integer, ties to the even one.
int InchesToPrinter(int dpi, double inches);

// The height a font of `points` points is given on a device of `dpiY` pixels per inch:
// dpiY × points / 72, rounded to the nearest integer, halves away from zero. A positive height
// is the whole character cell; a negative one asks for the character height without the internal
// leading. A height beyond what an int holds (only an absurd resolution gets there) is cut to it.
int FontHeight(int dpiY, int points);

struct Device {
    int width = 0;   // W: printable width (HORZRES)
    int height = 0;  // H: printable height (VERTRES)
    int dpiX = 0;    // printer pixels per inch across and down
    int dpiY = 0;
    int screenDpiX = 96;  // the screen's logical pixels per inch, which give a capture its size
    int screenDpiY = 96;
};

// Whether the printer reports a page to print on: a printable width and height and a resolution
// across and down. A driver that answers zero must be refused before anything divides by it.
bool HasPrintableArea(const Device& device);

// What the user reads when the printer reports no printable area.
std::string NoPrintableAreaText(std::string_view printerName, const Device& device);

struct Layout {
    int titleTop = 0;
    int topBand = 0;
    int footerTop = 0;
    int bottomBand = 0;
    int availH = 0;  // height left to the capture between the two bands
    // The capture's place; all zero when the bands leave no room (availH <= 0).
    int left = 0;
    int top = 0;
    int outW = 0;
    int outH = 0;

    bool hasRoom() const { return availH > 0; }
};

// `titleHeight` is the title font's height as given to the font (FontHeight), `footerTextHeight`
// the measured height of "X" in the footer font; `pictureWidth` and `pictureHeight` the
// capture's size in pixels (both at least 1). Whatever the numbers, the capture stays on the page
// and clear of the bands: a device without a printable area, a capture of no pixels or bands that
// fill the page give a layout without room.
//
// The capture prints as large as it was on the screen when that fits, else fitted to the width,
// else to the height left between the bands; with the dpiY / dpiX factor its proportions hold on
// paper for printers whose resolutions across and down differ. It is centred on the whole page,
// not between the bands: the larger band is kept free on both sides.
Layout PageLayout(const Device& device, int titleHeight, int footerTextHeight, int pictureWidth,
                  int pictureHeight);

// The footer line from texts already formatted in the user's locale: "<date> <time> by <user>",
// each part only when wanted, with leading and trailing blanks and control characters removed.
std::string FooterText(bool printDate, const std::string& date, bool printTime,
                       const std::string& time, bool printUserName, const std::string& userName);

// The document name the spooler shows: "Print Screen", and " by <user>" when wanted.
std::string JobName(bool printUserName, const std::string& userName);

}  // namespace vps::page
