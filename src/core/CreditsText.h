#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vps {

// The credits as designed: the product name, a place for the file version, a place for the
// copyright and the thanks, separated by empty lines.
std::vector<std::string> designCreditsLines();

// Joins the lines with CR LF and fills the first "%s" with the version and the second with the
// copyright, then splits the result into lines again. Only those two places are filled: any other
// "%" in the texts stays as it is, so a copyright such as "100% ours" is shown unchanged.
std::vector<std::string> formatCredits(const std::vector<std::string>& lines,
                                       std::string_view fileVersion,
                                       std::string_view legalCopyright);

}  // namespace vps
