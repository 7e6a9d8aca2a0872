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

TEST(TextUtil, CutOnWholeCharactersNeverSplitsAUtf8Sequence) {
    struct Case {
        const char* what;
        std::string text;
        std::size_t maxBytes;
        std::string kept;
    } cases[] = {
        {"short enough", "abc", 3, "abc"},
        {"ASCII", "abcdef", 4, "abcd"},
        {"nothing", "abc", 0, ""},
        {"a 2-byte character that fits", "a\xC3\xA9" "b", 3, "a\xC3\xA9"},
        {"a 2-byte character cut in half", "a\xC3\xA9" "b", 2, "a"},
        {"a 3-byte character cut after 1 byte", "ab\xE2\x82\xAC", 3, "ab"},
        {"a 3-byte character cut after 2 bytes", "ab\xE2\x82\xAC", 4, "ab"},
        {"a 4-byte character cut after 3 bytes", "\xF0\x9D\x84\x9E!", 3, ""},
        {"a 4-byte character that fits", "\xF0\x9D\x84\x9E!", 4, "\xF0\x9D\x84\x9E"},
        // Bytes that are no UTF-8 are characters of their own, so a cut still falls somewhere.
        {"a stray continuation byte", "a\x80\x80" "b", 2, "a\x80"},
        {"a lead byte without its continuation", "a\xE2zz", 2, "a\xE2"},
        {"a single-byte code page", "Caf\xE9 au lait", 4, "Caf\xE9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(cutOnWholeCharacters(c.text, c.maxBytes), c.kept);
    }
}

}  // namespace
}  // namespace vps
