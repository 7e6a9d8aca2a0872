#include <gtest/gtest.h>

#include "core/IniValues.h"

namespace vps::ini {
namespace {

TEST(IniValues, IntegerTextForms) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> expected;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {"  7", 7},
        {"-1", -1},
        {"+5", 5},
        {"$1F", 31},
        {"x10", 16},
        {"X10", 16},
        {"0x3", 3},
        {"0X3", 3},
        {"-$10", -16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"$FFFFFFFF", -1},
        {"2147483648", std::nullopt},
        {"$100000000", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"-", std::nullopt},
        {"0x", std::nullopt},
        {"abc", std::nullopt},
        {"ten", std::nullopt},
        {"5 ", std::nullopt},
        {"1.5", std::nullopt},
        {"\t5", std::nullopt},
        {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(parseInteger(c.text), c.expected);
    }
}

TEST(IniValues, SettingsFileNameComesFromTheExecutable) {
    struct Case {
        const char* path;
        const char* expected;
    } cases[] = {
        {"C:\\Program Files\\Vantaro\\VantaroPrintScreen.exe", "VantaroPrintScreen.INI"},
        {"Z:\\work\\build\\win64\\vps.test.EXE", "vps.test.INI"},
        {"C:NoFolder.exe", "NoFolder.INI"},
        {"C:\\odd.dir\\noextension", "noextension.INI"},
        {"plain.exe", "plain.INI"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(settingsFileNameFor(c.path), c.expected);
    }
}

}  // namespace
}  // namespace vps::ini
