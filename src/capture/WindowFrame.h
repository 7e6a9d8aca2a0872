#pragma once

#include <windows.h>

#include <optional>

namespace vps {

// The rectangle a window really covers on screen, or nothing where that cannot be asked.
using FrameBoundsQuery = std::optional<RECT> (*)(HWND window);

// The desktop compositor's answer (the extended frame bounds). On Windows 10 and 11 it leaves
// out the invisible resize borders that GetWindowRect counts, about 7 pixels left, right and
// bottom, which would otherwise capture strips of whatever lies behind the window. The
// compositor's library is loaded when first needed, so the program still starts where it is
// missing.
std::optional<RECT> compositorFrameBounds(HWND window);

// The compositor's bounds where it answers, else GetWindowRect; nothing when neither does.
std::optional<RECT> visibleWindowBounds(HWND window,
                                        FrameBoundsQuery frameBounds = compositorFrameBounds);

}  // namespace vps
