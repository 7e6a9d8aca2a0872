#pragma once
// Where help windows go: in front, on top when asked from a window that stays on top, and
// within the work area of the monitor they open on.

#include <windows.h>

#include "core/Anchors.h"
#include "win/Form.h"

namespace vps {

// Help asked for from a window that stays on top (the area selection covers the whole screen)
// must stay on top as well, or it would open out of sight behind that window.
bool staysOnTop(HWND window);
void bringToFront(win::Form& form, bool onTop);
// The work area of the monitor nearest to `point`.
layout::Box workAreaAt(POINT point);

}  // namespace vps
