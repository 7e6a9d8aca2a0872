#include "output/SimpleMapi.h"

#include <cstring>
#include <string_view>

#include "win/UniqueHandle.h"

namespace vps::mapi {

namespace {

bool registryAnnouncesSimpleMapi() {
    win::RegistryKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows Messaging Subsystem", 0,
                      KEY_READ, key.out()) != ERROR_SUCCESS) {
        return false;
    }
    // A longer value does not fit and so does not count, whatever it says.
    wchar_t value[9] = {};
    DWORD size = sizeof value;
    if (RegQueryValueExW(key.get(), L"MAPI", nullptr, nullptr, reinterpret_cast<BYTE*>(value),
                         &size) != ERROR_SUCCESS) {
        return false;
    }
    return std::wstring_view(value, wcsnlen(value, size / sizeof(wchar_t))) == L"1";
}

bool simpleMapiInstalled() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExW(&version);
    // Windows NT 3.51 and earlier announce Simple MAPI in WIN.INI, later versions in the registry.
    const bool after351 =
        version.dwMajorVersion > 3 || (version.dwMajorVersion == 3 && version.dwMinorVersion > 51);
    if (after351) return registryAnnouncesSimpleMapi();
    return GetProfileIntW(L"Mail", L"MAPI", 0) != 0;
}

HMODULE simpleMapiLibrary() {
    // Decided once: a system without Simple MAPI stays without it until the program restarts,
    // and a loaded library stays loaded until the process ends, so nothing frees it.
    static const HMODULE library = simpleMapiInstalled() ? LoadLibraryW(L"MAPI32.DLL") : nullptr;
    return library;
}

template <typename Function>
class LibraryFunction {
public:
    explicit LibraryFunction(const char* name) : name_(name) {}

    Function* get() {
        if (!lookedUp_) {
            lookedUp_ = true;
            if (HMODULE library = simpleMapiLibrary()) {
                // Through void (*)(), which GCC takes as the generic function pointer type and so
                // does not warn about the cast from FARPROC (-Wcast-function-type).
                address_ = reinterpret_cast<Function*>(
                    reinterpret_cast<void (*)()>(GetProcAddress(library, name_)));
            }
        }
        return address_;
    }

private:
    const char* name_;
    bool lookedUp_ = false;
    Function* address_ = nullptr;
};

LibraryFunction<MAPILOGON>& logonFunction() {
    static LibraryFunction<MAPILOGON> function("MAPILogon");
    return function;
}

}  // namespace

bool clientInstalled() {
    return logonFunction().get() != nullptr;
}

ULONG logon(ULONG_PTR uiParam, LPSTR profileName, LPSTR password, FLAGS flags, ULONG reserved,
            LPLHANDLE session) {
    if (auto* call = logonFunction().get())
        return call(uiParam, profileName, password, flags, reserved, session);
    return MAPI_USER_ABORT;
}

ULONG resolveName(LHANDLE session, ULONG_PTR uiParam, LPSTR name, FLAGS flags, ULONG reserved,
                  lpMapiRecipDesc* recipient) {
    static LibraryFunction<MAPIRESOLVENAME> function("MAPIResolveName");
    if (auto* call = function.get())
        return call(session, uiParam, name, flags, reserved, recipient);
    return MAPI_USER_ABORT;
}

ULONG sendMail(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message, FLAGS flags,
               ULONG reserved) {
    static LibraryFunction<MAPISENDMAIL> function("MAPISendMail");
    if (auto* call = function.get()) return call(session, uiParam, message, flags, reserved);
    return MAPI_USER_ABORT;
}

ULONG logoff(LHANDLE session, ULONG_PTR uiParam, FLAGS flags, ULONG reserved) {
    static LibraryFunction<MAPILOGOFF> function("MAPILogoff");
    if (auto* call = function.get()) return call(session, uiParam, flags, reserved);
    return MAPI_USER_ABORT;
}

namespace {

LibraryFunction<SendMailW>& sendMailWFunction() {
    static LibraryFunction<SendMailW> function("MAPISendMailW");
    return function;
}

}  // namespace

bool wideSendMailAvailable() {
    return sendMailWFunction().get() != nullptr;
}

ULONG sendMailW(LHANDLE session, ULONG_PTR uiParam, MessageW* message, FLAGS flags,
                ULONG reserved) {
    if (auto* call = sendMailWFunction().get())
        return call(session, uiParam, message, flags, reserved);
    return MAPI_USER_ABORT;
}

}  // namespace vps::mapi
