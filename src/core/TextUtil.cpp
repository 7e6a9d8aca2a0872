#include "core/TextUtil.h"

#include <algorithm>

namespace vps {

namespace {

bool isFileNameSafe(char c) {
    return c == ' ' || c == '-' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
           (c >= 'a' && c <= 'z');
}

char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// 10xxxxxx: the second, third or fourth byte of a character's sequence.
bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// How many bytes a sequence that starts with `lead` has; 1 for a byte that starts none.
std::size_t sequenceLength(char lead) {
    const auto byte = static_cast<unsigned char>(lead);
    if (byte >= 0xF0 && byte <= 0xF4) return 4;
    if (byte >= 0xE0 && byte <= 0xEF) return 3;
    if (byte >= 0xC2 && byte <= 0xDF) return 2;
    return 1;
}

}  // namespace

std::string cleanWindowTitle(std::string_view title) {
    std::string cleaned;
    std::copy_if(title.begin(), title.end(), std::back_inserter(cleaned), isFileNameSafe);
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

std::string_view cutOnWholeCharacters(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = 0;
    while (end < text.size()) {
        // A lead byte without all the continuation bytes it announces starts no sequence.
        std::size_t length = sequenceLength(text[end]);
        for (std::size_t i = 1; i < length; ++i) {
            if (end + i >= text.size() || !isContinuationByte(text[end + i])) {
                length = 1;
                break;
            }
        }
        if (end + length > maxBytes) break;
        end += length;
    }
    return text.substr(0, end);
}

}  // namespace vps
