#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vps {

// Keeps only the characters a file name may safely carry on every system: space, "-", the ASCII
// digits and the ASCII letters. Everything else, non-ASCII letters included, is dropped.
std::string cleanWindowTitle(std::string_view title);

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Removes leading and trailing blanks and control characters.
std::string trimBlanks(std::string_view text);

// The longest start of UTF-8 `text` of at most `maxBytes` bytes that ends on a whole character:
// a cut never splits a character's sequence of bytes. Bytes that are no UTF-8 count as whole
// characters of one byte each, so any text is cut somewhere.
std::string_view cutOnWholeCharacters(std::string_view text, std::size_t maxBytes);

}  // namespace vps
