#include "ScreenLikePicture.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vps::bench {

namespace {

struct Rgb {
    int r, g, b;
};

Rgb mix(Rgb a, Rgb b, double t) {
    return {static_cast<int>(std::lround(a.r + (b.r - a.r) * t)),
            static_cast<int>(std::lround(a.g + (b.g - a.g) * t)),
            static_cast<int>(std::lround(a.b + (b.b - a.b) * t))};
}

// A fixed linear congruential sequence: std::rand and the <random> distributions may differ
// between the native and the Windows runtime, and both builds must draw the same picture.
class Sequence {
public:
    explicit Sequence(std::uint32_t seed) : state_(seed) {}
    std::uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    int below(int limit) { return static_cast<int>(next() % static_cast<std::uint32_t>(limit)); }

private:
    std::uint32_t state_;
};

class Canvas {
public:
    explicit Canvas(OwnedPicture& picture) : picture_(picture) {}

    void put(int x, int y, Rgb c) {
        if (x < 0 || y < 0 || x >= picture_.width || y >= picture_.height) return;
        std::uint8_t* p = picture_.bytes.data() + y * picture_.stride + 3 * x;
        p[0] = clamp(c.b);
        p[1] = clamp(c.g);
        p[2] = clamp(c.r);
    }

    void fill(int x, int y, int w, int h, Rgb c) {
        for (int j = y; j < y + h; ++j)
            for (int i = x; i < x + w; ++i) put(i, j, c);
    }

    void frame(int x, int y, int w, int h, Rgb c) {
        fill(x, y, w, 1, c);
        fill(x, y + h - 1, w, 1, c);
        fill(x, y, 1, h, c);
        fill(x + w - 1, y, 1, h, c);
    }

    // The classic raised edge: light on the top and left, dark on the bottom and right.
    void bevel(int x, int y, int w, int h, bool raised) {
        const Rgb light{255, 255, 255}, shadow{128, 128, 128}, dark{64, 64, 64};
        const Rgb topLeft = raised ? light : shadow, bottomRight = raised ? dark : light;
        fill(x, y, w, 1, topLeft);
        fill(x, y, 1, h, topLeft);
        fill(x, y + h - 1, w, 1, bottomRight);
        fill(x + w - 1, y, 1, h, bottomRight);
    }

    void horizontalGradient(int x, int y, int w, int h, Rgb from, Rgb to) {
        for (int i = 0; i < w; ++i)
            fill(x + i, y, 1, h, mix(from, to, double(i) / std::max(1, w - 1)));
    }

    // Words of 5 x 7 glyphs, one pixel apart, as small screen text is; each letter's shape is
    // drawn from the sequence once, so repeated letters repeat exactly, as in real text.
    int text(int x, int y, int length, Rgb c, Sequence& words) {
        int cursor = x;
        int left = length;
        while (left > 0) {
            const int word = std::min(left, 2 + words.below(8));
            for (int k = 0; k < word; ++k) {
                drawGlyph(cursor, y, glyphs_[static_cast<std::size_t>(words.below(26))], c);
                cursor += 6;
            }
            cursor += 4;
            left -= word;
        }
        return cursor;
    }

    void makeGlyphs(Sequence& shapes) {
        for (auto& glyph : glyphs_) {
            glyph = 0;
            for (int bit = 0; bit < 35; ++bit)
                if (shapes.below(100) < 38) glyph |= std::uint64_t{1} << bit;
        }
    }

private:
    static std::uint8_t clamp(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); }

    void drawGlyph(int x, int y, std::uint64_t glyph, Rgb c) {
        for (int row = 0; row < 7; ++row)
            for (int column = 0; column < 5; ++column)
                if (glyph >> (row * 5 + column) & 1) put(x + column, y + row, c);
    }

    OwnedPicture& picture_;
    std::uint64_t glyphs_[26] = {};
};

struct Box {
    int x, y, w, h;
};

// A window of the classic look: frame, title bar, menu line, then `client` to paint into.
Box drawWindow(Canvas& canvas, Sequence& words, Box outer, Rgb titleFrom, Rgb titleTo) {
    const Rgb face{212, 208, 200};
    canvas.fill(outer.x, outer.y, outer.w, outer.h, face);
    canvas.bevel(outer.x, outer.y, outer.w, outer.h, true);
    canvas.horizontalGradient(outer.x + 4, outer.y + 4, outer.w - 8, 18, titleFrom, titleTo);
    canvas.text(outer.x + 26, outer.y + 9, 4 + words.below(20), {255, 255, 255}, words);
    canvas.fill(outer.x + 7, outer.y + 6, 14, 14, {240, 200, 60});  // the window's icon
    for (int b = 0; b < 3; ++b) {
        const int bx = outer.x + outer.w - 24 - 18 * b;
        canvas.fill(bx, outer.y + 6, 16, 14, face);
        canvas.bevel(bx, outer.y + 6, 16, 14, true);
        canvas.fill(bx + 4, outer.y + 15, 8, 2, {0, 0, 0});
    }
    int menuX = outer.x + 10;
    for (int m = 0; m < 6; ++m)
        menuX = canvas.text(menuX, outer.y + 28, 3 + words.below(5), {0, 0, 0}, words) + 8;
    Box client{outer.x + 6, outer.y + 44, outer.w - 12, outer.h - 50};
    canvas.bevel(client.x - 2, client.y - 2, client.w + 4, client.h + 4, false);
    return client;
}

void drawDocument(Canvas& canvas, Sequence& words, Box client) {
    canvas.fill(client.x, client.y, client.w, client.h, {255, 255, 255});
    for (int y = client.y + 8; y + 9 < client.y + client.h; y += 14) {
        if (words.below(9) == 0) continue;  // a paragraph break
        const int columns = (client.w - 24) / 6;
        const Rgb ink = words.below(12) == 0 ? Rgb{0, 0, 200} : Rgb{0, 0, 0};
        canvas.text(client.x + 12, y, columns / 2 + words.below(columns / 2), ink, words);
    }
    // A text selection: inverted colours over a few lines.
    canvas.fill(client.x + 12, client.y + 120, client.w / 2, 28, {49, 106, 197});
    canvas.text(client.x + 14, client.y + 124, client.w / 13, {255, 255, 255}, words);
    canvas.text(client.x + 14, client.y + 138, client.w / 14, {255, 255, 255}, words);
}

void drawSpreadsheet(Canvas& canvas, Sequence& words, Box client) {
    canvas.fill(client.x, client.y, client.w, client.h, {255, 255, 255});
    const int cellW = 72, cellH = 18;
    canvas.fill(client.x, client.y, client.w, cellH, {236, 233, 216});
    canvas.fill(client.x, client.y, 32, client.h, {236, 233, 216});
    for (int x = client.x + 32; x < client.x + client.w; x += cellW)
        canvas.fill(x, client.y, 1, client.h, {192, 192, 192});
    for (int y = client.y + cellH; y < client.y + client.h; y += cellH)
        canvas.fill(client.x, y, client.w, 1, {192, 192, 192});
    for (int y = client.y + cellH + 5; y + 7 < client.y + client.h; y += cellH)
        for (int x = client.x + 32 + 4; x + cellW < client.x + client.w; x += cellW)
            if (words.below(3) != 0)
                canvas.text(x + words.below(20), y, 2 + words.below(7), {0, 0, 0}, words);
    // A highlighted range and a chart-like block of bars.
    canvas.fill(client.x + 32 + cellW, client.y + cellH * 4, cellW * 2, cellH * 3, {198, 217, 240});
    const Box chart{client.x + client.w - 360, client.y + cellH * 3, 320, 200};
    canvas.fill(chart.x, chart.y, chart.w, chart.h, {250, 250, 250});
    canvas.frame(chart.x, chart.y, chart.w, chart.h, {0, 0, 0});
    for (int b = 0; b < 12; ++b) {
        const int h = 20 + words.below(160);
        canvas.fill(chart.x + 12 + 25 * b, chart.y + chart.h - 10 - h, 18, h,
                    b % 2 ? Rgb{79, 129, 189} : Rgb{192, 80, 77});
    }
}

// Smooth shapes under fine noise: what a photograph in a viewer gives the encoder.
void drawPhoto(Canvas& canvas, Sequence& noise, Box area) {
    for (int y = 0; y < area.h; ++y) {
        for (int x = 0; x < area.w; ++x) {
            const double u = double(x) / area.w, v = double(y) / area.h;
            const double sky = 0.5 + 0.5 * std::sin(6.0 * u + 3.0 * v);
            const double hill = v > 0.55 + 0.1 * std::sin(9.0 * u) ? 1.0 : 0.0;
            const int grain = noise.below(17) - 8;
            const Rgb c = hill > 0
                              ? Rgb{60 + int(40 * sky), 110 + int(50 * v), 40}
                              : Rgb{120 + int(60 * sky), 160 + int(50 * sky), 230 - int(40 * v)};
            canvas.put(area.x + x, area.y + y, {c.r + grain, c.g + grain, c.b + grain});
        }
    }
}

void drawToolbar(Canvas& canvas, Sequence& icons, int x, int y, int count) {
    for (int i = 0; i < count; ++i) {
        const int ix = x + 24 * i + (i / 5) * 8;
        for (int py = 0; py < 16; ++py)
            for (int px = 0; px < 16; ++px)
                if (icons.below(4) != 0)
                    canvas.put(ix + px, y + py,
                               {icons.below(256), icons.below(256), icons.below(256)});
    }
}

}  // namespace

OwnedPicture MakeScreenLikePicture(int width, int height) {
    OwnedPicture picture;
    picture.width = width;
    picture.height = height;
    picture.stride = (static_cast<std::ptrdiff_t>(width) * 3 + 3) & ~std::ptrdiff_t{3};
    picture.bytes.assign(static_cast<std::size_t>(picture.stride) * height, 0);
    Canvas canvas(picture);
    Sequence words(20261210), noise(4242), icons(777);
    canvas.makeGlyphs(words);

    // The desktop: a diagonal gradient, with a column of icons and their labels.
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            canvas.put(x, y, mix({0, 78, 152}, {58, 110, 165}, double(x + y) / (width + height)));
    for (int i = 0; i < 8; ++i) {
        drawToolbar(canvas, icons, 24, 20 + 90 * i, 1);
        canvas.text(14, 46 + 90 * i, 6, {255, 255, 255}, words);
    }

    const int w = width, h = height;
    const Box editor = drawWindow(canvas, words, {w / 12, h / 14, w / 2, h * 3 / 4}, {10, 36, 106},
                                  {166, 202, 240});
    drawToolbar(canvas, icons, editor.x + 4, editor.y + 2, 14);
    drawDocument(canvas, words, {editor.x, editor.y + 22, editor.w, editor.h - 22});

    const Box sheet = drawWindow(canvas, words, {w * 5 / 12, h / 5, w / 2, h / 2}, {128, 128, 128},
                                 {192, 192, 192});
    drawSpreadsheet(canvas, words, sheet);

    const Box viewer = drawWindow(canvas, words, {w * 2 / 3, h / 2, w / 4, h * 2 / 5},
                                  {10, 36, 106}, {166, 202, 240});
    drawPhoto(canvas, noise, viewer);

    // The task bar, with its buttons and clock.
    const int bar = 30;
    canvas.fill(0, h - bar, w, bar, {212, 208, 200});
    canvas.fill(0, h - bar, w, 1, {255, 255, 255});
    for (int b = 0; b < 6; ++b) {
        const int bx = 4 + 160 * b;
        canvas.bevel(bx, h - bar + 4, 154, bar - 7, b != 1);
        canvas.fill(bx + 4, h - bar + 8, 14, 14, {240, 200, 60});
        canvas.text(bx + 22, h - bar + 11, 10 + words.below(10), {0, 0, 0}, words);
    }
    canvas.bevel(w - 90, h - bar + 4, 86, bar - 7, false);
    canvas.text(w - 76, h - bar + 11, 5, {0, 0, 0}, words);
    return picture;
}

std::vector<std::uint8_t> PpmFileBytes(const BgrPicture& picture) {
    const std::string header =
        "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
    std::vector<std::uint8_t> file(header.begin(), header.end());
    file.reserve(file.size() + static_cast<std::size_t>(picture.width) * picture.height * 3);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* row = picture.row(y);
        for (int x = 0; x < picture.width; ++x) {
            file.push_back(row[3 * x + 2]);
            file.push_back(row[3 * x + 1]);
            file.push_back(row[3 * x]);
        }
    }
    return file;
}

}  // namespace vps::bench
