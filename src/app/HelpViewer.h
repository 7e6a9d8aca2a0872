#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace vps {

// The program's help: HELP_FINDER (contents), HELP_HELPONHELP, HELP_CONTEXT (a topic window) and
// HELP_CONTEXTPOPUP (a pop-up at popupAt, or at the pointer). False when nothing could be shown.
bool showHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data,
              std::optional<POINT> popupAt = std::nullopt);

}  // namespace vps
