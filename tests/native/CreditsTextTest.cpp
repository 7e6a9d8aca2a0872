#include <gtest/gtest.h>

#include "core/CreditsText.h"

namespace vps {
namespace {

TEST(CreditsText, FillsVersionThenCopyright) {
    const auto lines = formatCredits(designCreditsLines(), "1.0.0.7", "(c) 2026 Vantaro");
    const std::vector<std::string> expected = {
        "Vantaro Print Screen", "", "1.0.0.7", "", "(c) 2026 Vantaro", "",
        "Thank you for choosing Vantaro Software! ", ""};
    EXPECT_EQ(lines, expected);
}

TEST(CreditsText, PercentSignsInTheArgumentsAreNotFormatDirectives) {
    const auto lines = formatCredits({"%s", "%s", "%s"}, "%s%d", "100% ours");
    const std::vector<std::string> expected = {"%s%d", "100% ours", "%s"};
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace vps
