#include "core/PngFile.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace vps {

namespace {

constexpr std::size_t kBytesPerPixel = 3;
constexpr std::uint32_t kLargestChunk = 0x7FFFFFFFu;

std::uint8_t paethPredictor(int left, int above, int upperLeft) {
    const int estimate = left + above - upperLeft;
    const int toLeft = std::abs(estimate - left);
    const int toAbove = std::abs(estimate - above);
    const int toUpperLeft = std::abs(estimate - upperLeft);
    if (toLeft <= toAbove && toLeft <= toUpperLeft) return static_cast<std::uint8_t>(left);
    if (toAbove <= toUpperLeft) return static_cast<std::uint8_t>(above);
    return static_cast<std::uint8_t>(upperLeft);
}

// Writes one row filtered with `filter` to `out`. `above` is the previous row's raw bytes, all
// zero for the top row, as the format defines.
void filterRow(PngFilterChoice filter, const std::uint8_t* raw, const std::uint8_t* above,
               std::size_t size, std::uint8_t* out) {
    const std::size_t b = kBytesPerPixel;
    switch (filter) {
        case PngFilterChoice::None:
            std::copy_n(raw, size, out);
            break;
        case PngFilterChoice::Sub:
            std::copy_n(raw, std::min(b, size), out);
            for (std::size_t i = b; i < size; ++i)
                out[i] = static_cast<std::uint8_t>(raw[i] - raw[i - b]);
            break;
        case PngFilterChoice::Up:
            for (std::size_t i = 0; i < size; ++i)
                out[i] = static_cast<std::uint8_t>(raw[i] - above[i]);
            break;
        case PngFilterChoice::Average:
            for (std::size_t i = 0; i < size; ++i) {
                const int left = i >= b ? raw[i - b] : 0;
                out[i] = static_cast<std::uint8_t>(raw[i] - ((left + above[i]) >> 1));
            }
            break;
        case PngFilterChoice::Paeth:
            for (std::size_t i = 0; i < size; ++i) {
                const int left = i >= b ? raw[i - b] : 0;
                const int upperLeft = i >= b ? above[i - b] : 0;
                out[i] =
                    static_cast<std::uint8_t>(raw[i] - paethPredictor(left, above[i], upperLeft));
            }
            break;
        case PngFilterChoice::PerRow:
            throw std::logic_error("PerRow is a choice among filters, not a filter");
    }
}

// The sum of the filtered bytes read as signed values' magnitudes: small sums mean many bytes
// near zero, which the compressor codes briefly.
std::uint64_t magnitudeSum(const std::uint8_t* bytes, std::size_t size) {
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const int value = bytes[i];
        sum += static_cast<std::uint64_t>(value < 128 ? value : 256 - value);
    }
    return sum;
}

// The Sub filter of one row straight from blue-green-red pixels, its type byte first.
void subFilterRowFromBgr(const std::uint8_t* bgr, int width, std::uint8_t* line) {
    line[0] = static_cast<std::uint8_t>(PngFilterChoice::Sub);
    std::uint8_t* out = line + 1;
    std::uint8_t red = 0, green = 0, blue = 0;
    for (int x = 0; x < width; ++x, bgr += 3, out += 3) {
        out[0] = static_cast<std::uint8_t>(bgr[2] - red);
        out[1] = static_cast<std::uint8_t>(bgr[1] - green);
        out[2] = static_cast<std::uint8_t>(bgr[0] - blue);
        red = bgr[2];
        green = bgr[1];
        blue = bgr[0];
    }
}

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void appendChunk(std::vector<std::uint8_t>& out, const char (&type)[5],
                 std::span<const std::uint8_t> data, Crc32Function crc32) {
    appendU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    // The CRC covers the type and the data, not the length.
    appendU32(out, crc32(0, out.data() + typeAt, out.size() - typeAt));
}

void checkSide(int side, const char* name) {
    if (side < 1) throw std::length_error(std::string("A PNG needs a ") + name + " of at least 1.");
}

}  // namespace

std::vector<std::uint8_t> PngFilteredRows(const BgrPicture& picture, PngFilterChoice choice) {
    checkSide(picture.width, "width");
    checkSide(picture.height, "height");
    const std::size_t rowSize = static_cast<std::size_t>(picture.width) * kBytesPerPixel;
    std::vector<std::uint8_t> out((rowSize + 1) * static_cast<std::size_t>(picture.height));

    // The filters work on the file's red-green-blue order, so each row is turned once.
    std::vector<std::uint8_t> previous(rowSize, 0), current(rowSize);
    std::vector<std::uint8_t> trial(choice == PngFilterChoice::PerRow ? rowSize : 0);
    constexpr std::array<PngFilterChoice, 5> kFilters = {
        PngFilterChoice::None, PngFilterChoice::Sub, PngFilterChoice::Up, PngFilterChoice::Average,
        PngFilterChoice::Paeth};
    std::uint8_t* line = out.data();
    if (choice == PngFilterChoice::Sub) {
        // The program's own choice, in one pass from the picture's bytes: it needs neither the
        // row above nor a turned copy of this one.
        for (int y = 0; y < picture.height; ++y, line += rowSize + 1) {
            subFilterRowFromBgr(picture.row(y), picture.width, line);
        }
        return out;
    }
    for (int y = 0; y < picture.height; ++y, line += rowSize + 1) {
        const std::uint8_t* bgr = picture.row(y);
        for (std::size_t i = 0; i < rowSize; i += kBytesPerPixel) {
            current[i] = bgr[i + 2];
            current[i + 1] = bgr[i + 1];
            current[i + 2] = bgr[i];
        }
        PngFilterChoice filter = choice;
        if (choice == PngFilterChoice::PerRow) {
            std::uint64_t best = UINT64_MAX;
            for (PngFilterChoice candidate : kFilters) {
                filterRow(candidate, current.data(), previous.data(), rowSize, trial.data());
                const std::uint64_t sum = magnitudeSum(trial.data(), rowSize);
                if (sum < best) {
                    best = sum;
                    filter = candidate;
                    std::copy(trial.begin(), trial.end(), line + 1);
                }
            }
        } else {
            filterRow(filter, current.data(), previous.data(), rowSize, line + 1);
        }
        line[0] = static_cast<std::uint8_t>(filter);
        previous.swap(current);
    }
    return out;
}

std::vector<std::uint8_t> PngFileBytes(int width, int height,
                                       std::span<const std::uint8_t> zlibStream,
                                       Crc32Function crc32) {
    checkSide(width, "width");
    checkSide(height, "height");
    if (zlibStream.size() > kLargestChunk)
        throw std::length_error("The compressed picture is too large for a PNG chunk.");

    std::vector<std::uint8_t> out;
    out.reserve(8 + 25 + 12 + zlibStream.size() + 12);
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    out.insert(out.end(), std::begin(kSignature), std::end(kSignature));

    std::vector<std::uint8_t> header;
    appendU32(header, static_cast<std::uint32_t>(width));
    appendU32(header, static_cast<std::uint32_t>(height));
    // 8 bits a sample, colour type 2 (truecolour), deflate, adaptive filtering, no interlace.
    header.insert(header.end(), {8, 2, 0, 0, 0});
    appendChunk(out, "IHDR", header, crc32);
    appendChunk(out, "IDAT", zlibStream, crc32);
    appendChunk(out, "IEND", {}, crc32);
    return out;
}

}  // namespace vps
