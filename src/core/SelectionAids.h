// Where the selection's aiming aids go, and what the readout says: the size readout and the
// magnifier that follow the pointer over the frozen screen.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/Anchors.h"
#include "core/AreaRect.h"
#include "core/AreaSelection.h"

namespace vps {

// Screen pixels the magnifier shows on each side: 15 x 15, the pointer's pixel in the middle.
inline constexpr std::int32_t kMagnifiedPixels = 15;

// The aids' measures in the window's pixels, already scaled to its DPI.
struct AidMetrics {
    std::int32_t cell = 8;     // the width of one magnified pixel
    std::int32_t border = 1;   // the magnifier's frame
    std::int32_t offset = 20;  // from the pointer to the nearest aid: clears the cross-hair cursor
    std::int32_t spacing = 4;  // between the magnifier and the readout
};

// The magnifier's outer size: the magnified pixels and their frame.
std::int32_t magnifierSide(const AidMetrics& metrics);

// What the aids know of the selection at one moment, in the window's client pixels.
struct AidState {
    SelectionPoint pointer;
    // None before the first corner is set.
    std::optional<AreaRect> rectangle;
    // The point of the rectangle that follows the pointer while a drag runs.
    std::optional<SelectionPoint> dragged;
};

// The aids' state as the selection stands; the pointer is taken as the selection takes it, the
// nearest pixel of `bounds`.
AidState aidStateOf(const AreaSelection& selection, SelectionPoint pointer, Size bounds);

// "W x H" of the rectangle (the size of the picture it would cut), or, before the first corner
// is set, the pointer's position "X, Y".
std::string selectionReadout(const AidState& state);

struct AidPlacement {
    layout::Box magnifier;
    layout::Box readout;
};

// The magnifier and the readout, one above the other, in one of the four quadrants diagonal to
// the pointer: the magnifier nearest to it, both `offset` clear of it. The first quadrant that
// lies wholly inside `bounds` and keeps off the dragged point wins, tried in this order: away
// from the rectangle (out past the dragged corner; down and right when nothing is dragged),
// then mirrored left-right, then up-down, then both. Where none fits (a window smaller than
// the aids) the first is pushed inside, away from the dragged point where that is possible.
AidPlacement placeSelectionAids(const AidState& state, Size readout, const AidMetrics& metrics,
                                Size bounds);

// The part of the snapshot the magnifier shows and where it goes in the magnifier, in cells
// from its inner top-left: the 15 x 15 square around the pointer, cut to the snapshot. Empty
// (zero width or height) when the square lies wholly outside it.
struct MagnifiedSource {
    layout::Box pixels;
    std::int32_t firstColumn = 0;
    std::int32_t firstRow = 0;
};
MagnifiedSource magnifiedSource(SelectionPoint pointer, Size snapshot);

}  // namespace vps
