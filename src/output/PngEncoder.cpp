#include "output/PngEncoder.h"

#include <libdeflate.h>

#include <memory>
#include <new>
#include <stdexcept>

namespace vps {

namespace {

struct CompressorDeleter {
    void operator()(libdeflate_compressor* compressor) const {
        libdeflate_free_compressor(compressor);
    }
};

}  // namespace

std::vector<std::uint8_t> EncodePng(const BgrPicture& picture, PngFilterChoice filters, int level) {
    const std::vector<std::uint8_t> rows = PngFilteredRows(picture, filters);
    const std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(
        libdeflate_alloc_compressor(level));
    if (!compressor) throw std::bad_alloc();

    // The bound holds even for data that does not compress at all, so one call always succeeds.
    // Left uninitialised: a screen compresses to a tenth or less, and only the pages written
    // are ever touched (zeroing the whole bound cost a page fault for every 4 KiB of it).
    const std::size_t bound = libdeflate_zlib_compress_bound(compressor.get(), rows.size());
    const auto stream = std::make_unique_for_overwrite<std::uint8_t[]>(bound);
    const std::size_t size =
        libdeflate_zlib_compress(compressor.get(), rows.data(), rows.size(), stream.get(), bound);
    if (size == 0) throw std::runtime_error("libdeflate could not compress the picture.");
    return PngFileBytes(picture.width, picture.height, {stream.get(), size}, libdeflate_crc32);
}

}  // namespace vps
