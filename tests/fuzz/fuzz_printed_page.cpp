// The printed page takes its numbers from the printer driver (page size, resolution), from the
// settings file (font sizes) and from the screen (the capture's size). Whatever they are, the
// arithmetic must stay defined, and a page with room must carry the whole capture on the paper
// and clear of the title and footer bands.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "core/PrintedPage.h"

namespace {

// Mostly values a real driver or screen could give; now and then any 32-bit number at all.
int number(FuzzedDataProvider& input, int low, int high) {
    return input.ConsumeBool() ? input.ConsumeIntegral<int>()
                               : input.ConsumeIntegralInRange(low, high);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    vps::page::Device device;
    device.width = number(input, 0, 20000);
    device.height = number(input, 0, 20000);
    device.dpiX = number(input, 0, 2400);
    device.dpiY = number(input, 0, 2400);
    device.screenDpiX = number(input, 0, 480);
    device.screenDpiY = number(input, 0, 480);
    const int titlePoints = number(input, -2, 1000);
    const int footerPoints = number(input, -2, 1000);
    const int pictureWidth = number(input, 1, 16384);
    const int pictureHeight = number(input, 1, 16384);

    const int titleHeight = vps::page::FontHeight(device.dpiY, titlePoints);
    const int footerHeight = vps::page::FontHeight(device.dpiY, footerPoints);
    const auto product = static_cast<std::int64_t>(device.dpiY) * titlePoints;
    FUZZ_CHECK((titleHeight > 0) == (product >= 36) && (titleHeight < 0) == (product <= -36));
    // A measured text height is never negative; the footer font's own height stands in for it.
    const int footerTextHeight = std::max(footerHeight, 0);

    const vps::page::Layout layout =
        vps::page::PageLayout(device, titleHeight, footerTextHeight, pictureWidth, pictureHeight);
    if (!vps::page::HasPrintableArea(device)) FUZZ_CHECK(!layout.hasRoom());
    if (!layout.hasRoom()) {
        FUZZ_CHECK(layout.outW == 0 && layout.outH == 0);
        return 0;
    }
    const std::int64_t band = std::max({layout.topBand, layout.bottomBand, 0});
    FUZZ_CHECK(layout.availH == device.height - 2 * band);
    FUZZ_CHECK(layout.outW >= 0 && layout.outH >= 0);
    FUZZ_CHECK(layout.left >= 0 && std::int64_t{layout.left} + layout.outW <= device.width);
    FUZZ_CHECK(layout.outH <= layout.availH);
    FUZZ_CHECK(layout.top >= band && layout.top + layout.outH <= device.height - band);
    return 0;
}
