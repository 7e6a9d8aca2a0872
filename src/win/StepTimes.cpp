#include "win/StepTimes.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace win::steptimes {

namespace {

double nowMs() {
    static const double perMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / perMs;
}

// Opened at the first stamp and kept for the life of the process, which a measuring run ends.
std::FILE* output() {
    static std::FILE* const file = [] {
        const char* path = std::getenv("VPS_STEP_TIMES");
        return path && *path ? std::fopen(path, "a") : nullptr;
    }();
    return file;
}

}  // namespace

void stamp(const char* step) {
    std::FILE* file = output();
    if (!file) return;
    static const double first = nowMs();
    static double last = first;
    const double now = nowMs();
    std::fprintf(file, "%8.2f %9.2f %s\n", now - last, now - first, step);
    std::fflush(file);
    last = now;
}

}  // namespace win::steptimes
