#include "core/TextUtil.h"

#include <algorithm>
#include <iterator>

#include "core/Utf8.h"

namespace vps {

namespace {

bool isFileNameSafe(char c) {
    return c == ' ' || c == '-' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           (c >= 'a' && c <= 'z');
}

// Beyond ASCII, what a title loses is what ASCII punctuation is to it: the punctuation, symbols,
// spaces, controls and invisible formatting of the scripts a title is likely to be written in.
// Everything else is a letter or digit of some script, or a mark combined with one, and stays.
struct CodeRange {
    char32_t first;
    char32_t last;
};

// clang-format off
constexpr CodeRange kDroppedBeyondAscii[] = {
    {0x0080, 0x00BF},    // C1 controls; Latin-1 spaces, punctuation, symbols, superscripts
    {0x00D7, 0x00D7},    // multiplication sign
    {0x00F7, 0x00F7},    // division sign
    {0x02C2, 0x02C5},    // modifier arrowheads
    {0x02D2, 0x02DF},    // spacing accents
    {0x02E5, 0x02EB},    // tone letters
    {0x02ED, 0x02ED},
    {0x02EF, 0x02FF},
    {0x037E, 0x037E},    // Greek question mark
    {0x0384, 0x0385},    // Greek spacing accents
    {0x0387, 0x0387},    // Greek ano teleia
    {0x03F6, 0x03F6},    // Greek reversed lunate epsilon symbol
    {0x0482, 0x0482},    // Cyrillic thousands sign
    {0x055A, 0x055F},    // Armenian punctuation
    {0x0589, 0x058A},
    {0x058D, 0x058F},
    {0x05BE, 0x05BE},    // Hebrew punctuation
    {0x05C0, 0x05C0},
    {0x05C3, 0x05C3},
    {0x05C6, 0x05C6},
    {0x05F3, 0x05F4},
    {0x0600, 0x060F},    // Arabic number signs, punctuation and signs
    {0x061B, 0x061F},
    {0x066A, 0x066D},
    {0x06D4, 0x06D4},
    {0x06DD, 0x06DE},
    {0x06E9, 0x06E9},
    {0x06FD, 0x06FE},
    {0x0700, 0x070F},    // Syriac punctuation
    {0x0964, 0x0965},    // Devanagari danda
    {0x0970, 0x0970},
    {0x09F2, 0x09F3},    // Bengali currency signs
    {0x09FA, 0x09FB},
    {0x0BF3, 0x0BFA},    // Tamil symbols
    {0x0E3F, 0x0E3F},    // Thai currency and punctuation
    {0x0E4F, 0x0E4F},
    {0x0E5A, 0x0E5B},
    {0x0F01, 0x0F17},    // Tibetan marks and punctuation (its vowel signs stay)
    {0x0F1A, 0x0F1F},
    {0x0F34, 0x0F34},
    {0x0F36, 0x0F36},
    {0x0F38, 0x0F38},
    {0x0F3A, 0x0F3D},
    {0x0F85, 0x0F85},
    {0x0FBE, 0x0FC5},
    {0x0FC7, 0x0FDA},
    {0x104A, 0x104F},    // Myanmar punctuation
    {0x10FB, 0x10FB},    // Georgian paragraph separator
    {0x1360, 0x1368},    // Ethiopic punctuation
    {0x1680, 0x1680},    // Ogham space
    {0x17D4, 0x17D6},    // Khmer punctuation
    {0x17D8, 0x17DB},
    {0x1800, 0x180F},    // Mongolian punctuation and variation selectors
    {0x1FBD, 0x1FBD},    // Greek spacing accents
    {0x1FBF, 0x1FC1},
    {0x1FCD, 0x1FCF},
    {0x1FDD, 0x1FDF},
    {0x1FED, 0x1FEF},
    {0x1FFD, 0x1FFE},
    {0x2000, 0x206F},    // general punctuation, spaces, joiners, direction marks
    {0x207A, 0x207E},    // superscript signs and brackets
    {0x208A, 0x208E},    // subscript signs and brackets
    {0x20A0, 0x20FF},    // currency signs; combining marks for symbols
    {0x2100, 0x2101},    // letterlike symbols (the letters among them stay)
    {0x2103, 0x2106},
    {0x2108, 0x2109},
    {0x2114, 0x2114},
    {0x2116, 0x2118},
    {0x211E, 0x2123},
    {0x2125, 0x2125},
    {0x2127, 0x2127},
    {0x2129, 0x2129},
    {0x212E, 0x212E},
    {0x213A, 0x213B},
    {0x2140, 0x2144},
    {0x214A, 0x214D},
    {0x214F, 0x214F},
    {0x218A, 0x218B},
    {0x2190, 0x2BFF},    // arrows, mathematical, technical, box, shapes, dingbats, symbols
    {0x2CE5, 0x2CEA},    // Coptic symbols and punctuation
    {0x2CF9, 0x2CFC},
    {0x2CFE, 0x2CFF},
    {0x2D70, 0x2D70},
    {0x2E00, 0x2E2E},    // supplemental punctuation, but for the vertical tilde
    {0x2E30, 0x2E7F},
    {0x2E80, 0x2FFF},    // CJK radicals, ideographic description characters
    {0x3000, 0x3004},    // CJK symbols and punctuation, but for the iteration mark,
    {0x3008, 0x303F},    // closing mark and ideographic zero (3005-3007)
    {0x309B, 0x309C},    // kana sound marks written alone
    {0x30A0, 0x30A0},    // katakana double hyphen
    {0x30FB, 0x30FB},    // katakana middle dot
    {0x3190, 0x3191},    // kanbun
    {0x3196, 0x319F},
    {0x31C0, 0x31EF},    // CJK strokes
    {0x3200, 0x33FF},    // enclosed CJK letters and months, CJK compatibility
    {0x4DC0, 0x4DFF},    // hexagram symbols
    {0xA490, 0xA4CF},    // Yi radicals
    {0xA700, 0xA716},    // modifier tone letters
    {0xA720, 0xA721},
    {0xA789, 0xA78A},
    {0xE000, 0xF8FF},    // private use
    {0xFB29, 0xFB29},    // Hebrew alternative plus sign
    {0xFBB2, 0xFBC2},    // Arabic presentation symbols
    {0xFD3E, 0xFD4F},    // ornate parentheses
    {0xFDCF, 0xFDEF},    // noncharacters
    {0xFDFC, 0xFDFF},
    {0xFE00, 0xFE1F},    // variation selectors, vertical forms
    {0xFE30, 0xFE6F},    // CJK compatibility forms, small form variants
    {0xFEFF, 0xFEFF},    // byte order mark
    {0xFF01, 0xFF0F},    // fullwidth ASCII punctuation (its letters and digits stay)
    {0xFF1A, 0xFF20},
    {0xFF3B, 0xFF40},
    {0xFF5B, 0xFF65},    // with the halfwidth CJK punctuation
    {0xFFE0, 0xFFFF},    // fullwidth signs, halfwidth arrows, specials, U+FFFD
    {0x1D000, 0x1D24F},  // musical symbols
    {0x1D300, 0x1D35F},  // Tai Xuan Jing symbols
    {0x1F000, 0x1FAFF},  // game pieces, enclosed alphanumerics, emoji and pictographs
    {0x1FB00, 0x1FBEF},  // legacy computing symbols
    {0xE0000, 0xE007F},  // tags
    {0xE0100, 0xE01EF},  // variation selectors supplement
    {0xF0000, 0x10FFFF}, // private use planes
};
// clang-format on

bool keptBeyondAscii(char32_t c) {
    const auto after = std::upper_bound(
        std::begin(kDroppedBeyondAscii), std::end(kDroppedBeyondAscii), c,
        [](char32_t value, const CodeRange& range) { return value < range.first; });
    return after == std::begin(kDroppedBeyondAscii) || c > std::prev(after)->last;
}

char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::string cleanWindowTitle(std::string_view title) {
    std::string cleaned;
    for (std::size_t at = 0; at < title.size();) {
        const std::size_t start = at;
        // Bytes that are no character decode to U+FFFD, which goes with the symbols.
        const char32_t c = utf8::next(title, at);
        if (c < 0x80 ? isFileNameSafe(static_cast<char>(c)) : keptBeyondAscii(c)) {
            cleaned.append(title.substr(start, at - start));
        }
    }
    return cleaned;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return asciiUpper(x) == asciiUpper(y); });
}

std::string trimBlanks(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

}  // namespace vps
