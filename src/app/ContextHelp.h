#pragma once

#include <windows.h>

namespace vps {

// Makes F1 and the title bar's "?" show the help topic of the control asked about (or of the
// nearest enclosing control that has one) as a pop-up at its top-left corner, and F1 on a
// highlighted menu item the item's topic.
void installContextHelp();

void answerHelpRequest(HWND form, const HELPINFO& request);

}  // namespace vps
