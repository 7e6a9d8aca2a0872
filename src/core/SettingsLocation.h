#pragma once

#include <string>

// Where the settings file lives. The Windows directory keeps it as long as it can be written
// there (old installations, elevated users, Wine); a standard user on today's Windows cannot
// write there, so the file moves to the user's own application-data folder instead.
namespace vps::ini {

// The folder below the user's application-data folder that holds the per-user file.
inline constexpr const char* kPerUserFolderName = "Vantaro Print Screen";

struct SettingsFolders {
    std::string windowsDirectory;  // as GetWindowsDirectory reports it
    std::string appData;           // the user's roaming application-data folder; empty if unknown
    std::string fileName;          // the bare settings file name
};

// What is true on disk at start, found out by the caller.
struct SettingsFacts {
    bool windowsFileWritable = false;
    bool windowsFileExists = false;
    bool perUserFileExists = false;
};

struct SettingsLocation {
    std::string path;      // the full path every reader and writer uses
    std::string folder;    // the folder that holds it; made on the first write if missing
    std::string copyFrom;  // a file whose values the new per-user file starts with; or empty
};

// The Windows directory while its file can be written, else the per-user file; the first use
// of the per-user file copies the values of the Windows directory's file, so nobody loses them.
// Without an application-data folder there is nowhere else to go: the Windows directory stays.
SettingsLocation chooseSettingsLocation(const SettingsFolders& folders, const SettingsFacts& facts);

// `folder` and `name` joined by exactly one backslash.
std::string joinPath(const std::string& folder, const std::string& name);

}  // namespace vps::ini
