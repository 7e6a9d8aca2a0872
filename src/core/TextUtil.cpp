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

}  // namespace vps
