#pragma once

#include <windows.h>

#include <array>

// The three Print Screen hot keys of the main window. A key another program holds cannot be
// registered; it is tried again whenever the window asks, so the program takes it as soon as it
// is free, without a timer running while the program waits hidden.
namespace vps {

inline constexpr int HotKeyIds[] = {777, 778, 779};

class PrintScreenKeys {
public:
    explicit PrintScreenKeys(HWND window);
    ~PrintScreenKeys();
    PrintScreenKeys(const PrintScreenKeys&) = delete;
    PrintScreenKeys& operator=(const PrintScreenKeys&) = delete;

    // Registers every key that is not registered yet.
    void retryRefused();
    // Per key, in the order of HotKeyIds: true while its registration is refused.
    std::array<bool, 3> refused() const;

private:
    HWND window_;
    std::array<bool, 3> registered_{};
};

}  // namespace vps
