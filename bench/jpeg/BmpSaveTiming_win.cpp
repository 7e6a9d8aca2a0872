#include <io.h>
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "BmpSaveTiming.h"
#include "Stopwatch.h"
#include "core/BmpFile.h"
#include "output/SafeFileWriter.h"

namespace vps::bench {

namespace {

// Each run writes a new file, as saving a capture under a fresh name does; replacing an
// existing file is a different (and on some file systems slower) operation.
void removeFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

void writeWithStdio(const std::string& path, const std::vector<std::uint8_t>& bytes, bool commit) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) throw std::runtime_error("cannot create " + path);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    // _commit is the C runtime's way to the disk (FlushFileBuffers), as WriteFileSafely does.
    const bool flushed = !commit || (std::fflush(file) == 0 && _commit(_fileno(file)) == 0);
    if (std::fclose(file) != 0 || !written || !flushed)
        throw std::runtime_error("cannot write " + path);
}

}  // namespace

void TimeBmpSaves(const BgrPicture& picture, const std::string& folder, int runs) {
    const std::string ours = folder + "\\ours.bmp";
    const std::string plain = folder + "\\fwrite.bmp";
    const std::string committed = folder + "\\fwrite-commit.bmp";
    std::vector<double> build, write, save, stdio, stdioCommit;
    // One round untimed: the first file in a folder and the first large allocation cost extra.
    for (int run = -1; run < runs; ++run) {
        removeFile(ours);
        removeFile(plain);
        removeFile(committed);

        Stopwatch whole;
        const std::vector<std::uint8_t> bytes = BmpFileBytes(picture);
        const double built = whole.milliseconds();
        WriteFileSafely(ours, bytes);
        const double saved = whole.milliseconds();

        Stopwatch plainWrite;
        writeWithStdio(plain, bytes, false);
        const double plainMs = plainWrite.milliseconds();

        Stopwatch committedWrite;
        writeWithStdio(committed, bytes, true);
        const double committedMs = committedWrite.milliseconds();

        if (run < 0) continue;
        build.push_back(built);
        write.push_back(saved - built);
        save.push_back(saved);
        stdio.push_back(plainMs);
        stdioCommit.push_back(committedMs);
    }
    removeFile(ours);
    removeFile(plain);
    removeFile(committed);
    std::printf("bmp bytes %.3f\n", Median(build));
    std::printf("bmp write-safely %.3f\n", Median(write));
    std::printf("bmp save %.3f\n", Median(save));
    std::printf("bmp fwrite %.3f\n", Median(stdio));
    std::printf("bmp fwrite-commit %.3f\n", Median(stdioCommit));
}

}  // namespace vps::bench
