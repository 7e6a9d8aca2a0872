#pragma once

#include <string>

#include "capture/WindowFrame.h"
#include "core/AreaRect.h"
#include "win/Bitmap.h"

namespace vps {

// The primary screen frozen at the moment of activation, as 32-bit pixels the miniature's filter
// reads in place: the capture lands there directly, with no copy into another buffer.
class ScreenSnapshot : public win::Bitmap {
public:
    ScreenSnapshot() : win::Bitmap(win::Bitmap::Pixels::Readable32) {}
};

// W x H: the primary display's size in pixels, read afresh at every call.
Size primaryScreenSize();

// Fills the snapshot with the primary screen's current contents, resized to W x H. Raises the
// system's error when the copy fails; the desktop DC is released on every path.
void CaptureScreen(ScreenSnapshot& snapshot);

AreaRect GetWorkAreaRect();
// The foreground window's visible bounds (visibleWindowBounds), clipped to the screen.
AreaRect GetForegroundWindowRect(FrameBoundsQuery frameBounds = compositorFrameBounds);
std::string GetForegroundWindowTitle();

// Maps a screen rectangle onto a miniature of the given size.
AreaRect ScreenToPreviewRect(const AreaRect& area, int previewWidth, int previewHeight);

}  // namespace vps
