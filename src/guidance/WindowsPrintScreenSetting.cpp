#include "guidance/WindowsPrintScreenSetting.h"

#include <windows.h>

#include "win/Error.h"

namespace vps {

namespace {

constexpr const wchar_t* kKeyboardKey = L"Control Panel\\Keyboard";
constexpr const wchar_t* kValueName = L"PrintScreenKeyForSnippingEnabled";

// An open registry key, closed with its owner.
class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() {
        if (key_) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY* put() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

bool windowsTakesPrintScreen() {
    RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKeyboardKey, 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS) {
        return false;
    }
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    return RegQueryValueExW(key.get(), kValueName, nullptr, &type, reinterpret_cast<BYTE*>(&value),
                            &size) == ERROR_SUCCESS &&
           type == REG_DWORD && value == 1;
}

void turnOffWindowsPrintScreen() {
    RegistryKey key;
    LSTATUS status = RegCreateKeyExW(HKEY_CURRENT_USER, kKeyboardKey, 0, nullptr, 0, KEY_SET_VALUE,
                                     nullptr, key.put(), nullptr);
    if (status == ERROR_SUCCESS) {
        const DWORD off = 0;
        status = RegSetValueExW(key.get(), kValueName, 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&off), sizeof off);
    }
    if (status != ERROR_SUCCESS) throw win::SystemError(static_cast<DWORD>(status));
}

}  // namespace vps
