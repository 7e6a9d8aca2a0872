#include <gtest/gtest.h>

#include "core/SettingsLocation.h"

namespace vps::ini {
namespace {

const SettingsFolders kFolders{"C:\\WINDOWS", "C:\\Users\\ann\\AppData\\Roaming",
                               "VantaroPrintScreen.INI"};
constexpr const char* kWindowsFile = "C:\\WINDOWS\\VantaroPrintScreen.INI";
constexpr const char* kPerUserFolder = "C:\\Users\\ann\\AppData\\Roaming\\Vantaro Print Screen";
constexpr const char* kPerUserFile =
    "C:\\Users\\ann\\AppData\\Roaming\\Vantaro Print Screen\\VantaroPrintScreen.INI";

TEST(SettingsLocation, WritableWindowsDirectoryKeepsTheFileElseThePerUserFileTakesOver) {
    struct Case {
        const char* name;
        SettingsFacts facts;
        const char* path;
        const char* folder;
        const char* copyFrom;
    } cases[] = {
        {"writable, no file yet", {true, false, false}, kWindowsFile, "C:\\WINDOWS", ""},
        {"writable, a per-user file from an earlier unelevated run is left alone",
         {true, true, true},
         kWindowsFile,
         "C:\\WINDOWS",
         ""},
        {"read-only, first use: the old values come along",
         {false, true, false},
         kPerUserFile,
         kPerUserFolder,
         kWindowsFile},
        {"read-only, nothing to copy", {false, false, false}, kPerUserFile, kPerUserFolder, ""},
        {"read-only, later starts never copy over the user's own file",
         {false, true, true},
         kPerUserFile,
         kPerUserFolder,
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SettingsLocation location = chooseSettingsLocation(kFolders, c.facts);
        EXPECT_EQ(location.path, c.path);
        EXPECT_EQ(location.folder, c.folder);
        EXPECT_EQ(location.copyFrom, c.copyFrom);
    }
}

TEST(SettingsLocation, WithoutAnApplicationDataFolderTheWindowsDirectoryStays) {
    SettingsFolders folders = kFolders;
    folders.appData.clear();
    EXPECT_EQ(chooseSettingsLocation(folders, {false, true, false}).path, kWindowsFile);
}

TEST(SettingsLocation, JoinPathPutsExactlyOneSeparator) {
    EXPECT_EQ(joinPath("C:\\", "a.INI"), "C:\\a.INI");
    EXPECT_EQ(joinPath("C:\\WINDOWS", "a.INI"), "C:\\WINDOWS\\a.INI");
    EXPECT_EQ(joinPath("", "a.INI"), "a.INI");
}

}  // namespace
}  // namespace vps::ini
