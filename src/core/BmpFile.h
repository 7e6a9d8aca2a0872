#pragma once

#include <cstdint>
#include <vector>

#include "core/BgrPicture.h"

namespace vps {

// The complete contents of an uncompressed 24-bit Windows bitmap file of `picture`: the 14-byte
// file header, the 40-byte information header, no colour table, then the rows from the bottom
// up, each padded with zero bytes to a multiple of 4. Raises std::length_error for a picture
// whose file would not fit the format's 32-bit sizes.
std::vector<std::uint8_t> BmpFileBytes(const BgrPicture& picture);

inline constexpr std::uint32_t BmpHeadersSize = 14 + 40;

}  // namespace vps
