#pragma once

#include <cstddef>
#include <cstdint>

namespace vps {

// A read-only view of a picture held as rows of blue-green-red bytes, the top row first: the
// layout of a top-down 24-bit device-independent bitmap. The view owns nothing.
struct BgrPicture {
    int width = 0;
    int height = 0;
    const std::uint8_t* top = nullptr;  // the first byte of the top row
    std::ptrdiff_t stride = 0;          // bytes from the start of one row to the next

    const std::uint8_t* row(int y) const { return top + static_cast<std::ptrdiff_t>(y) * stride; }
};

}  // namespace vps
