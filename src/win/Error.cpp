#include "win/Error.h"

#include "core/SystemErrorText.h"
#include "win/WideText.h"

namespace win {

std::string systemText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    // The system's text in the user's language, whatever its script.
    std::string text = length ? narrow(std::wstring_view(buffer, length)) : std::string();
    LocalFree(buffer);
    return text;
}

SystemError::SystemError(DWORD code)
    : std::runtime_error(vps::systemErrorMessage(code, systemText(code))), code_(code) {}

void raiseLastOSError() { throw SystemError(GetLastError()); }

}  // namespace win
