#include "core/ResetPolicy.h"

#include <string>

namespace vps::policy {

bool keepsEveryChange(std::string_view policyText) { return policyText == std::to_string(indexOf(ResetPolicy::Never)); }

bool reloadsOnShow(std::string_view policyText, ShowMoment moment, std::optional<std::int32_t> storedMinutes) {
    if (moment.lastShowTick == 0) return true;
    if (policyText == std::to_string(indexOf(ResetPolicy::EachUse))) return true;
    if (policyText != std::to_string(indexOf(ResetPolicy::SpecifiedTime))) return false;
    // In 64-bit milliseconds every interval the dialog accepts (up to 99999 minutes, past the
    // 32-bit counter's 49.7 days) fits, and no wrap-around can make a long pause look short.
    const std::int64_t minutes =
        storedMinutes && *storedMinutes >= 0 ? *storedMinutes : kFallbackMinutes;
    const std::uint64_t interval = static_cast<std::uint64_t>(minutes) * 60 * 1000;
    return moment.now - moment.lastShowTick > interval;
}

}  // namespace vps::policy
