// The program's own paths, and the user's folders, outside the code page: the Run value and the
// removal of the program's folders.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "app/FolderRemoval.h"
#include "core/StartWithWindows.h"
#include "settings/RunAtSignIn.h"
#include "win/UniqueHandle.h"
#include "win/WideText.h"

namespace vps {
namespace {

constexpr const char* kProgram = "C:\\Программы 表 📷\\VantaroPrintScreen.exe";

// The value as any other reader of the registry sees it.
std::optional<std::wstring> runValueInTheRegistry() {
    win::RegistryKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, win::wide(startup::kRunKey).c_str(), 0, KEY_QUERY_VALUE,
                      key.out()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    wchar_t value[1024] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key.get(), win::wide(startup::kRunValueName).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    return std::wstring(value);
}

// On an English system the ANSI calls wrote "C:\?????????\..." to the registry, a program
// that does not exist, and the program then took itself for a moved copy.
TEST(StartAtSignIn, TheRunValueHoldsTheRealPathOfAProgramInAFolderOfAnyScript) {
    startup::writeRunValue(kProgram);
    EXPECT_EQ(runValueInTheRegistry(), L"\"C:\\Программы 表 📷\\VantaroPrintScreen.exe\"");

    const std::optional<std::string> value = startup::readRunValue();
    ASSERT_TRUE(value);
    EXPECT_EQ(*value, "\"" + std::string(kProgram) + "\"");
    struct Case {
        const char* here;
        startup::RunEntry entry;
    } cases[] = {
        {kProgram, startup::RunEntry::Current},
        {"C:\\Программы 表 📷\\Vantaroprintscreen.EXE", startup::RunEntry::Current},
        {"C:\\Програмы 表 📷\\VantaroPrintScreen.exe", startup::RunEntry::Elsewhere},
        {"C:\\Программы 表\\VantaroPrintScreen.exe", startup::RunEntry::Elsewhere},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(startup::classifyRunValue(value, c.here), c.entry) << c.here;
    }

    startup::removeRunValue();
    EXPECT_FALSE(runValueInTheRegistry());
    EXPECT_FALSE(startup::readRunValue());
}

// /UNINSTALL removes the per-user settings and the crash reports from the user's profile,
// whose name may be outside the code page.
TEST(Uninstall, RemovesTheProgramsFolderFromAProfileFolderOfAnyScript) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::string profile = win::narrow(temp) + "vps-Дмитрий-" + std::to_string(GetCurrentProcessId());
    const std::string own = profile + "\\Vantaro Print Screen";
    const std::string crashes = own + "\\Crashes";
    const std::string report = crashes + "\\Отчёт 📷.txt";
    for (const std::string& folder : {profile, own, crashes}) {
        ASSERT_TRUE(CreateDirectoryW(win::wide(folder).c_str(), nullptr)) << folder;
    }
    {
        const win::FileHandle file(CreateFileW(win::wide(report).c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_NEW, FILE_ATTRIBUTE_READONLY, nullptr));
        ASSERT_TRUE(file);
    }

    RemovalFailures failures;
    removeOwn(own, failures);
    EXPECT_FALSE(failures.any()) << failures.lines();
    EXPECT_EQ(GetFileAttributesW(win::wide(own).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(win::wide(profile).c_str()), INVALID_FILE_ATTRIBUTES);
    RemoveDirectoryW(win::wide(profile).c_str());
}

}  // namespace
}  // namespace vps
