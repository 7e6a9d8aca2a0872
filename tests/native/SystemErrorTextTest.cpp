#include <gtest/gtest.h>

#include "core/SystemErrorText.h"

namespace vps {
namespace {

TEST(SystemErrorText, CodeAndTidiedSystemText) {
    EXPECT_EQ(systemErrorMessage(8, "Not enough memory resources are available.\r\n"),
              "System Error.  Code: 8.\r\nNot enough memory resources are available");
}

TEST(SystemErrorText, NoCodeGivesThePlainSentence) {
    EXPECT_EQ(systemErrorMessage(0, "anything"), "A call to an OS function failed");
}

}  // namespace
}  // namespace vps
