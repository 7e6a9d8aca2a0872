#include <gtest/gtest.h>

#include "core/SystemInfo.h"

namespace vps::sysinfo {
namespace {

TEST(SystemInfo, OsNameTable) {
    struct Case {
        const char* what;
        std::optional<OsVersion> version;
        std::string_view expected;
    } cases[] = {
        {"95", OsVersion{1, 4, 0, ""}, "Windows 95"},
        {"95 OSR2", OsVersion{1, 4, 0, " B"}, "Windows 95"},
        {"98", OsVersion{1, 4, 10, ""}, "Windows 98"},
        {"98 Second Edition", OsVersion{1, 4, 10, " A "}, "Windows 98 SE"},
        {"98 with an A in first place", OsVersion{1, 4, 10, "A"}, "Windows 98"},
        {"98 with a lower-case a", OsVersion{1, 4, 10, " a "}, "Windows 98"},
        {"ME", OsVersion{1, 4, 90, ""}, "Windows ME"},
        {"9x, unknown minor", OsVersion{1, 4, 20, ""}, "Unknown"},
        {"9x, major 5", OsVersion{1, 5, 0, ""}, "Unknown"},
        {"NT 3.51", OsVersion{2, 3, 51, ""}, "Windows NT"},
        {"NT 4.0 SP6", OsVersion{2, 4, 0, "Service Pack 6"}, "Windows NT"},
        {"2000", OsVersion{2, 5, 0, ""}, "Windows 2000"},
        {"XP", OsVersion{2, 5, 1, "Service Pack 3"}, "Windows XP"},
        {"Server 2003", OsVersion{2, 5, 2, ""}, "Unknown"},
        {"Vista", OsVersion{2, 6, 0, ""}, "Unknown"},
        {"7", OsVersion{2, 6, 1, ""}, "Unknown"},
        {"8 and later, as GetVersionExA reports them", OsVersion{2, 6, 2, ""}, "Unknown"},
        {"10", OsVersion{2, 10, 0, ""}, "Unknown"},
        {"Win32s", OsVersion{0, 3, 10, ""}, "Unknown"},
        {"CE", OsVersion{3, 4, 0, ""}, "Unknown"},
        {"GetVersionExA failed", std::nullopt, "Unknown"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(osName(c.version), c.expected);
    }
}

TEST(SystemInfo, VersionTextPrintsTheBytesFromTheTop) {
    EXPECT_EQ(versionText(kComponentVersion), "1.1.0.0");
    EXPECT_EQ(versionText(0x01020304), "1.2.3.4");
    EXPECT_EQ(versionText(0xFF00FF01), "255.0.255.1");
    EXPECT_EQ(versionText(0), "0.0.0.0");
}

TEST(SystemInfo, FolderGetsOneTrailingBackslash) {
    const std::string deep = "C:\\" + std::string(297, 'd');
    std::string cyrillic = "C:\\";
    for (int i = 0; i < 297; ++i) cyrillic += "\xD0\x94";
    struct Case {
        const char* what;
        std::string answer;
        std::string expected;
    } cases[] = {
        {"folder", "C:\\WINDOWS", "C:\\WINDOWS\\"},
        {"drive root", "C:\\", "C:\\"},
        {"failed call", "", ""},
        {"longer than kept", deep, deep.substr(0, 255) + "\\"},
        {"exactly kept", deep.substr(0, 255), deep.substr(0, 255) + "\\"},
        // 255 characters, not bytes: a Cyrillic folder keeps as many letters as a Latin one.
        {"longer than kept, in two-byte characters", cyrillic,
         cyrillic.substr(0, 3 + 2 * 252) + "\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(folderWithBackslash(c.answer, 255), c.expected);
    }
}

// Found by fuzzing: an answer cut to nothing read the character before the empty text.
TEST(SystemInfo, FolderCutToNothingStaysEmptyRatherThanReadBeforeIt) {
    EXPECT_EQ(folderWithBackslash("C:\\WINDOWS", 0), "");
    EXPECT_EQ(folderWithBackslash("C:\\WINDOWS", 1), "C\\");
}

}  // namespace
}  // namespace vps::sysinfo
