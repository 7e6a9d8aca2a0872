#include "output/JpegEncoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

// jpeglib.h needs FILE and size_t declared before it.
// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

namespace vps {

namespace {

// libjpeg's own error_exit ends the process. Ours jumps back to the setjmp in compress() (the
// pattern of libjpeg's example.txt); throwing a C++ exception instead would unwind through the
// library's C frames, which were not built to be unwound.
struct ErrorManager {
    jpeg_error_mgr base;  // first, so libjpeg's pointer to it is also a pointer to the whole
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void escapeOnError(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->message);
    std::longjmp(errors->escape, 1);
}

// Warnings would go to stderr, which a windowed program does not have.
void ignoreMessage(j_common_ptr) {}

// Collects the compressed bytes in one buffer that is allocated but not filled beforehand, so
// only the pages the encoder writes are ever touched. It starts at half the picture's own size,
// more than a file at the slider's qualities takes even for a photograph, so it is seldom moved.
// A vector grown by doubling from 64 KB zero-filled and copied some three times the file's size
// into fresh pages instead, a page fault each: under Wine a tenth of the whole encode at quality
// 90. libjpeg's jpeg_mem_dest would do too, but after a failure halfway its caller cannot tell
// which buffer to free.
struct GrowingDestination {
    jpeg_destination_mgr base;  // first, as above
    std::uint8_t* buffer = nullptr;
    std::size_t capacity = 0;
    std::size_t used = 0;  // known once the encoder has finished

    GrowingDestination() = default;
    GrowingDestination(const GrowingDestination&) = delete;
    GrowingDestination& operator=(const GrowingDestination&) = delete;
    ~GrowingDestination() { delete[] buffer; }
};

// The markers and tables before the compressed data take well under 1 KB.
constexpr std::uint64_t HeaderRoom = 4096;
// Beyond this the first buffer need not cover half the picture; it grows when it must.
constexpr std::uint64_t LargestFirstBuffer = 128 * 1024 * 1024;
// When even that much cannot be had, a start as small as this may still grow far enough.
constexpr std::size_t SmallestBuffer = 64 * 1024;

// new[] of a size without an initialiser leaves the bytes as they are; nothrow keeps the
// allocation's failure on this side of the C frames.
std::uint8_t* allocate(std::size_t size) noexcept {
    return new (std::nothrow) std::uint8_t[size];
}

void startDestination(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<GrowingDestination*>(cinfo->dest);
    const std::uint64_t halfThePicture =
        std::uint64_t{cinfo->image_width} * cinfo->image_height * 3 / 2 + HeaderRoom;
    std::size_t capacity = static_cast<std::size_t>(std::min(halfThePicture, LargestFirstBuffer));
    std::uint8_t* buffer = allocate(capacity);
    if (!buffer) buffer = allocate(capacity = SmallestBuffer);
    if (!buffer) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    delete[] destination->buffer;
    destination->buffer = buffer;
    destination->capacity = capacity;
    destination->base.next_output_byte = buffer;
    destination->base.free_in_buffer = capacity;
}

boolean continueDestination(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<GrowingDestination*>(cinfo->dest);
    const std::size_t used = destination->capacity;  // the whole buffer is full when called
    std::uint8_t* larger = used <= SIZE_MAX / 2 ? allocate(used * 2) : nullptr;
    if (!larger) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    std::memcpy(larger, destination->buffer, used);
    delete[] destination->buffer;
    destination->buffer = larger;
    destination->capacity = used * 2;
    destination->base.next_output_byte = larger + used;
    destination->base.free_in_buffer = used;
    return TRUE;
}

void finishDestination(j_compress_ptr cinfo) {
    auto* destination = reinterpret_cast<GrowingDestination*>(cinfo->dest);
    destination->used = destination->capacity - destination->base.free_in_buffer;
}

// Every libjpeg call sits in this one function, so that a failure's longjmp lands in the frame
// that called setjmp. Nothing here has a destructor the jump could skip, and after the jump only
// `cinfo` (in the caller's memory) is used.
bool compress(jpeg_compress_struct& cinfo, ErrorManager& errors, GrowingDestination& destination,
              const BgrPicture& picture, int quality, JSAMPROW* rows) {
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = escapeOnError;
    errors.base.output_message = ignoreMessage;
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    destination.base.init_destination = startDestination;
    destination.base.empty_output_buffer = continueDestination;
    destination.base.term_destination = finishDestination;
    cinfo.dest = &destination.base;

    cinfo.image_width = static_cast<JDIMENSION>(picture.width);
    cinfo.image_height = static_cast<JDIMENSION>(picture.height);
    cinfo.input_components = 3;
    // libjpeg-turbo reads blue-green-red rows itself, in its SIMD colour conversion: a copy into
    // red-green-blue order first took a quarter of the whole encode. The YCbCr it computes is
    // the same either way, so are the file's bytes. Set before the defaults, which depend on it.
    cinfo.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);  // TRUE: tables limited to baseline's 8 bits
    jpeg_start_compress(&cinfo, TRUE);
    // Our destination never suspends, so the library takes all the rows it is given.
    while (cinfo.next_scanline < cinfo.image_height) {
        jpeg_write_scanlines(&cinfo, rows + cinfo.next_scanline,
                             cinfo.image_height - cinfo.next_scanline);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const BgrPicture& picture, int quality) {
    if (picture.width <= 0 || picture.height <= 0) {
        throw std::invalid_argument("A JPEG picture needs at least one pixel.");
    }
    // The library only reads these rows; JSAMPROW lacks const because the decoder writes
    // through the same type.
    std::vector<JSAMPROW> rows(static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        rows[static_cast<std::size_t>(y)] = const_cast<JSAMPLE*>(picture.row(y));
    }
    jpeg_compress_struct cinfo{};
    ErrorManager errors{};
    GrowingDestination destination;
    if (!compress(cinfo, errors, destination, picture, quality, rows.data())) {
        throw std::runtime_error(std::string("The picture could not be compressed as JPEG: ") +
                                 errors.message);
    }
    return std::vector<std::uint8_t>(destination.buffer, destination.buffer + destination.used);
}

}  // namespace vps
