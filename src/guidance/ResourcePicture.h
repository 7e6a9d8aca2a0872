#pragma once

#include "win/Bitmap.h"

namespace vps {

// Decodes a picture (JPEG, GIF, BMP) that the executable carries as an RCDATA resource, with the
// system's own picture decoder. Raises an error naming the resource when it is missing or the
// system cannot decode it.
win::Bitmap loadResourcePicture(const char* resourceName);

}  // namespace vps
