#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/BgrPicture.h"

namespace vps::bench {

// A picture that owns its pixels, stored as the program's captures are: top-down rows of
// blue-green-red bytes, each padded to a multiple of 4.
struct OwnedPicture {
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    std::vector<std::uint8_t> bytes;

    BgrPicture view() const { return {width, height, bytes.data(), stride}; }
};

// What a capture of a busy desktop looks like to the encoder: a gradient background, windows
// with shaded title bars and bevelled frames, lines of small text, a grid, toolbar icons, a
// photograph-like area with fine noise, and a task bar. The same size always gives the same
// bytes, so figures taken on different days compare.
OwnedPicture MakeScreenLikePicture(int width, int height);

// The picture as a binary PPM (P6), the input libjpeg-turbo's own tools read.
std::vector<std::uint8_t> PpmFileBytes(const BgrPicture& picture);

}  // namespace vps::bench
