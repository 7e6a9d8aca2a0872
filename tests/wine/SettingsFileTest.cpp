#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "settings/SettingsFile.h"
#include "win/WideText.h"

namespace vps {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream file(std::filesystem::path(win::wide(path)), std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(win::wide(path)), std::ios::binary) << bytes;
}

bool exists(const std::string& path) {
    return GetFileAttributesW(win::wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string temporaryFolder(const std::string& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return win::narrow(temp) + name + std::to_string(GetCurrentProcessId());
}

// A Windows directory and an application-data folder of the test's own, so a standard user's
// start can be played without touching the prefix's real folders.
class SettingsFile : public testing::Test {
public:
    explicit SettingsFile(const std::string& name = "vps-settings-file-") : root(temporaryFolder(name)) {
        for (const std::string* folder : {&root, &folders.windowsDirectory, &folders.appData}) {
            CreateDirectoryW(win::wide(*folder).c_str(), nullptr);
        }
    }
    ~SettingsFile() override {
        DeleteFileW(win::wide(perUserFile).c_str());
        RemoveDirectoryW(win::wide(perUserFolder).c_str());
        SetFileAttributesW(win::wide(windowsFile).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(win::wide(windowsFile).c_str());
        for (const std::string* folder : {&folders.windowsDirectory, &folders.appData, &root}) {
            RemoveDirectoryW(win::wide(*folder).c_str());
        }
    }

    std::string root;
    ini::SettingsFolders folders{root + "\\windows", root + "\\AppData", "VantaroPrintScreen.INI"};
    std::string windowsFile = folders.windowsDirectory + "\\VantaroPrintScreen.INI";
    std::string perUserFolder = folders.appData + "\\Vantaro Print Screen";
    std::string perUserFile = perUserFolder + "\\VantaroPrintScreen.INI";

    static bool standardUser(const std::string&) { return false; }
    static bool administrator(const std::string&) { return true; }
};

// A user whose profile folder is outside the code page (C:\users\Дмитрий\AppData\...).
class SettingsFileOfACyrillicUser : public SettingsFile {
public:
    SettingsFileOfACyrillicUser() : SettingsFile("vps-Дмитрий 表-") {}
};

TEST_F(SettingsFile, FirstUseOfThePerUserFileCopiesTheWindowsFileOnceAndLeavesItUntouched) {
    const std::string old = "[ScreenArea]\r\nItemIndex=2\r\n[ShowCheatSheet1]\r\nChecked=0\r\n";
    writeFile(windowsFile, old);
    SetFileAttributesW(win::wide(windowsFile).c_str(), FILE_ATTRIBUTE_READONLY);

    const ini::SettingsLocation first = settleSettingsFile(folders, standardUser);
    EXPECT_EQ(first.path, perUserFile);
    EXPECT_EQ(readFile(perUserFile), old);
    // The copy must not carry the old file's read-only mark, or no setting could be changed.
    EXPECT_TRUE(WritePrivateProfileStringW(L"ScreenArea", L"ItemIndex", L"3", win::wide(first.path).c_str()));
    SetFileAttributesW(win::wide(windowsFile).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile(windowsFile), old);

    // A later start keeps what the user changed since.
    const ini::SettingsLocation second = settleSettingsFile(folders, standardUser);
    EXPECT_EQ(second.path, perUserFile);
    EXPECT_EQ(GetPrivateProfileIntW(L"ScreenArea", L"ItemIndex", -1, win::wide(second.path).c_str()), 3);
}

TEST_F(SettingsFile, NothingToCopyMakesNoFolderUntilTheFirstWrite) {
    const ini::SettingsLocation location = settleSettingsFile(folders, standardUser);
    EXPECT_EQ(location.path, perUserFile);
    EXPECT_EQ(location.folder, perUserFolder);
    EXPECT_FALSE(exists(perUserFolder));
}

TEST_F(SettingsFile, AWritableWindowsDirectoryStaysTheOneFile) {
    writeFile(windowsFile, "[ScreenArea]\r\nItemIndex=1\r\n");
    const ini::SettingsLocation location = settleSettingsFile(folders, administrator);
    EXPECT_EQ(location.path, windowsFile);
    EXPECT_FALSE(exists(perUserFolder));
}

TEST_F(SettingsFile, TheWriteProbeChangesNothingOnDisk) {
    // A missing file stays missing, an existing one keeps its contents.
    EXPECT_TRUE(canWriteFile(windowsFile));
    EXPECT_FALSE(exists(windowsFile));
    writeFile(windowsFile, "[A]\r\nB=1\r\n");
    EXPECT_TRUE(canWriteFile(windowsFile));
    EXPECT_EQ(readFile(windowsFile), "[A]\r\nB=1\r\n");
    // A folder where the file should be cannot be written by anyone.
    EXPECT_FALSE(canWriteFile(folders.windowsDirectory));
}

// The first use of the per-user file, and a later start, in a profile folder whose name an
// English system's code page cannot hold.
TEST_F(SettingsFileOfACyrillicUser, ThePerUserFileIsCopiedFoundAndKeptThere) {
    const std::string old = "[ScreenArea]\r\nItemIndex=2\r\n";
    writeFile(windowsFile, old);
    for (const char* start : {"first", "later"}) {
        SCOPED_TRACE(start);
        const ini::SettingsLocation location = settleSettingsFile(folders, standardUser);
        EXPECT_EQ(location.path, perUserFile);
        EXPECT_EQ(readFile(perUserFile), old);
        EXPECT_TRUE(canWriteFile(location.path));
    }
    EXPECT_FALSE(canWriteFile(folders.appData));
}

}  // namespace
}  // namespace vps
