#pragma once

#include <cstdint>
#include <vector>

#include "core/BgrPicture.h"
#include "core/PngFile.h"

namespace vps {

// The compression level of saved PNG files on libdeflate's scale 1..12, chosen with
// ScreenPngFilters by scripts/bench-save (docs/PERFORMANCE-SAVE.md).
inline constexpr int ScreenPngLevel = 3;

// The complete PNG file (8-bit truecolour, not interlaced) of `picture`, its rows filtered as
// `filters` says and compressed by libdeflate at `level`. Raises std::bad_alloc when the
// compressor cannot be had and std::length_error for a picture the format cannot hold.
std::vector<std::uint8_t> EncodePng(const BgrPicture& picture,
                                    PngFilterChoice filters = ScreenPngFilters,
                                    int level = ScreenPngLevel);

}  // namespace vps
