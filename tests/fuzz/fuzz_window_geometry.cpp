// Rectangles that other programs decide: the foreground window's bounds (any program may put its
// window anywhere, far off every screen included) and the work area, mapped onto the miniature
// and outlined there. The arithmetic must stay defined for any bounds, the clipped window keep
// to the screen on its near and far edges, and a rectangle on the screen map into the miniature.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <optional>

#include "FuzzCheck.h"
#include "core/AreaGeometry.h"

namespace {

using vps::AreaRect;
using vps::ExclusiveRect;
using vps::Size;

std::optional<ExclusiveRect> reportedRect(FuzzedDataProvider& input) {
    if (input.ConsumeBool()) return std::nullopt;  // no foreground window, no work area
    return ExclusiveRect{
        input.ConsumeIntegral<std::int32_t>(), input.ConsumeIntegral<std::int32_t>(),
        input.ConsumeIntegral<std::int32_t>(), input.ConsumeIntegral<std::int32_t>()};
}

// All four corners' coordinates on the surface, in whatever order.
bool inside(const AreaRect& r, Size size) {
    const auto across = [&](std::int32_t x) { return x >= 0 && x < size.width; };
    const auto down = [&](std::int32_t y) { return y >= 0 && y < size.height; };
    return across(r.Left) && across(r.Right) && down(r.Top) && down(r.Bottom);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const Size screen{input.ConsumeIntegralInRange<std::int32_t>(1, 16384),
                      input.ConsumeIntegralInRange<std::int32_t>(1, 16384)};
    const Size preview{input.ConsumeIntegralInRange<std::int32_t>(1, 4096),
                       input.ConsumeIntegralInRange<std::int32_t>(1, 4096)};

    const AreaRect window = vps::foregroundWindowRect(reportedRect(input), screen);
    FUZZ_CHECK(window.Left >= 0 && window.Top >= 0);
    FUZZ_CHECK(window.Right < screen.width && window.Bottom < screen.height);
    if (!window.isInverted()) FUZZ_CHECK(inside(window, screen));

    // The work area is only taken when the platform reports a non-empty one.
    auto workArea = reportedRect(input);
    if (workArea && !(workArea->right > workArea->left && workArea->bottom > workArea->top)) {
        workArea.reset();
    }
    const AreaRect work = vps::workAreaRect(workArea, screen);
    FUZZ_CHECK(!work.isInverted());

    for (const AreaRect& area : {window, work}) {
        const AreaRect mapped = vps::screenToPreviewRect(area, screen, preview);
        const auto edges = vps::outlineEdges(mapped);
        if (inside(area, screen)) {
            FUZZ_CHECK(inside(mapped, preview));
            for (const auto& edge : edges) {
                FUZZ_CHECK(edge.right > edge.left && edge.bottom > edge.top);
                FUZZ_CHECK(edge.left >= 0 && edge.right <= preview.width);
                FUZZ_CHECK(edge.top >= 0 && edge.bottom <= preview.height);
            }
        }
    }
    return 0;
}
