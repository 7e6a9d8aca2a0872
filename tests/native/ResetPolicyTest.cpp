#include <gtest/gtest.h>

#include "core/ResetPolicy.h"

namespace vps::policy {
namespace {

constexpr std::uint64_t kSecond = 1000;
constexpr std::uint64_t kMinute = 60 * kSecond;
// A machine up for longer than the 32-bit tick counter's wrap (49.7 days).
constexpr std::uint64_t kLongUptime = 60ull * 24 * 60 * kMinute;

TEST(ResetPolicy, WhichShowsReloadTheStoredChoices) {
    struct Case {
        const char* what;
        const char* policy;
        std::uint64_t last, now;
        std::optional<std::int32_t> minutes;
        bool reloads;
    } cases[] = {
        {"first show, any policy", "3", 0, 10 * kSecond, 1, true},
        {"restart: later shows keep the choices", "0", 5 * kSecond, kLongUptime, 1, false},
        {"missing policy acts as restart", "", 5 * kSecond, kLongUptime, 1, false},
        {"each use", "1", 5 * kSecond, 6 * kSecond, 1, true},
        {"never", "3", 5 * kSecond, kLongUptime, 1, false},
        {"02 is not 2", "02", 5 * kSecond, kLongUptime, 1, false},
        {"59 s of 1 minute", "2", kMinute, kMinute + 59 * kSecond, 1, false},
        {"61 s of 1 minute", "2", kMinute, kMinute + 61 * kSecond, 1, true},
        {"exactly the interval is not more", "2", kMinute, 2 * kMinute, 1, false},
        {"across the 32-bit wrap", "2", 0xFFFFFFFFull - 30 * kSecond, 0xFFFFFFFFull + 40 * kSecond, 1, true},
        {"99999 minutes not yet over", "2", kSecond, kSecond + 99998ull * kMinute, 99999, false},
        {"99999 minutes over", "2", kSecond, kSecond + 99999ull * kMinute + 1, 99999, true},
        {"no number: 5 minutes, 4 passed", "2", kSecond, kSecond + 4 * kMinute, std::nullopt, false},
        {"no number: 5 minutes, 6 passed", "2", kSecond, kSecond + 6 * kMinute, std::nullopt, true},
        {"negative minutes act as 5, 4 passed", "2", kSecond, kSecond + 4 * kMinute, -3, false},
        {"negative minutes act as 5, 6 passed", "2", kSecond, kSecond + 6 * kMinute, -3, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(reloadsOnShow(c.policy, {c.last, c.now}, c.minutes), c.reloads);
    }
}

TEST(ResetPolicy, OnlyNeverKeepsEveryChange) {
    for (const char* text : {"3"}) EXPECT_TRUE(keepsEveryChange(text)) << text;
    for (const char* text : {"", "0", "1", "2", "03", "3 ", "Never"}) EXPECT_FALSE(keepsEveryChange(text)) << text;
}

}  // namespace
}  // namespace vps::policy
