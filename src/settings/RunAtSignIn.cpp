#include "settings/RunAtSignIn.h"

#include <windows.h>

#include <vector>

#include "core/StartWithWindows.h"
#include "win/Error.h"
#include "win/UniqueHandle.h"

namespace vps::startup {

namespace {

// The registry answers with its own status code rather than through GetLastError.
void check(LSTATUS status) {
    if (status != ERROR_SUCCESS) throw win::SystemError(static_cast<DWORD>(status));
}

}  // namespace

std::optional<std::string> readRunValue() {
    win::RegistryKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key.get(), kRunValueName, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // One more byte than asked for: a stored string need not end with its NUL.
    std::vector<char> text(size + 1, '\0');
    if (RegQueryValueExA(key.get(), kRunValueName, nullptr, nullptr,
                         reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(text.data());
}

void writeRunValue(const std::string& exePath) {
    win::RegistryKey key;
    check(RegCreateKeyExA(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_SET_VALUE, nullptr, key.out(), nullptr));
    const std::string value = runValueFor(exePath);
    check(RegSetValueExA(key.get(), kRunValueName, 0, REG_SZ,
                         reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1)));
}

void removeRunValue() {
    win::RegistryKey key;
    const LSTATUS opened =
        RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, key.out());
    if (opened == ERROR_FILE_NOT_FOUND) return;
    check(opened);
    const LSTATUS deleted = RegDeleteValueA(key.get(), kRunValueName);
    if (deleted != ERROR_FILE_NOT_FOUND) check(deleted);
}

}  // namespace vps::startup
