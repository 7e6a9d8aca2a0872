#pragma once

#include <cstdint>
#include <vector>

#include "core/BgrPicture.h"

namespace vps {

// A baseline colour JPEG (JFIF) of `picture` at `quality` on the IJG scale 1..100, with the
// encoder's default settings otherwise (4:2:0 YCbCr, standard Huffman tables, not progressive).
// Raises std::runtime_error with the encoder's own words when it fails.
//
// Deliberately free of <windows.h>: its "boolean" type would meet libjpeg's in this file.
std::vector<std::uint8_t> EncodeJpeg(const BgrPicture& picture, int quality);

}  // namespace vps
