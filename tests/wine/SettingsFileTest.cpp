#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "settings/SettingsFile.h"

namespace vps {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A Windows directory and an application-data folder of the test's own, so a standard user's
// start can be played without touching the prefix's real folders.
class SettingsFile : public testing::Test {
public:
    SettingsFile() {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        root = std::string(temp) + "vps-settings-file-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(root.c_str(), nullptr);
        CreateDirectoryA(folders.windowsDirectory.c_str(), nullptr);
        CreateDirectoryA(folders.appData.c_str(), nullptr);
    }
    ~SettingsFile() override {
        DeleteFileA(perUserFile.c_str());
        RemoveDirectoryA(perUserFolder.c_str());
        DeleteFileA(windowsFile.c_str());
        RemoveDirectoryA(folders.windowsDirectory.c_str());
        RemoveDirectoryA(folders.appData.c_str());
        RemoveDirectoryA(root.c_str());
    }

    std::string root;
    ini::SettingsFolders folders{root + "\\windows", root + "\\AppData", "VantaroPrintScreen.INI"};
    std::string windowsFile = folders.windowsDirectory + "\\VantaroPrintScreen.INI";
    std::string perUserFolder = folders.appData + "\\Vantaro Print Screen";
    std::string perUserFile = perUserFolder + "\\VantaroPrintScreen.INI";

    static bool standardUser(const std::string&) { return false; }
    static bool administrator(const std::string&) { return true; }
};

TEST_F(SettingsFile, FirstUseOfThePerUserFileCopiesTheWindowsFileOnceAndLeavesItUntouched) {
    const std::string old = "[ScreenArea]\r\nItemIndex=2\r\n[ShowCheatSheet1]\r\nChecked=0\r\n";
    std::ofstream(windowsFile, std::ios::binary) << old;
    SetFileAttributesA(windowsFile.c_str(), FILE_ATTRIBUTE_READONLY);

    const ini::SettingsLocation first = settleSettingsFile(folders, standardUser);
    EXPECT_EQ(first.path, perUserFile);
    EXPECT_EQ(readFile(perUserFile), old);
    // The copy must not carry the old file's read-only mark, or no setting could be changed.
    EXPECT_TRUE(WritePrivateProfileStringA("ScreenArea", "ItemIndex", "3", first.path.c_str()));
    SetFileAttributesA(windowsFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile(windowsFile), old);

    // A later start keeps what the user changed since.
    const ini::SettingsLocation second = settleSettingsFile(folders, standardUser);
    EXPECT_EQ(second.path, perUserFile);
    EXPECT_EQ(GetPrivateProfileIntA("ScreenArea", "ItemIndex", -1, second.path.c_str()), 3);
}

TEST_F(SettingsFile, NothingToCopyMakesNoFolderUntilTheFirstWrite) {
    const ini::SettingsLocation location = settleSettingsFile(folders, standardUser);
    EXPECT_EQ(location.path, perUserFile);
    EXPECT_EQ(location.folder, perUserFolder);
    EXPECT_FALSE(exists(perUserFolder));
}

TEST_F(SettingsFile, AWritableWindowsDirectoryStaysTheOneFile) {
    std::ofstream(windowsFile, std::ios::binary) << "[ScreenArea]\r\nItemIndex=1\r\n";
    const ini::SettingsLocation location = settleSettingsFile(folders, administrator);
    EXPECT_EQ(location.path, windowsFile);
    EXPECT_FALSE(exists(perUserFolder));
}

TEST_F(SettingsFile, TheWriteProbeChangesNothingOnDisk) {
    // A missing file stays missing, an existing one keeps its contents.
    EXPECT_TRUE(canWriteFile(windowsFile));
    EXPECT_FALSE(exists(windowsFile));
    std::ofstream(windowsFile, std::ios::binary) << "[A]\r\nB=1\r\n";
    EXPECT_TRUE(canWriteFile(windowsFile));
    EXPECT_EQ(readFile(windowsFile), "[A]\r\nB=1\r\n");
    // A folder where the file should be cannot be written by anyone.
    EXPECT_FALSE(canWriteFile(folders.windowsDirectory));
}

}  // namespace
}  // namespace vps
