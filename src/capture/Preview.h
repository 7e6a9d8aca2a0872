#pragma once

#include "capture/ScreenSnapshot.h"
#include "win/Image.h"

// The miniature of the frozen screen inside the monitor drawing.
namespace vps {

// Quick: the whole snapshot point-sampled onto a new picture of the image's size. Used while
// the window appears, where speed matters more than looks.
void drawQuickPreview(const ScreenSnapshot& snapshot, win::Image& image);

// Smooth: the whole snapshot reduced with the linear (tent) filter, so every screen pixel
// counts. Filtered once per snapshot and size, then copied out: an activation asks for it on
// every show, resize and change of area, and the filter over every screen pixel is what costs.
// The image gets a copy because the outline draws over it.
class SmoothPreview {
public:
    // Call whenever the snapshot is taken again or freed: the next draw filters afresh.
    void forget() { made_ = win::Bitmap(); }
    void draw(const ScreenSnapshot& snapshot, win::Image& image);

private:
    win::Bitmap made_;
};

}  // namespace vps
