// The UTF-8 / UTF-16 edge: every name Windows can hold comes through whole, and what no
// character can be becomes U+FFFD rather than a cut or a crash.
#include "core/Utf8.h"

#include <gtest/gtest.h>

#include <string>

#include "core/FileNaming.h"

namespace vps {
namespace {

using namespace std::string_literals;

struct Conversion {
    const char* what;
    std::string utf8;
    std::u16string utf16;
};

// Both ways, exactly: the program's text and Windows' text name the same characters.
TEST(Utf8, NamesInEveryScriptRoundTrip) {
    const Conversion cases[] = {
        {"ASCII", "Print Screen.bmp", u"Print Screen.bmp"},
        {"Latin-1", "Caf\xC3\xA9", u"Caf\u00E9"},
        {"Cyrillic", "\xD0\xA1\xD0\xBD\xD0\xB8\xD0\xBC\xD0\xBA\xD0\xB8", u"\u0421\u043D\u0438\u043C\u043A\u0438"},
        {"Greek", "\xCE\xB1\xCE\xB2", u"\u03B1\u03B2"},
        // Shift-JIS spells these with 0x5C as their second byte; UTF-8 never uses it inside one.
        {"Japanese with 0x5C in Shift-JIS", "\xE8\xA1\xA8\xE3\x82\xBD", u"\u8868\u30BD"},
        {"emoji beyond the Basic Multilingual Plane", "\xF0\x9F\x93\xB7", u"\U0001F4F7"},
        {"combining mark kept apart", "e\xCC\x81", u"e\u0301"},
        {"the largest code point", "\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
        {"an embedded NUL", "a\0b"s, u"a\0b"s},
    };
    for (const Conversion& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(utf8::toUtf16(c.utf8), c.utf16);
        EXPECT_EQ(utf8::fromUtf16(c.utf16), c.utf8);
    }
}

TEST(Utf8, BrokenUtf16BecomesTheReplacementCharacterAndNothingElseIsLost) {
    const char* const replacement = "\xEF\xBF\xBD";
    const struct {
        const char* what;
        std::u16string utf16;
        std::string utf8;
    } cases[] = {
        {"a lone high surrogate in the middle", u"ab\xD83D" u"cd", "ab"s + replacement + "cd"},
        {"a lone high surrogate at the end", u"title\xD83D", "title"s + replacement},
        {"a lone low surrogate", u"\xDCF7" u"x", replacement + "x"s},
        {"two high surrogates, then a pair", u"\xD83D\xD83D\xDCF7", replacement + "\xF0\x9F\x93\xB7"s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(utf8::fromUtf16(c.utf16), c.utf8);
    }
}

TEST(Utf8, InvalidUtf8BecomesTheReplacementCharacter) {
    const struct {
        const char* what;
        std::string utf8;
        std::u16string utf16;
    } cases[] = {
        {"a code-page byte", "Caf\xE9!", u"Caf\uFFFD!"},
        {"a stray continuation byte", "a\x80z", u"a\uFFFDz"},
        {"an overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
        {"an encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"a sequence cut short, then ASCII", "\xE8\xA1x", u"\uFFFDx"},
        {"a sequence cut short at the end", "ab\xF0\x9F\x93", u"ab\uFFFD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(utf8::toUtf16(c.utf8), c.utf16);
    }
}

TEST(Utf8, CuttingKeepsWholeCharacters) {
    const std::string name = "ab\xE8\xA1\xA8\xF0\x9F\x93\xB7";  // a b 表 📷: 1+1+3+4 bytes
    EXPECT_EQ(utf8::cutToBytes(name, 100), name);
    EXPECT_EQ(utf8::cutToBytes(name, 9), name);
    EXPECT_EQ(utf8::cutToBytes(name, 8), "ab\xE8\xA1\xA8");
    EXPECT_EQ(utf8::cutToBytes(name, 4), "ab");
    EXPECT_EQ(utf8::cutToBytes(name, 0), "");
    EXPECT_EQ(utf8::length(name), 4u);
    EXPECT_EQ(utf8::cutToCharacters(name, 5), name);
    EXPECT_EQ(utf8::cutToCharacters(name, 4), name);
    EXPECT_EQ(utf8::cutToCharacters(name, 3), "ab\xE8\xA1\xA8");
    EXPECT_EQ(utf8::cutToCharacters(name, 0), "");
}

TEST(Utf8, ACutNeverSplitsAUtf8Sequence) {
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
        EXPECT_EQ(utf8::cutToBytes(c.text, c.maxBytes), c.kept);
    }
}

// A byte-wise search for "\" is safe in UTF-8: no byte of a longer character is 0x5C.
TEST(Utf8, PathsSplitOnWholeCharacters) {
    const std::string folder = "C:\\\xE8\xA1\xA8\\\xE3\x82\xBD";  // C:\表\ソ
    const std::string file = folder + "\\\xD0\x9E\xD1\x82\xD1\x87\xD1\x91\xD1\x82.bmp";
    EXPECT_EQ(FolderOf(file), folder + "\\");
    EXPECT_EQ(InFolder(folder, "\xF0\x9F\x93\xB7.png"), folder + "\\\xF0\x9F\x93\xB7.png");
}

}  // namespace
}  // namespace vps
