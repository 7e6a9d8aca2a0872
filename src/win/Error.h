#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace win {

// A failed operating-system call, carrying the platform's error code and its own text.
class SystemError : public std::runtime_error {
public:
    explicit SystemError(DWORD code);
    DWORD code() const { return code_; }

private:
    DWORD code_;
};

// Raises the calling thread's last error (GetLastError) as a SystemError.
[[noreturn]] void raiseLastOSError();

// Raises the last error when an API result says the call failed.
template <typename T>
T checkOS(T result) {
    if (!result) raiseLastOSError();
    return result;
}

std::string systemText(DWORD code);

}  // namespace win
