#pragma once

#include <string>
#include <string_view>

namespace vps {

// Keeps only the characters a file name may safely carry on every system: space, "-", the ASCII
// digits and the ASCII letters. Everything else, non-ASCII letters included, is dropped.
std::string cleanWindowTitle(std::string_view title);

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Removes leading and trailing blanks and control characters.
std::string trimBlanks(std::string_view text);

}  // namespace vps
