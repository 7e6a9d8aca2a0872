#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// When the main window falls back to the stored choices.
namespace vps::policy {

enum ResetPolicy { Restart = 0, EachUse = 1, SpecifiedTime = 2, Never = 3 };

// The interval used when the stored minutes are missing, not a number, or negative.
inline constexpr std::int64_t kFallbackMinutes = 5;

struct ShowMoment {
    // Milliseconds on a 64-bit tick count (it does not wrap in the life of any machine); 0 means
    // the window has not been shown since the program started.
    std::uint64_t lastShowTick;
    std::uint64_t now;
};

// Whether this show of the main window reloads the stored choices. The policy text is compared
// exactly with "1" and "2" ("02" acts as Restart); `storedMinutes` is the parsed interval.
bool reloadsOnShow(std::string_view policyText, ShowMoment moment, std::optional<std::int32_t> storedMinutes);

}  // namespace vps::policy
