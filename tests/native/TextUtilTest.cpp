#include <gtest/gtest.h>

#include "core/TextUtil.h"

namespace vps {
namespace {

TEST(TextUtil, CleanWindowTitleKeepsOnlyFileNameSafeCharacters) {
    struct Case {
        const char* title;
        const char* expected;
    } cases[] = {
        {"Report (final).txt - Editor", "Report finaltxt - Editor"},
        {"Caf\xe9", "Caf"},
        {"", ""},
        {"a_b.c:d\\e/f*g?h\"i<j>k|l", "abcdefghijkl"},
        {"\x80\xff\t\r\n", ""},
        {"Zz 09-", "Zz 09-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(cleanWindowTitle(c.title), c.expected);
    }
}

TEST(TextUtil, CaseInsensitiveComparisonIsAsciiOnly) {
    EXPECT_TRUE(equalsIgnoringAsciiCase("/firstrun", "/FIRSTRUN"));
    EXPECT_TRUE(equalsIgnoringAsciiCase("/FirstRun", "/FIRSTRUN"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("/FIRSTRUNX", "/FIRSTRUN"));
    EXPECT_FALSE(equalsIgnoringAsciiCase("", "/FIRSTRUN"));
}

TEST(TextUtil, TrimBlanks) {
    EXPECT_EQ(trimBlanks("  C:\\Pictures \t"), "C:\\Pictures");
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(trimBlanks(""), "");
}

}  // namespace
}  // namespace vps
