#include "guidance/ExeInfo.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <iterator>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/SystemInfo.h"
#include "win/Application.h"
#include "win/Error.h"
#include "win/WideText.h"

namespace vps {

namespace {

constexpr const char* kNotRead = "Updated at run-time";
// Room for a path of MAX_PATH characters and its terminating NUL: a longer answer counts as a
// failed call, as it always has.
constexpr UINT kFolderBuffer = 261;
constexpr std::size_t kFolderKept = 255;

bool queryValue(const std::vector<char>& data, const std::string& path, void** value,
                UINT* length) {
    *value = nullptr;
    *length = 0;
    return VerQueryValueW(data.data(), win::wide(path).c_str(), value, length) && *value;
}

// The language-and-code-page key of the string table, e.g. "040904E4", from the first entry of the
// translation table. Without a usable table, U.S. English is looked for in the two code pages
// resource compilers write (Windows Latin-1, then Unicode); when neither table exists the first
// key is kept, so every entry reads as missing.
std::string stringTableKey(const std::vector<char>& data) {
    void* value = nullptr;
    UINT length = 0;
    if (queryValue(data, "\\VarFileInfo\\Translation", &value, &length) &&
        length >= 2 * sizeof(WORD)) {
        const auto* translation = static_cast<const WORD*>(value);
        char key[9];
        std::snprintf(key, sizeof key, "%04X%04X", translation[0], translation[1]);
        return key;
    }
    for (const char* key : {"040904E4", "040904B0"}) {
        if (queryValue(data, std::string("\\StringFileInfo\\") + key, &value, &length)) return key;
    }
    return "040904E4";
}

// A platform call that fills a buffer with a folder and answers its length: 0 on failure, more
// than the buffer when it did not fit.
template <typename Call>
std::string readFolder(Call call) {
    std::wstring buffer(kFolderBuffer, L'\0');
    const UINT length = call(buffer.data(), kFolderBuffer);
    if (length == 0 || length >= kFolderBuffer) return {};
    buffer.resize(length);
    return win::narrow(buffer);
}

}  // namespace

TExeInfo::TExeInfo() {
    for (std::string* field :
         {&CompanyName, &FileDescription, &FileVersion, &InternalName, &LegalCopyright,
          &LegalTradeMark, &OriginalFileName, &ProductName, &ProductVersion, &Comments}) {
        *field = kNotRead;
    }
    ReadVersionInfo(win::Application::exePath());
}

void TExeInfo::ReadVersionInfo(const std::string& path) {
    DWORD ignored = 0;
    const std::wstring widePath = win::wide(path);
    const DWORD size = GetFileVersionInfoSizeW(widePath.c_str(), &ignored);
    if (size == 0) return;
    std::vector<char> data(size, '\0');
    if (!GetFileVersionInfoW(widePath.c_str(), 0, size, data.data())) return;

    const std::string prefix = "\\StringFileInfo\\" + stringTableKey(data) + "\\";
    const std::pair<std::string*, const char*> entries[] = {
        {&CompanyName, "CompanyName"},           {&FileDescription, "FileDescription"},
        {&FileVersion, "FileVersion"},           {&InternalName, "InternalName"},
        {&LegalCopyright, "LegalCopyright"},     {&LegalTradeMark, "LegalTradeMarks"},
        {&OriginalFileName, "OriginalFileName"}, {&ProductName, "ProductName"},
        {&ProductVersion, "ProductVersion"},     {&Comments, "Comments"},
    };
    for (const auto& [field, entry] : entries) {
        void* value = nullptr;
        UINT length = 0;
        // The length counts characters up to the end of the value; stop at its first NUL too.
        if (queryValue(data, prefix + entry, &value, &length)) {
            const auto* text = static_cast<const wchar_t*>(value);
            *field = win::narrow(std::wstring_view(text, wcsnlen(text, length)));
        } else {
            field->clear();
        }
    }
}

std::string TExeInfo::ComputerName() const {
    wchar_t name[sysinfo::kMaxComputerNameLength + 1] = {};
    DWORD size = std::size(name);
    // A longer name than the buffer holds makes the call fail rather than overrun it.
    if (!GetComputerNameW(name, &size)) return {};
    return win::narrow(std::wstring_view(name, wcsnlen(name, std::size(name))));
}

void TExeInfo::ChangeComputerName(const std::string& name) {
    const std::wstring wideName = win::wide(name);
    if (wideName.size() > sysinfo::kMaxComputerNameLength) {
        throw std::invalid_argument("The computer name \"" + name + "\" is longer than " +
                                    std::to_string(sysinfo::kMaxComputerNameLength) +
                                    " characters.");
    }
    win::checkOS(SetComputerNameW(wideName.c_str()));
}

std::string TExeInfo::OSName() const {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    std::optional<sysinfo::OsVersion> version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (GetVersionExW(&info)) {
#pragma GCC diagnostic pop
        version = sysinfo::OsVersion{
            info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
            win::narrow(std::wstring_view(
                info.szCSDVersion, wcsnlen(info.szCSDVersion, std::size(info.szCSDVersion))))};
    }
    return std::string(sysinfo::osName(version));
}

std::string TExeInfo::WindowsDir() const {
    return sysinfo::folderWithBackslash(readFolder(GetWindowsDirectoryW), kFolderKept);
}

std::string TExeInfo::SystemDir() const {
    return sysinfo::folderWithBackslash(readFolder(GetSystemDirectoryW), kFolderKept);
}

std::string TExeInfo::TempDir() const {
    return readFolder([](wchar_t* buffer, UINT size) { return GetTempPathW(size, buffer); });
}

std::uint32_t TExeInfo::ComponentVersion() {
    return sysinfo::kComponentVersion;
}

std::string TExeInfo::Version() {
    return sysinfo::versionText(ComponentVersion());
}

const std::string& TExeInfo::componentName() const {
    static const std::string name = "ExeInfo";
    return name;
}

std::optional<win::PropertyAccess> TExeInfo::property(std::string_view name) {
    const std::pair<const char*, std::string*> strings[] = {
        {"CompanyName", &CompanyName},           {"FileDescription", &FileDescription},
        {"FileVersion", &FileVersion},           {"InternalName", &InternalName},
        {"LegalCopyright", &LegalCopyright},     {"LegalTradeMark", &LegalTradeMark},
        {"OriginalFileName", &OriginalFileName}, {"ProductName", &ProductName},
        {"ProductVersion", &ProductVersion},     {"Comments", &Comments},
    };
    for (const auto& [propertyName, field] : strings) {
        if (name == propertyName) {
            return win::stringProperty([field] { return *field; },
                                       [field](const std::string& text) { *field = text; });
        }
    }
    if (name == "ComputerName") {
        return win::stringProperty([this] { return ComputerName(); },
                                   [this](const std::string& text) { ChangeComputerName(text); });
    }
    // The system's answers and the own version are computed; a stored value for them is taken
    // and forgotten.
    const auto ignore = [](const std::string&) {};
    if (name == "OSName") return win::stringProperty([this] { return OSName(); }, ignore);
    if (name == "WindowsDir") return win::stringProperty([this] { return WindowsDir(); }, ignore);
    if (name == "SystemDir") return win::stringProperty([this] { return SystemDir(); }, ignore);
    if (name == "TempDir") return win::stringProperty([this] { return TempDir(); }, ignore);
    if (name == "Version") return win::stringProperty([] { return Version(); }, ignore);
    return std::nullopt;
}

}  // namespace vps
