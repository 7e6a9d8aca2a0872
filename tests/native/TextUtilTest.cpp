#include <gtest/gtest.h>

#include "core/TextUtil.h"

namespace vps {
namespace {

std::string utf8Text(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

TEST(TextUtil, CleanWindowTitleKeepsOnlyFileNameSafeCharacters) {
    struct Case {
        const char* title;
        const char* expected;
    } cases[] = {
        {"Report (final).txt - Editor", "Report finaltxt - Editor"},
        {"Report: Q1/Q2 (final)", "Report Q1Q2 final"},
        {"", ""},
        {"a_b.c:d\\e/f*g?h\"i<j>k|l", "abcdefghijkl"},
        {"Zz 09-", "Zz 09-"},
        {"!#$%&'+,;=@[]^`{}~\x7f", ""},
        // Not UTF-8 (a Latin-1 byte, bytes no character has, controls): dropped.
        {"Caf\xe9", "Caf"},
        {"\x80\xff\t\r\n", ""},
        {"\xED\xA0\x80x", "x"},  // an encoded surrogate
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        EXPECT_EQ(cleanWindowTitle(c.title), c.expected);
    }
}

TEST(TextUtil, CleanWindowTitleKeepsLettersAndDigitsOfEveryScript) {
    struct Case {
        const char* what;
        const char8_t* title;
        const char8_t* expected;
    } cases[] = {
        {"Latin with an accent", u8"Caf\u00e9 \u2013 Men\u00fc", u8"Caf\u00e9  Men\u00fc"},
        {"Cyrillic", u8"\u041e\u0442\u0447\u0451\u0442: Q1/Q2 (\u0438\u0442\u043e\u0433)",
         u8"\u041e\u0442\u0447\u0451\u0442 Q1Q2 \u0438\u0442\u043e\u0433"},
        {"Greek, a middle dot and a question mark",
         u8"\u0391\u03bd\u03b1\u03c6\u03bf\u03c1\u03ac\u00b7\u03c4\u03af\u037e",
         u8"\u0391\u03bd\u03b1\u03c6\u03bf\u03c1\u03ac\u03c4\u03af"},
        {"Japanese with corner brackets, an ideographic space and an iteration mark",
         u8"\u4f50\u3005\u6728\u300c\u5831\u544a\u300d\u3000\u30e1\u30e2\u5e33\u3002",
         u8"\u4f50\u3005\u6728\u5831\u544a\u30e1\u30e2\u5e33"},
        {"Chinese with fullwidth punctuation",
         u8"\u62a5\u544a\uff08\u6700\u7ec8\uff09\uff01\uff21\uff11",
         u8"\u62a5\u544a\u6700\u7ec8\uff21\uff11"},
        {"Korean", u8"\ud55c\uad6d\uc5b4 \ubb38\uc11c", u8"\ud55c\uad6d\uc5b4 \ubb38\uc11c"},
        {"Arabic with its own digits and comma",
         u8"\u062a\u0642\u0631\u064a\u0631 \u0662\u0660\u0662\u0664\u060c "
         u8"\u0646\u0647\u0627\u0626\u064a\u061f",
         u8"\u062a\u0642\u0631\u064a\u0631 \u0662\u0660\u0662\u0664 "
         u8"\u0646\u0647\u0627\u0626\u064a"},
        {"Hebrew with its gershayim and points",
         u8"\u05d3\u05d5\u05f4\u05d7 \u05e9\u05b8\u05c1\u05dc\u05d5\u05b9\u05dd",
         u8"\u05d3\u05d5\u05d7 \u05e9\u05b8\u05c1\u05dc\u05d5\u05b9\u05dd"},
        {"Devanagari: vowel signs and the virama are marks of the letters",
         u8"\u0939\u093f\u0928\u094d\u0926\u0940\u0964", u8"\u0939\u093f\u0928\u094d\u0926\u0940"},
        {"combining accents stay with their letters", u8"e\u0301a\u0308\u0431\u0306",
         u8"e\u0301a\u0308\u0431\u0306"},
        {"emoji, a joined family, a flag, a keycap",
         u8"\U0001F4F7 Fotos \U0001F468\u200D\U0001F469\u200D\U0001F467 \U0001F1FA\U0001F1E6 "
         u8"1\uFE0F\u20E3",
         u8" Fotos   1"},
        {"dingbats and a variation selector", u8"\u2728Neu\u2764\uFE0F \u2192 \u2611", u8"Neu  "},
        {"Latin-1 signs and spaces", u8"a\u00a0b\u00ad\u00a9\u00ae\u00b0\u00bd 3\u00d74\u00f72",
         u8"ab 342"},
        {"invisible formatting", u8"a\u200Bb\u200Ec\u2060d\uFEFFe", u8"abcde"},
        {"private use, the replacement character, C1 controls", u8"\uE000x\uFFFDy\u0085z", u8"xyz"},
        {"currency and letterlike symbols", u8"\u20ac5 \u2116 7 Word\u2122", u8"5  7 Word"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(cleanWindowTitle(utf8Text(c.title)), utf8Text(c.expected));
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
