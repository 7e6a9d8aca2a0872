#pragma once

#include "capture/ScreenSnapshot.h"
#include "win/Image.h"

// The miniature of the frozen screen inside the monitor drawing.
namespace vps {

// Quick: the whole snapshot point-sampled onto a new picture of the image's size. Used while
// the window appears, where speed matters more than looks.
void drawQuickPreview(const ScreenSnapshot& snapshot, win::Image& image);

// Smooth: the whole snapshot reduced with the linear (tent) filter, so every screen pixel counts.
void drawSmoothPreview(const ScreenSnapshot& snapshot, win::Image& image);

}  // namespace vps
