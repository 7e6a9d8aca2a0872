#pragma once

#include <string>
#include <vector>

#include "capture/WindowFrame.h"
#include "core/AreaRect.h"
#include "core/CaptureChoices.h"
#include "core/MonitorGeometry.h"
#include "win/Bitmap.h"

namespace vps {

// The captured screen frozen at the moment of activation, as 32-bit pixels the miniature's filter
// reads in place: the capture lands there directly, with no copy into another buffer. Its pixel
// (0, 0) is the captured area's top-left (`CapturedScreen::bounds`), which lies at a negative
// screen position when a monitor left of or above the primary one is captured.
class ScreenSnapshot : public win::Bitmap {
public:
    ScreenSnapshot() : win::Bitmap(win::Bitmap::Pixels::Readable32) {}
};

// W x H: the primary display's size in pixels, read afresh at every call.
Size primaryScreenSize();

// Every monitor of the desktop as the platform lists them now.
std::vector<MonitorBounds> desktopMonitors();

// What the choice captures on the desktop as it is now, the pointer read now.
CapturedScreen GetCapturedScreen(options::ScreenToCaptureChoice choice);

// Fills the snapshot with the current contents of `area` (screen coordinates), resized to its
// size. Raises the system's error when the copy fails; the desktop DC is released on every path.
void CaptureScreen(ScreenSnapshot& snapshot, const AreaRect& area);
// The primary screen.
void CaptureScreen(ScreenSnapshot& snapshot);

// The primary monitor's work area.
AreaRect GetWorkAreaRect();
// The foreground window's visible bounds (visibleWindowBounds), clipped to the captured area.
AreaRect GetForegroundWindowRect(const AreaRect& captured, FrameBoundsQuery frameBounds = compositorFrameBounds);
// The same, clipped to the primary screen.
AreaRect GetForegroundWindowRect(FrameBoundsQuery frameBounds = compositorFrameBounds);
// The foreground window's whole title as UTF-8, and the same cleaned into a file's base name.
std::string ForegroundWindowText();
std::string GetForegroundWindowTitle();

// Maps a screen rectangle onto a miniature of the given size of the captured area.
AreaRect ScreenToPreviewRect(const AreaRect& area, const AreaRect& captured, int previewWidth,
                             int previewHeight);
// The same for a capture of the primary screen.
AreaRect ScreenToPreviewRect(const AreaRect& area, int previewWidth, int previewHeight);

}  // namespace vps
