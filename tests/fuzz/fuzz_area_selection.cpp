// The area selection is driven by whatever the mouse and keyboard send: any sequence of presses,
// moves (far beyond the screen too), releases, arrow keys, Enter and Escape must keep the corners
// on the screen, leave them in order after a release, and end in a rectangle that is normalised
// and on the screen, or (0, 0, 0, 0).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

#include "FuzzCheck.h"
#include "core/AreaSelection.h"

namespace {

using vps::AreaRect;
using vps::AreaSelection;
using vps::SelectionPoint;
using vps::Size;

bool onScreen(SelectionPoint p, Size screen) {
    return p.x >= 0 && p.x < screen.width && p.y >= 0 && p.y < screen.height;
}

bool onScreen(const AreaRect& r, Size screen) {
    return onScreen(SelectionPoint{r.Left, r.Top}, screen) &&
           onScreen(SelectionPoint{r.Right, r.Bottom}, screen);
}

bool sameState(const AreaSelection& a, const AreaSelection& b) {
    return a.Dragging == b.Dragging && a.Confirmed == b.Confirmed && a.StartPoint == b.StartPoint &&
           a.EndPoint == b.EndPoint && a.ActiveHandle == b.ActiveHandle &&
           a.PointerInside == b.PointerInside && a.Cancelled == b.Cancelled &&
           a.SavedRect == b.SavedRect;
}

SelectionPoint pointer(FuzzedDataProvider& input, Size screen) {
    // Mostly on and near the screen, where the handles are; now and then anywhere at all.
    if (input.ConsumeBool()) {
        return {input.ConsumeIntegral<std::int32_t>(), input.ConsumeIntegral<std::int32_t>()};
    }
    return {input.ConsumeIntegralInRange<std::int32_t>(-20, screen.width + 20),
            input.ConsumeIntegralInRange<std::int32_t>(-20, screen.height + 20)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Small screens make the handles' zones overlap; large ones are what users have.
    const Size screen{input.ConsumeIntegralInRange<std::int32_t>(1, 16384),
                      input.ConsumeIntegralInRange<std::int32_t>(1, 16384)};
    AreaSelection selection;
    selection.reset();
    while (input.remaining_bytes() > 0) {
        const AreaSelection before = selection;
        bool released = false;
        switch (input.ConsumeIntegralInRange(0, 5)) {
            case 0:
                selection.mouseDown(input.ConsumeBool(), pointer(input, screen), screen);
                break;
            case 1:
                selection.mouseMove(pointer(input, screen), screen);
                break;
            case 2:
                // A refused click brings back the rectangle as it stood, which the arrow keys
                // may have left out of order; only a real release orders the corners.
                released = !selection.mouseUp().refusedClick;
                break;
            case 3: {
                const auto key = static_cast<vps::SelectionKey>(input.ConsumeIntegralInRange(0, 4));
                selection.keyDown(key, {input.ConsumeBool(), input.ConsumeBool()}, screen);
                break;
            }
            case 4:
                selection.Confirmed = true;  // Enter: the hidden default button
                break;
            default:
                selection.Cancelled = true;  // Escape: the hidden cancel button
                break;
        }
        FUZZ_CHECK(onScreen(selection.StartPoint, screen));
        FUZZ_CHECK(onScreen(selection.EndPoint, screen));
        FUZZ_CHECK(onScreen(selection.SavedRect, screen));
        FUZZ_CHECK(selection.ActiveHandle <= vps::hdNone);
        FUZZ_CHECK(!selection.PointerInside || selection.ActiveHandle == vps::hdNone);
        if (before.ended()) {
            // Only the buttons' flags may still change once the selection is over.
            AreaSelection flagsOnly = selection;
            flagsOnly.Confirmed = before.Confirmed;
            flagsOnly.Cancelled = before.Cancelled;
            FUZZ_CHECK(sameState(flagsOnly, before));
        } else if (released) {
            FUZZ_CHECK(!selection.Dragging);
            FUZZ_CHECK(selection.StartPoint.x <= selection.EndPoint.x);
            FUZZ_CHECK(selection.StartPoint.y <= selection.EndPoint.y);
        }
        const AreaRect result = selection.result();
        if (selection.Confirmed) {
            FUZZ_CHECK(!result.isInverted());
            FUZZ_CHECK(onScreen(result, screen));
        } else {
            FUZZ_CHECK(result == AreaRect{});
        }
    }
    return 0;
}
