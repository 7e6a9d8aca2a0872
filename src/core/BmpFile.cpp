#include "core/BmpFile.h"

#include <limits>
#include <stdexcept>

namespace vps {

namespace {

// The format is little-endian whatever the machine.
class LittleEndianWriter {
public:
    explicit LittleEndianWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void u16(std::uint16_t value) { bytes(value, 2); }
    void u32(std::uint32_t value) { bytes(value, 4); }
    void i32(std::int32_t value) { bytes(static_cast<std::uint32_t>(value), 4); }

private:
    void bytes(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) out_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    std::vector<std::uint8_t>& out_;
};

}  // namespace

std::vector<std::uint8_t> BmpFileBytes(const BgrPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0) {
        throw std::invalid_argument("A bitmap file needs at least one pixel.");
    }
    // The file size is a 32-bit field; the largest real screens are far below it.
    const std::uint64_t rowSize =
        (static_cast<std::uint64_t>(picture.width) * 3 + 3) & ~std::uint64_t{3};
    const std::uint64_t imageSize = rowSize * static_cast<std::uint64_t>(picture.height);
    if (imageSize > std::numeric_limits<std::uint32_t>::max() - BmpHeadersSize) {
        throw std::length_error("The picture is too large for a bitmap file.");
    }
    const auto fileSize = static_cast<std::uint32_t>(BmpHeadersSize + imageSize);

    std::vector<std::uint8_t> file;
    file.reserve(fileSize);
    LittleEndianWriter out(file);
    // BITMAPFILEHEADER
    file.push_back('B');
    file.push_back('M');
    out.u32(fileSize);
    out.u16(0);
    out.u16(0);
    out.u32(BmpHeadersSize);  // the pixels follow the headers: no colour table at 24 bits
    // BITMAPINFOHEADER
    out.u32(40);
    out.i32(picture.width);
    out.i32(picture.height);  // positive: rows are stored from the bottom up
    out.u16(1);               // planes
    out.u16(24);              // bits per pixel
    out.u32(0);               // BI_RGB, uncompressed
    out.u32(static_cast<std::uint32_t>(imageSize));
    out.i32(0);  // horizontal resolution: not known
    out.i32(0);  // vertical resolution
    out.u32(0);  // colours used: all
    out.u32(0);  // important colours: all

    const auto pixelBytes = static_cast<std::size_t>(picture.width) * 3;
    const auto padding = static_cast<std::size_t>(rowSize) - pixelBytes;
    for (int y = picture.height - 1; y >= 0; --y) {
        const std::uint8_t* row = picture.row(y);
        file.insert(file.end(), row, row + pixelBytes);
        file.insert(file.end(), padding, 0);
    }
    return file;
}

}  // namespace vps
