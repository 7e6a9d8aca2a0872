#include "core/PrintedPage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "core/TextUtil.h"

namespace vps::page {

namespace {

int saturated(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace

int InchesToPrinter(int dpi, double inches) {
    // nearbyint rounds in the default mode, to nearest with ties to even; std::round would
    // take halves away from zero.
    return static_cast<int>(std::nearbyint(dpi * inches));
}

int FontHeight(int dpiY, int points) {
    // Two 32-bit factors fit in 63 bits, and so does the rounding added to their magnitude.
    const std::int64_t product = static_cast<std::int64_t>(dpiY) * points;
    const std::int64_t magnitude = (std::llabs(product) + 36) / 72;
    return saturated(product < 0 ? -magnitude : magnitude);
}

bool HasPrintableArea(const Device& device) {
    return device.width > 0 && device.height > 0 && device.dpiX > 0 && device.dpiY > 0;
}

std::string NoPrintableAreaText(std::string_view printerName, const Device& device) {
    return "The printer \"" + std::string(printerName) + "\" reports a page of " +
           std::to_string(device.width) + " x " + std::to_string(device.height) + " pixels at " +
           std::to_string(device.dpiX) + " x " + std::to_string(device.dpiY) +
           " pixels per inch: there is nothing to print on.\r\nPlease check the printer's "
           "driver and its paper settings.";
}

Layout PageLayout(const Device& device, int titleHeight, int footerTextHeight, int pictureWidth,
                  int pictureHeight) {
    Layout layout;
    if (!HasPrintableArea(device) || device.screenDpiX <= 0 || device.screenDpiY <= 0 ||
        pictureWidth < 1 || pictureHeight < 1) {
        return layout;
    }
    // The bands are summed in 64 bits: a font height may be as large as an int allows.
    const std::int64_t W = device.width;
    const std::int64_t H = device.height;
    const std::int64_t titleTop = InchesToPrinter(device.dpiY, 0.05);
    // Reserved whether the title is printed or not, so the capture does not move with it.
    const std::int64_t topBand = titleTop + titleHeight + InchesToPrinter(device.dpiY, 0.05);
    const std::int64_t footerTop = H - footerTextHeight - InchesToPrinter(device.dpiY, 0.05);
    const std::int64_t bottomBand = (H - footerTop) + InchesToPrinter(device.dpiY, 0.1);
    // A negative font height (a character height asked for) shrinks its band, but no band may
    // become less than nothing: the capture would then reach past the page's edge.
    const std::int64_t band = std::max({topBand, bottomBand, std::int64_t{0}});
    const std::int64_t availH = H - 2 * band;
    layout.titleTop = saturated(titleTop);
    layout.topBand = saturated(topBand);
    layout.footerTop = saturated(footerTop);
    layout.bottomBand = saturated(bottomBand);
    layout.availH = saturated(availH);
    if (!layout.hasRoom()) return layout;

    const double scaleX = static_cast<double>(device.dpiX) / device.screenDpiX;
    const double scaleY = static_cast<double>(device.dpiY) / device.screenDpiY;
    const double aspect = static_cast<double>(device.dpiY) / device.dpiX;
    const double w = pictureWidth;
    const double h = pictureHeight;
    // Sizes stay in floating point until they are known to fit the page: a fit to the width of a
    // very tall capture can be far taller than an int holds before it is refused.
    double outW = 0;
    double outH = 0;
    if (static_cast<double>(W) >= w * scaleX && static_cast<double>(availH) >= h * scaleY) {
        outW = w * scaleX;
        outH = h * scaleY;
    } else {
        outW = static_cast<double>(W);
        outH = std::trunc(h * aspect * static_cast<double>(W) / w);
        if (outH > static_cast<double>(availH)) {
            outH = static_cast<double>(availH);
            const std::int64_t widthTimesAvail = pictureWidth * availH;
            // Narrower than the page by the test above; the min only guards the last rounding.
            outW = std::min(static_cast<double>(widthTimesAvail) / (h * aspect),
                            static_cast<double>(W));
        }
    }
    layout.outW = static_cast<int>(outW);
    layout.outH = static_cast<int>(outH);
    layout.left = (device.width - layout.outW) / 2;
    layout.top = (device.height - layout.outH) / 2;
    return layout;
}

std::string FooterText(bool printDate, const std::string& date, bool printTime,
                       const std::string& time, bool printUserName, const std::string& userName) {
    std::string text;
    if (printDate) text += date + " ";
    if (printTime) text += time + " ";
    if (printUserName) text += "by " + userName;
    return trimBlanks(text);
}

std::string JobName(bool printUserName, const std::string& userName) {
    return printUserName ? "Print Screen by " + userName : "Print Screen";
}

}  // namespace vps::page
