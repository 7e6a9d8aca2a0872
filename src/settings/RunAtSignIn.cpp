#include "settings/RunAtSignIn.h"

#include <windows.h>

#include <vector>

#include "core/StartWithWindows.h"
#include "win/Error.h"
#include "win/UniqueHandle.h"
#include "win/WideText.h"

namespace vps::startup {

namespace {

// The registry answers with its own status code rather than through GetLastError.
void check(LSTATUS status) {
    if (status != ERROR_SUCCESS) throw win::SystemError(static_cast<DWORD>(status));
}

const std::wstring& runKey() {
    static const std::wstring key = win::wide(kRunKey);
    return key;
}

const std::wstring& runValueName() {
    static const std::wstring name = win::wide(kRunValueName);
    return name;
}

}  // namespace

std::optional<std::string> readRunValue() {
    win::RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, runKey().c_str(), 0, KEY_QUERY_VALUE, key.out()) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), runValueName().c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // One more character than asked for: a stored string need not end with its NUL (nor have
    // an even size).
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 2, L'\0');
    if (RegQueryValueExW(key.get(), runValueName().c_str(), nullptr, nullptr,
                         reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return win::narrow(text.data());
}

void writeRunValue(const std::string& exePath) {
    win::RegistryKey key;
    check(RegCreateKeyExW(HKEY_CURRENT_USER, runKey().c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, key.out(), nullptr));
    const std::wstring value = win::wide(runValueFor(exePath));
    check(RegSetValueExW(key.get(), runValueName().c_str(), 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))));
}

void removeRunValue() {
    win::RegistryKey key;
    const LSTATUS opened =
        RegOpenKeyExW(HKEY_CURRENT_USER, runKey().c_str(), 0, KEY_SET_VALUE, key.out());
    if (opened == ERROR_FILE_NOT_FOUND) return;
    check(opened);
    const LSTATUS deleted = RegDeleteValueW(key.get(), runValueName().c_str());
    if (deleted != ERROR_FILE_NOT_FOUND) check(deleted);
}

}  // namespace vps::startup
