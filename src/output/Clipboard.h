#pragma once

#include <windows.h>

#include "output/CaptureBitmap.h"

namespace vps {

// Replaces the clipboard's contents by the picture, in the standard bitmap format and as a PNG
// file (the registered format "PNG").
void copyToClipboard(HWND owner, const CaptureBitmap& picture);

}  // namespace vps
