#include "settings/SettingsFile.h"

#include <shlobj.h>
#include <windows.h>

#include "settings/uIni.h"
#include "win/Error.h"
#include "win/UniqueHandle.h"
#include "win/WideText.h"

namespace vps {

namespace {

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(win::wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string windowsDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        // Too small a buffer gets the size needed, its NUL included.
        const UINT length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
        if (length == 0) return "";
        if (length < buffer.size()) {
            buffer.resize(length);
            return win::narrow(buffer);
        }
        buffer.resize(length);
    }
}

std::string roamingAppData() {
    wchar_t buffer[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))
               ? win::narrow(buffer)
               : "";
}

}  // namespace

// An open for writing that changes nothing: an existing file is opened without truncating it,
// a missing one is created and deleted again as the handle closes. Unlike a trial write of a
// value, this also works before the file exists and leaves its time stamp alone. On Windows
// without elevation both are refused in the Windows directory (the program asks for no
// elevation, so the system does not redirect the write elsewhere either).
bool canWriteFile(const std::string& path) {
    const bool exists = fileExists(path);
    const win::FileHandle file(CreateFileW(
        win::wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, exists ? OPEN_EXISTING : CREATE_NEW,
        exists ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file);
}

ini::SettingsLocation settleSettingsFile(const ini::SettingsFolders& folders,
                                         const WriteProbe& canWrite) {
    const std::string windowsFile = ini::joinPath(folders.windowsDirectory, folders.fileName);
    const std::string perUserFile =
        ini::joinPath(ini::joinPath(folders.appData, ini::kPerUserFolderName), folders.fileName);
    const ini::SettingsFacts facts{
        .windowsFileWritable = canWrite(windowsFile),
        .windowsFileExists = fileExists(windowsFile),
        .perUserFileExists = !folders.appData.empty() && fileExists(perUserFile)};
    ini::SettingsLocation location = ini::chooseSettingsLocation(folders, facts);
    if (!location.copyFrom.empty()) {
        // The copy is the per-user file's first write, so its folder is made now.
        CreateDirectoryW(win::wide(location.folder).c_str(), nullptr);
        // Should the copy fail, the store starts from the defaults; writing then reports it.
        // A read-only mark would come along with the copy and refuse every later write. The copy
        // keeps the file's form; the first write makes it Unicode.
        const std::wstring copy = win::wide(location.path);
        if (CopyFileW(win::wide(location.copyFrom).c_str(), copy.c_str(), TRUE)) {
            SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    }
    return location;
}

ini::SettingsFolders settingsFoldersOfThisUser() {
    return {windowsDirectory(), roamingAppData(), SettingsFileName()};
}

const ini::SettingsLocation& SettingsLocationOfThisRun() {
    static const ini::SettingsLocation location =
        settleSettingsFile(settingsFoldersOfThisUser(), canWriteFile);
    return location;
}

}  // namespace vps
