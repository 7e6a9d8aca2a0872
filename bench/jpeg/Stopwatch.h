#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#endif

#include <algorithm>
#include <vector>

namespace vps::bench {

// Milliseconds since construction. On Windows from QueryPerformanceCounter, the clock a
// Windows program would time itself with (under Wine it reads the host's monotonic clock).
class Stopwatch {
public:
    Stopwatch() { start_ = now(); }
    double milliseconds() const { return (now() - start_) * 1000.0 / frequency(); }

private:
#ifdef _WIN32
    static double now() {
        LARGE_INTEGER ticks;
        QueryPerformanceCounter(&ticks);
        return static_cast<double>(ticks.QuadPart);
    }
    static double frequency() {
        LARGE_INTEGER ticks;
        QueryPerformanceFrequency(&ticks);
        return static_cast<double>(ticks.QuadPart);
    }
#else
    static double now() {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    static double frequency() {
        return 1.0;
    }
#endif
    double start_;
};

// The median resists the odd run that another process on the machine slowed down.
inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace vps::bench
