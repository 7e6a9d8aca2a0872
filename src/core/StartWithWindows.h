#pragma once

#include <optional>
#include <string>
#include <string_view>

// Starting with Windows: the per-user Run value that starts the program at sign-in, and what its
// text says about this copy of the program. The registry itself is read and written elsewhere.
namespace vps::startup {

// HKEY_CURRENT_USER\<kRunKey>, value <kRunValueName>: per user, so no elevation is needed.
inline constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kRunValueName = "Vantaro Print Screen";

// The value's text for the program at `exePath`: the path in quotes, since a path with spaces
// would otherwise be split at its first space when Windows runs it.
std::string runValueFor(std::string_view exePath);

// The program a Run value starts: the quoted part, or an unquoted path up to ".exe", without the
// arguments after it. Empty when the text names nothing.
std::string programOfRunValue(std::string_view value);

enum class RunEntry {
    Missing,    // nothing starts the program at sign-in
    Current,    // this copy starts at sign-in
    Elsewhere,  // the value is ours but starts a copy at another place (the program was moved)
};

// Windows paths compare without regard to letter case and slash direction.
RunEntry classifyRunValue(const std::optional<std::string>& value, std::string_view exePath);

enum class RunChange { None, Write, Remove };

// What OK does with the value, given what the dialog found when it opened and whether the box is
// now checked. A value for another place that the user chose to keep stays as it is while the box
// stays checked.
RunChange changeOnOk(RunEntry found, bool checked);

}  // namespace vps::startup
