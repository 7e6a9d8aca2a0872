#include "ScreenLikeFrame.h"

#include <algorithm>
#include <cmath>

namespace vps::bench {

namespace {

// Its own generator, so the frame does not change with the standard library.
class Random {
public:
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return static_cast<std::uint32_t>(state_ >> 32);
    }
    std::int32_t below(std::int32_t limit) {
        return static_cast<std::int32_t>(next() % static_cast<std::uint32_t>(limit));
    }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

std::uint32_t rgb(int red, int green, int blue) {
    const auto byte = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    return 0xFF000000u | byte(red) << 16 | byte(green) << 8 | byte(blue);
}

class Canvas {
public:
    Canvas(std::int32_t width, std::int32_t height)
        : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height) {}

    void fill(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
              std::uint32_t colour) {
        left = std::max(left, 0);
        top = std::max(top, 0);
        right = std::min(right, width_);
        bottom = std::min(bottom, height_);
        for (std::int32_t y = top; y < bottom; ++y) {
            std::fill_n(pixels_.begin() + static_cast<std::ptrdiff_t>(y) * width_ + left,
                        std::max(right - left, 0), colour);
        }
    }
    void set(std::int32_t x, std::int32_t y, std::uint32_t colour) {
        if (x >= 0 && y >= 0 && x < width_ && y < height_) {
            pixels_[static_cast<std::size_t>(y) * width_ + x] = colour;
        }
    }
    std::vector<std::uint32_t> take() { return std::move(pixels_); }

private:
    std::int32_t width_;
    std::int32_t height_;
    std::vector<std::uint32_t> pixels_;
};

// Words of 2..9 glyphs, each glyph a few random strokes in a 7x12 cell.
void text(Canvas& canvas, Random& random, std::int32_t left, std::int32_t top, std::int32_t right,
          std::int32_t bottom) {
    const std::uint32_t ink = rgb(30, 30, 30);
    for (std::int32_t line = top + 6; line + 12 < bottom; line += 18) {
        std::int32_t x = left + 8;
        const std::int32_t end = right - 8 - random.below(std::max((right - left) / 3, 1));
        while (x + 7 < end) {
            const std::int32_t glyphs = 2 + random.below(8);
            for (std::int32_t g = 0; g < glyphs && x + 7 < end; ++g, x += 8) {
                const std::uint32_t shape = random.next();
                for (int stroke = 0; stroke < 4; ++stroke) {
                    if ((shape >> stroke & 1) == 0) continue;
                    const bool upright = (shape >> (8 + stroke) & 1) != 0;
                    const std::int32_t at =
                        static_cast<std::int32_t>(shape >> (16 + 3 * stroke) & 7);
                    for (std::int32_t i = 0; i < (upright ? 10 : 6); ++i) {
                        canvas.set(upright ? x + at % 6 : x + i,
                                   upright ? line + 1 + i : line + 2 + at, ink);
                    }
                }
            }
            x += 8;
        }
    }
}

void photograph(Canvas& canvas, Random& random, std::int32_t left, std::int32_t top,
                std::int32_t right, std::int32_t bottom) {
    for (std::int32_t y = top; y < bottom; ++y) {
        for (std::int32_t x = left; x < right; ++x) {
            const double u = (x - left) / 90.0;
            const double v = (y - top) / 70.0;
            const int grain = random.below(17) - 8;
            canvas.set(x, y,
                       rgb(static_cast<int>(120 + 80 * std::sin(u) * std::cos(v * 0.7)) + grain,
                           static_cast<int>(140 + 60 * std::sin(u * 0.5 + v)) + grain,
                           static_cast<int>(90 + 70 * std::cos(u * 0.3 - v * 1.3)) + grain));
        }
    }
}

}  // namespace

std::vector<std::uint32_t> screenLikeFrame(std::int32_t width, std::int32_t height) {
    Canvas canvas(width, height);
    Random random;
    for (std::int32_t y = 0; y < height; ++y) {
        const int shade = 40 + 80 * y / std::max(height, 1);
        canvas.fill(0, y, width, y + 1, rgb(shade / 3, shade / 2 + 20, shade + 60));
    }
    // Windows from the back to the front, each about a third to two thirds of the screen.
    for (int window = 0; window < 6; ++window) {
        const std::int32_t w = width / 3 + random.below(width / 3);
        const std::int32_t h = height / 3 + random.below(height / 3);
        const std::int32_t left = random.below(std::max(width - w, 1));
        const std::int32_t top = random.below(std::max(height - h - 40, 1));
        canvas.fill(left - 1, top - 1, left + w + 1, top + h + 1, rgb(100, 100, 100));
        for (std::int32_t y = 0; y < 30; ++y) {
            canvas.fill(left, top + y, left + w, top + y + 1, rgb(0, 84 + y * 2, 160 + y * 2));
        }
        for (std::int32_t button = 1; button <= 3; ++button) {
            canvas.fill(left + w - 34 * button, top + 6, left + w - 34 * button + 26, top + 24,
                        rgb(220, 220, 220));
        }
        canvas.fill(left, top + 30, left + w, top + h, rgb(250, 250, 250));
        if (window % 3 == 1) {
            photograph(canvas, random, left + 20, top + 50, left + w - 20, top + h - 20);
        } else {
            text(canvas, random, left, top + 30, left + w, top + h);
        }
    }
    canvas.fill(0, height - 40, width, height, rgb(32, 36, 44));
    for (std::int32_t x = 60; x + 32 < width / 2; x += 48) {
        canvas.fill(x, height - 36, x + 32, height - 4,
                    rgb(random.below(256), random.below(256), random.below(256)));
    }
    return canvas.take();
}

}  // namespace vps::bench
