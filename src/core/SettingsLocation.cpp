#include "core/SettingsLocation.h"

namespace vps::ini {

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return (last == '\\' || last == '/') ? folder + name : folder + "\\" + name;
}

SettingsLocation chooseSettingsLocation(const SettingsFolders& folders,
                                        const SettingsFacts& facts) {
    if (facts.windowsFileWritable || folders.appData.empty()) {
        return {joinPath(folders.windowsDirectory, folders.fileName), folders.windowsDirectory, {}};
    }
    const std::string folder = joinPath(folders.appData, kPerUserFolderName);
    SettingsLocation location{joinPath(folder, folders.fileName), folder, {}};
    // Copied only while the per-user file does not exist yet: later starts must not overwrite
    // what the user has changed since with the old values.
    if (facts.windowsFileExists && !facts.perUserFileExists) {
        location.copyFrom = joinPath(folders.windowsDirectory, folders.fileName);
    }
    return location;
}

}  // namespace vps::ini
