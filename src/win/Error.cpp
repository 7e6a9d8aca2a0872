#include "win/Error.h"

#include "core/SystemErrorText.h"

namespace win {

std::string systemText(DWORD code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length ? std::string(buffer, length) : std::string();
    LocalFree(buffer);
    return text;
}

SystemError::SystemError(DWORD code)
    : std::runtime_error(vps::systemErrorMessage(code, systemText(code))), code_(code) {}

void raiseLastOSError() { throw SystemError(GetLastError()); }

}  // namespace win
