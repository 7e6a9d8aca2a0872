#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vps {

// Keeps only what a file name may safely carry on every system: space, "-", and the letters and
// digits of every script with the marks combined with them. Punctuation, symbols (emoji among
// them), other spaces, controls and invisible formatting are dropped, as is anything that is
// not valid UTF-8.
std::string cleanWindowTitle(std::string_view title);

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Removes leading and trailing blanks and control characters.
std::string trimBlanks(std::string_view text);

}  // namespace vps
