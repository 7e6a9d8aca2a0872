#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// When the main window falls back to the stored choices.
namespace vps::policy {

// The Defaults dialog's combo box index; stored as that number in text.
enum class ResetPolicy { Restart = 0, EachUse = 1, SpecifiedTime = 2, Never = 3 };

constexpr int indexOf(ResetPolicy policy) { return static_cast<int>(policy); }

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
// Whether every change of a choice is stored at once (the policy Never, stored as "3").
bool keepsEveryChange(std::string_view policyText);

bool reloadsOnShow(std::string_view policyText, ShowMoment moment, std::optional<std::int32_t> storedMinutes);

}  // namespace vps::policy
