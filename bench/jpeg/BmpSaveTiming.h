#pragma once

#include <string>

#include "core/BgrPicture.h"

namespace vps::bench {

// Times saving `picture` as a BMP file in `folder` the program's way (BmpFileBytes, then
// WriteFileSafely: temporary file, flush, move) beside plain C stdio writes of the same bytes,
// and prints one line per measurement: "bmp <what> <median ms>".
void TimeBmpSaves(const BgrPicture& picture, const std::string& folder, int runs);

}  // namespace vps::bench
