// Stand-in until the help viewer lands: remove this file when app/HelpViewer.cpp exists.
#include "app/HelpViewer.h"

namespace vps {
bool showHelp(HWND, const std::string&, UINT, ULONG_PTR, std::optional<POINT>) { return false; }
}  // namespace vps
