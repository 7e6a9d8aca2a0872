#pragma once

#include <string_view>

// "VantaroPrintScreen.exe /UNINSTALL": takes away everything the program left on this computer,
// so deleting its folder afterwards leaves no trace.
namespace vps {

inline constexpr std::string_view kUninstallSwitch = "/UNINSTALL";

// Asks first. Then ends the resident copy, removes the start at sign-in, the per-user settings
// folder and the crash reports, and the Windows directory's settings file where this user may
// write there. Returns the process's exit code: 0 when all is gone or the user said no, 1 when
// something could not be removed (the user was told what).
int uninstall();

}  // namespace vps
