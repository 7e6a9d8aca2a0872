#include "settings/SettingsFile.h"

#include <shlobj.h>
#include <windows.h>

#include "settings/uIni.h"
#include "win/Error.h"

namespace vps {

namespace {

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string windowsDirectory() {
    char buffer[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    return length > 0 && length < MAX_PATH ? buffer : "";
}

std::string roamingAppData() {
    char buffer[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))
               ? buffer
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
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              exists ? OPEN_EXISTING : CREATE_NEW,
                              exists ? FILE_ATTRIBUTE_NORMAL : FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
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
        CreateDirectoryA(location.folder.c_str(), nullptr);
        // Should the copy fail, the store starts from the defaults; writing then reports it.
        // A read-only mark would come along with the copy and refuse every later write.
        if (CopyFileA(location.copyFrom.c_str(), location.path.c_str(), TRUE)) {
            SetFileAttributesA(location.path.c_str(), FILE_ATTRIBUTE_NORMAL);
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
