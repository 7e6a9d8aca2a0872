// Times what saving a capture costs: EncodeJpeg at the five qualities of the quality slider,
// EncodePng and, in the Windows build, writing the BMP file. Prints plain lines for
// scripts/bench-save:
//   picture <width> <height>
//   jpeg <quality> <median ms> <fastest ms> <bytes>
//   png <filters> <level> <median ms> <fastest ms> <bytes>
//   bmp <what> <median ms>
//
//   save_bench [--runs N] [--size WxH] [--quality Q|none] [--ppm FILE] [--jpeg-dir DIR]
//              [--bmp-dir DIR] [--png program|survey|none] [--png-dir DIR]
// --quality times one quality only (none: no JPEG), so a script can run the peer right beside
// each; --ppm writes the picture for libjpeg-turbo's own tools; --jpeg-dir keeps each quality's
// file (q10.jpg ...) so its bytes can be compared with theirs; --bmp-dir times BMP saving there.
// --png program times the PNG the program writes (the default filters and level); survey times
// every row filter choice at a range of levels, the measurement those defaults were chosen by;
// --png-dir keeps the program's PNG (program.png) for the peers' sizes and a decoding check.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "ScreenLikePicture.h"
#include "Stopwatch.h"
#include "output/JpegEncoder.h"
#include "output/PngEncoder.h"
#ifdef _WIN32
#include "BmpSaveTiming.h"
#endif

namespace {

// The quality slider's positions.
const std::vector<int> Qualities = {10, 25, 50, 75, 90};

void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot create " + path);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) throw std::runtime_error("cannot write " + path);
}

struct Options {
    int runs = 15;
    int width = 1920;
    int height = 1080;
    std::vector<int> qualities = Qualities;
    std::string ppm, jpegDir, bmpDir, png = "none", pngDir;
};

struct PngSetting {
    vps::PngFilterChoice filters;
    const char* name;
    int level;
};

const char* filterName(vps::PngFilterChoice choice) {
    switch (choice) {
        case vps::PngFilterChoice::None:
            return "none";
        case vps::PngFilterChoice::Sub:
            return "sub";
        case vps::PngFilterChoice::Up:
            return "up";
        case vps::PngFilterChoice::Average:
            return "average";
        case vps::PngFilterChoice::Paeth:
            return "paeth";
        case vps::PngFilterChoice::PerRow:
            return "per-row";
    }
    return "?";
}

std::vector<PngSetting> pngSettings(const std::string& which) {
    if (which == "none") return {};
    if (which == "program")
        return {{vps::ScreenPngFilters, filterName(vps::ScreenPngFilters), vps::ScreenPngLevel}};
    if (which != "survey") throw std::runtime_error("--png takes program, survey or none");
    std::vector<PngSetting> settings;
    for (vps::PngFilterChoice choice :
         {vps::PngFilterChoice::None, vps::PngFilterChoice::Sub, vps::PngFilterChoice::Up,
          vps::PngFilterChoice::Paeth, vps::PngFilterChoice::PerRow}) {
        for (int level : {1, 2, 3, 4, 6, 9})
            settings.push_back({choice, filterName(choice), level});
    }
    return settings;
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i], value = argv[i + 1];
        if (name == "--runs")
            options.runs = std::max(1, std::atoi(value.c_str()));
        else if (name == "--size")
            std::sscanf(value.c_str(), "%dx%d", &options.width, &options.height);
        else if (name == "--quality")
            options.qualities =
                value == "none" ? std::vector<int>{} : std::vector<int>{std::atoi(value.c_str())};
        else if (name == "--ppm")
            options.ppm = value;
        else if (name == "--jpeg-dir")
            options.jpegDir = value;
        else if (name == "--bmp-dir")
            options.bmpDir = value;
        else if (name == "--png")
            options.png = value;
        else if (name == "--png-dir")
            options.pngDir = value;
        else
            throw std::runtime_error("unknown option " + name);
    }
    if (argc % 2 == 0) throw std::runtime_error(std::string("no value for ") + argv[argc - 1]);
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const Options options = parse(argc, argv);
        const vps::bench::OwnedPicture owned =
            vps::bench::MakeScreenLikePicture(options.width, options.height);
        const vps::BgrPicture picture = owned.view();
        std::printf("picture %d %d\n", picture.width, picture.height);
        if (!options.ppm.empty()) writeFile(options.ppm, vps::bench::PpmFileBytes(picture));

        for (int quality : options.qualities) {
            // The first encode pays for page faults in fresh memory; it is not what a user who
            // saves a second capture waits for, nor what the peer's warm-up measures.
            std::vector<std::uint8_t> file = vps::EncodeJpeg(picture, quality);
            std::vector<double> times;
            for (int run = 0; run < options.runs; ++run) {
                vps::bench::Stopwatch stopwatch;
                file = vps::EncodeJpeg(picture, quality);
                times.push_back(stopwatch.milliseconds());
            }
            std::printf("jpeg %d %.3f %.3f %zu\n", quality, vps::bench::Median(times),
                        *std::min_element(times.begin(), times.end()), file.size());
            if (!options.jpegDir.empty()) {
                writeFile(options.jpegDir + "/q" + std::to_string(quality) + ".jpg", file);
            }
        }
        for (const PngSetting& setting : pngSettings(options.png)) {
            // As for JPEG: one untimed encode first.
            std::vector<std::uint8_t> file =
                vps::EncodePng(picture, setting.filters, setting.level);
            std::vector<double> times;
            for (int run = 0; run < options.runs; ++run) {
                vps::bench::Stopwatch stopwatch;
                file = vps::EncodePng(picture, setting.filters, setting.level);
                times.push_back(stopwatch.milliseconds());
            }
            std::printf("png %s %d %.3f %.3f %zu\n", setting.name, setting.level,
                        vps::bench::Median(times), *std::min_element(times.begin(), times.end()),
                        file.size());
            if (!options.pngDir.empty() && options.png == "program")
                writeFile(options.pngDir + "/program.png", file);
        }
#ifdef _WIN32
        if (!options.bmpDir.empty())
            vps::bench::TimeBmpSaves(picture, options.bmpDir, options.runs);
#endif
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "save_bench: %s\n", error.what());
        return 1;
    }
}
