#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/PngFile.h"

namespace vps {
namespace {

using Bytes = std::vector<std::uint8_t>;

// CRC-32 bit by bit from its definition (reflected, polynomial 0xEDB88320), apart from the
// libraries the program uses.
std::uint32_t referenceCrc(std::uint32_t crc, const void* data, std::size_t size) {
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= static_cast<const std::uint8_t*>(data)[i];
        for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
    }
    return ~crc;
}

std::uint32_t u32At(const Bytes& file, std::size_t offset) {
    return static_cast<std::uint32_t>(file[offset]) << 24 | file[offset + 1] << 16 |
           file[offset + 2] << 8 | file[offset + 3];
}

// Rows with bytes past the pixels (0xEE), as a bitmap's padded rows have; a filter that reads
// them shows. The pixels mix flat runs, steps and noise so every filter has work to do.
struct StridedPicture {
    int width, height;
    std::ptrdiff_t stride;
    Bytes bytes;
    StridedPicture(int w, int h) : width(w), height(h), stride(w * 3 + 5), bytes(stride * h, 0xEE) {
        std::uint32_t noise = 12345;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w * 3; ++x) {
                noise = noise * 1103515245u + 12345u;
                const bool flat = (x / 9 + y / 4) % 3 == 0;
                bytes[y * stride + x] =
                    static_cast<std::uint8_t>(flat ? 200 + x % 3 : (noise >> 16) + y * 7);
            }
        }
    }
    BgrPicture view() const { return {width, height, bytes.data(), stride}; }
};

// The format's reconstruction, written from its definition, independently of the filters.
Bytes unfiltered(const Bytes& rows, int width, int height) {
    const std::size_t size = static_cast<std::size_t>(width) * 3;
    Bytes out(size * height), zero(size, 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t type = rows[y * (size + 1)];
        const std::uint8_t* in = &rows[y * (size + 1) + 1];
        std::uint8_t* raw = &out[y * size];
        const std::uint8_t* above = y ? &out[(y - 1) * size] : zero.data();
        for (std::size_t i = 0; i < size; ++i) {
            const int a = i >= 3 ? raw[i - 3] : 0, b = above[i], c = i >= 3 ? above[i - 3] : 0;
            int predicted = 0;
            switch (type) {
                case 0:
                    predicted = 0;
                    break;
                case 1:
                    predicted = a;
                    break;
                case 2:
                    predicted = b;
                    break;
                case 3:
                    predicted = (a + b) / 2;
                    break;
                case 4: {
                    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b),
                              pc = std::abs(p - c);
                    predicted = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                    break;
                }
                default:
                    ADD_FAILURE() << "filter type " << int(type) << " in row " << y;
                    return {};
            }
            raw[i] = static_cast<std::uint8_t>(in[i] + predicted);
        }
    }
    return out;
}

Bytes rgbOf(const StridedPicture& picture) {
    Bytes rgb;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* bgr = &picture.bytes[y * picture.stride + x * 3];
            rgb.insert(rgb.end(), {bgr[2], bgr[1], bgr[0]});
        }
    }
    return rgb;
}

TEST(PngFile, EveryFilterChoiceReconstructsTheRedGreenBluePixels) {
    const struct {
        PngFilterChoice choice;
        int expectedType;  // -1: any, chosen per row
    } cases[] = {{PngFilterChoice::None, 0},  {PngFilterChoice::Sub, 1},
                 {PngFilterChoice::Up, 2},    {PngFilterChoice::Average, 3},
                 {PngFilterChoice::Paeth, 4}, {PngFilterChoice::PerRow, -1}};
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{2, 3}, std::pair{37, 11}}) {
        const StridedPicture picture(width, height);
        for (const auto& c : cases) {
            SCOPED_TRACE("filter choice " + std::to_string(static_cast<int>(c.choice)) + ", " +
                         std::to_string(width) + "x" + std::to_string(height));
            const Bytes rows = PngFilteredRows(picture.view(), c.choice);
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(height) * (width * 3 + 1));
            if (c.expectedType >= 0) {
                for (int y = 0; y < height; ++y)
                    EXPECT_EQ(rows[y * (width * 3 + 1)], c.expectedType);
            }
            EXPECT_EQ(unfiltered(rows, width, height), rgbOf(picture));
        }
    }
}

TEST(PngFile, PerRowChoiceTakesTheCheapestFilterOfEachRow) {
    // Row 0 is a gradient along the row (Sub leaves 3s after the first pixel); row 1 repeats it
    // (Up leaves zeros).
    const int width = 16;
    Bytes bytes(static_cast<std::size_t>(width) * 3 * 2);
    for (int x = 0; x < width * 3; ++x)
        bytes[x] = bytes[width * 3 + x] = static_cast<std::uint8_t>(x);
    const Bytes rows =
        PngFilteredRows({width, 2, bytes.data(), width * 3}, PngFilterChoice::PerRow);
    EXPECT_EQ(rows[0], 1) << "a gradient along the row is cheapest predicted from the left";
    EXPECT_EQ(rows[width * 3 + 1], 2) << "a repeated row is cheapest predicted from above";
}

TEST(PngFile, ContainerHasSignatureHeaderOneDataChunkAndEndWithTheirCrcs) {
    const Bytes stream = {0x78, 0x01, 0xAA, 0xBB, 0xCC};
    const Bytes file = PngFileBytes(300, 2, stream, referenceCrc);
    const Bytes expectedStart = {0x89, 'P', 'N',  'G',  '\r', '\n', 0x1A, '\n',  //
                                 0,    0,   0,    13,   'I',  'H',  'D',  'R',   //
                                 0,    0,   0x01, 0x2C, 0,    0,    0,    2,    8, 2, 0, 0, 0};
    ASSERT_EQ(file.size(), 8u + 25 + 12 + stream.size() + 12);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 29), expectedStart);
    // Each chunk's CRC covers its type and data.
    struct Chunk {
        const char* type;
        std::size_t at, length;
    } chunks[] = {
        {"IHDR", 8, 13}, {"IDAT", 33, stream.size()}, {"IEND", 33 + 12 + stream.size(), 0}};
    for (const Chunk& chunk : chunks) {
        SCOPED_TRACE(chunk.type);
        EXPECT_EQ(u32At(file, chunk.at), chunk.length);
        EXPECT_EQ(std::string(file.begin() + chunk.at + 4, file.begin() + chunk.at + 8),
                  chunk.type);
        EXPECT_EQ(u32At(file, chunk.at + 8 + chunk.length),
                  referenceCrc(0, &file[chunk.at + 4], chunk.length + 4));
    }
    EXPECT_EQ(Bytes(file.begin() + 41, file.begin() + 41 + stream.size()), stream);
    // The well-known CRC of an empty IEND chunk.
    EXPECT_EQ(u32At(file, file.size() - 4), 0xAE426082u);
}

TEST(PngFile, SizesTheFormatCannotHoldAreRefused) {
    const std::uint8_t pixel[3] = {};
    for (const auto& [width, height] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{-4, 2}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        EXPECT_THROW(PngFileBytes(width, height, {}, referenceCrc), std::length_error);
        EXPECT_THROW(PngFilteredRows({width, height, pixel, 3}, PngFilterChoice::Sub),
                     std::length_error);
    }
}

}  // namespace
}  // namespace vps
