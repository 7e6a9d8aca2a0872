#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/BgrPicture.h"

namespace vps {

// How the rows of a PNG are filtered before compression: one of the format's five filters for
// every row, or per row the filter whose output has the smallest sum of magnitudes (reading
// each filtered byte as signed), the choice the format's own authors recommend for truecolour.
enum class PngFilterChoice { None, Sub, Up, Average, Paeth, PerRow };

// The choice the program saves screen pictures with. On a screen-like picture (flat areas,
// text, lines, a little photograph) Sub gave the smallest files at every compression level,
// smaller than the per-row choice, and in half its time: runs of one colour become runs of
// zeros. Measured by scripts/bench-save (docs/PERFORMANCE-SAVE.md).
inline constexpr PngFilterChoice ScreenPngFilters = PngFilterChoice::Sub;

// The data the zlib stream of a PNG compresses: for each row from the top, its filter type
// byte followed by the filtered red-green-blue bytes (8 bits each, no alpha) of `picture`.
std::vector<std::uint8_t> PngFilteredRows(const BgrPicture& picture, PngFilterChoice choice);

// A CRC-32 as zlib and libdeflate compute it: `crc` is the value so far (0 to start).
using Crc32Function = std::uint32_t (*)(std::uint32_t crc, const void* data, std::size_t size);

// The complete PNG file around a zlib stream of PngFilteredRows: the signature, IHDR (8-bit
// truecolour, not interlaced), one IDAT holding the whole stream, and IEND, each chunk's CRC
// computed by `crc32`. Raises std::length_error for sizes the format cannot hold (a side
// outside 1..2^31-1, or a stream longer than a chunk can be).
std::vector<std::uint8_t> PngFileBytes(int width, int height,
                                       std::span<const std::uint8_t> zlibStream,
                                       Crc32Function crc32);

}  // namespace vps
