#include "core/PrintedPage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "core/TextUtil.h"

namespace vps::page {

int InchesToPrinter(int dpi, double inches) {
    // nearbyint rounds in the default mode, to nearest with ties to even; std::round would
    // take halves away from zero.
    return static_cast<int>(std::nearbyint(dpi * inches));
}

int FontHeight(int dpiY, int points) {
    const std::int64_t product = static_cast<std::int64_t>(dpiY) * points;
    const std::int64_t magnitude = (std::llabs(product) * 2 + 72) / 144;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

Layout PageLayout(const Device& device, int titleHeight, int footerTextHeight, int pictureWidth,
                  int pictureHeight) {
    const int W = device.width;
    const int H = device.height;
    Layout layout;
    layout.titleTop = InchesToPrinter(device.dpiY, 0.05);
    // Reserved whether the title is printed or not, so the capture does not move with it.
    layout.topBand = layout.titleTop + titleHeight + InchesToPrinter(device.dpiY, 0.05);
    layout.footerTop = H - footerTextHeight - InchesToPrinter(device.dpiY, 0.05);
    layout.bottomBand = (H - layout.footerTop) + InchesToPrinter(device.dpiY, 0.1);
    layout.availH = H - 2 * std::max(layout.topBand, layout.bottomBand);
    if (!layout.hasRoom()) return layout;

    const double scaleX = static_cast<double>(device.dpiX) / device.screenDpiX;
    const double scaleY = static_cast<double>(device.dpiY) / device.screenDpiY;
    const double aspect = static_cast<double>(device.dpiY) / device.dpiX;
    const double w = pictureWidth;
    const double h = pictureHeight;
    const int availH = layout.availH;
    int outW = 0;
    int outH = 0;
    if (W >= w * scaleX && availH >= h * scaleY) {
        outW = static_cast<int>(w * scaleX);
        outH = static_cast<int>(h * scaleY);
    } else {
        outW = W;
        outH = static_cast<int>(h * aspect * W / w);
        if (outH > availH) {
            outH = availH;
            const auto widthTimesAvail = static_cast<std::int64_t>(pictureWidth) * availH;
            outW = static_cast<int>(static_cast<double>(widthTimesAvail) / (h * aspect));
        }
    }
    layout.outW = outW;
    layout.outH = outH;
    layout.left = (W - outW) / 2;
    layout.top = (H - outH) / 2;
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
