#pragma once

#include <array>
#include <optional>

#include "core/AreaRect.h"

namespace vps {

// (0, 0, W - 1, H - 1): the whole primary screen.
AreaRect wholeScreenRect(Size screen);

// The work area with inclusive right and bottom edges. Without a work area from the platform the
// whole screen stands in, so every consumer still gets corners on the primary screen.
AreaRect workAreaRect(const std::optional<ExclusiveRect>& workArea, Size screen);

// The foreground window's outer rectangle clipped to the primary screen. Only the near edges are
// clipped against 0 and only the far edges against the screen's size, so a window wholly off the
// primary screen comes out inverted. Without a foreground window the whole screen stands in.
AreaRect foregroundWindowRect(const std::optional<ExclusiveRect>& windowRect, Size screen);
// The same, clipped to the captured area (screen coordinates, inclusive edges): one monitor
// anywhere on the desktop, or all of them.
AreaRect foregroundWindowRect(const std::optional<ExclusiveRect>& windowRect, const AreaRect& captured);

// Maps a screen rectangle onto a miniature of preview.width x preview.height pixels, truncating
// each scaled edge toward zero, so the inclusive screen edges land inside the miniature.
AreaRect screenToPreviewRect(const AreaRect& area, Size screen, Size preview);

// The four one-pixel strips an outline around `corners` (in any order) can touch: the top and
// bottom rows and the left and right columns between the corners, both corners included. Only
// these need repainting when the outline moves or marches.
std::array<ExclusiveRect, 4> outlineEdges(const AreaRect& corners);

}  // namespace vps
