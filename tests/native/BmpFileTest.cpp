#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "core/BmpFile.h"

namespace vps {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t u32At(const Bytes& file, std::size_t offset) {
    return file[offset] | file[offset + 1] << 8 | file[offset + 2] << 16 |
           static_cast<std::uint32_t>(file[offset + 3]) << 24;
}

std::uint16_t u16At(const Bytes& file, std::size_t offset) {
    return static_cast<std::uint16_t>(file[offset] | file[offset + 1] << 8);
}

// A picture whose rows carry extra bytes beyond the pixels, as a device-independent bitmap's
// rows do; those bytes hold 0xEE so a writer that copies them shows.
struct StridedPicture {
    int width;
    int height;
    std::ptrdiff_t stride;
    Bytes bytes;

    StridedPicture(int w, int h) : width(w), height(h), stride(w * 3 + 5), bytes(stride * h, 0xEE) {
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w * 3; ++x)
                bytes[y * stride + x] = static_cast<std::uint8_t>(7 * y + x + 1);
        }
    }
    BgrPicture view() const { return {width, height, bytes.data(), stride}; }
};

TEST(BmpFile, ThreeByTwoPictureGivesExactlyTheseBytes) {
    // Top row: blue, green, red; bottom row: white, black, grey (blue-green-red order).
    const std::uint8_t pixels[2][12] = {
        {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xAA, 0xAA, 0xAA},
        {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x81, 0x82, 0xAA, 0xAA, 0xAA},
    };
    const Bytes fileHeader = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0};
    const Bytes infoHeader = {
        40, 0, 0, 0,              // its own size
        3,  0, 0, 0,              // width
        2,  0, 0, 0,              // height, positive: bottom-up
        1,  0,                    // planes
        24, 0,                    // bits per pixel
        0,  0, 0, 0,              // BI_RGB
        24, 0, 0, 0,              // image size
        0,  0, 0, 0, 0, 0, 0, 0,  // resolution
        0,  0, 0, 0, 0, 0, 0, 0,  // colours used, important
    };
    const Bytes bottomRow = {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x80, 0x81, 0x82, 0, 0, 0};
    const Bytes topRow = {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0, 0, 0};
    Bytes expected;
    for (const Bytes* part : {&fileHeader, &infoHeader, &bottomRow, &topRow}) {
        expected.insert(expected.end(), part->begin(), part->end());
    }
    EXPECT_EQ(BmpFileBytes({3, 2, &pixels[0][0], 12}), expected);
}

TEST(BmpFile, RowsArePaddedToFourBytesAndStoredBottomUp) {
    struct Case {
        int width;
        int height;
        std::uint32_t rowSize;
    } cases[] = {
        {1, 1, 4}, {1, 3, 4}, {2, 2, 8}, {3, 1, 12}, {4, 2, 12}, {5, 1, 16}, {101, 3, 304},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const StridedPicture picture(c.width, c.height);
        const Bytes file = BmpFileBytes(picture.view());

        const std::uint32_t imageSize = c.rowSize * static_cast<std::uint32_t>(c.height);
        ASSERT_EQ(file.size(), 54u + imageSize);
        EXPECT_EQ(u32At(file, 2), file.size()) << "file size field";
        EXPECT_EQ(u32At(file, 10), 54u) << "pixel offset";
        EXPECT_EQ(u32At(file, 34), imageSize) << "image size field";

        const std::size_t pixelBytes = static_cast<std::size_t>(c.width) * 3;
        for (int stored = 0; stored < c.height; ++stored) {
            const std::size_t start = 54 + stored * c.rowSize;
            const std::uint8_t* source = picture.view().row(c.height - 1 - stored);
            EXPECT_EQ(Bytes(file.begin() + start, file.begin() + start + pixelBytes),
                      Bytes(source, source + pixelBytes))
                << "stored row " << stored;
            EXPECT_EQ(Bytes(file.begin() + start + pixelBytes, file.begin() + start + c.rowSize),
                      Bytes(c.rowSize - pixelBytes, 0))
                << "padding of stored row " << stored;
        }
    }
}

TEST(BmpFile, HeaderFieldsOfAOnePixelPicture) {
    const std::uint8_t pixel[3] = {1, 2, 3};
    const Bytes file = BmpFileBytes({1, 1, pixel, 3});
    ASSERT_EQ(file.size(), 58u);
    struct Field {
        const char* name;
        std::size_t offset;
        int size;
        std::uint32_t value;
    } fields[] = {
        {"bfType", 0, 2, 0x4D42},      {"bfSize", 2, 4, 58},          {"bfReserved1", 6, 2, 0},
        {"bfReserved2", 8, 2, 0},      {"bfOffBits", 10, 4, 54},      {"biSize", 14, 4, 40},
        {"biWidth", 18, 4, 1},         {"biHeight", 22, 4, 1},        {"biPlanes", 26, 2, 1},
        {"biBitCount", 28, 2, 24},     {"biCompression", 30, 4, 0},   {"biSizeImage", 34, 4, 4},
        {"biXPelsPerMeter", 38, 4, 0}, {"biYPelsPerMeter", 42, 4, 0}, {"biClrUsed", 46, 4, 0},
        {"biClrImportant", 50, 4, 0},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.name);
        EXPECT_EQ(f.size == 2 ? u16At(file, f.offset) : u32At(file, f.offset), f.value);
    }
    EXPECT_EQ(Bytes(file.begin() + 54, file.end()), (Bytes{1, 2, 3, 0}));
}

TEST(BmpFile, RefusesPicturesTheFormatCannotHold) {
    EXPECT_THROW(BmpFileBytes({0, 1, nullptr, 0}), std::invalid_argument);
    EXPECT_THROW(BmpFileBytes({1, 0, nullptr, 0}), std::invalid_argument);
    // 40000 x 40000 pixels need 4.8 GB, beyond the 32-bit size fields; refused before any pixel
    // is read.
    EXPECT_THROW(BmpFileBytes({40000, 40000, nullptr, 120000}), std::length_error);
}

}  // namespace
}  // namespace vps
