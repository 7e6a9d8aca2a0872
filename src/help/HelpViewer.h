#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace vps {

// The program's help, read from a help file in the format of core/HelpFile.h:
// - HELP_FINDER: the contents window, listing the topics by heading.
// - HELP_HELPONHELP: the topic on how to use the help, in the topic window.
// - HELP_CONTEXT: topic `data` in the topic window, one per process, brought to the front.
// - HELP_CONTEXTPOPUP: topic `data` in a small pop-up at popupAt (screen coordinates), or at
//   the pointer; any key or click, or a click elsewhere, closes it.
// - HELP_QUIT: hides every help window.
// The windows are top-level windows of their own (classes TfmHelpTopic, TfmHelpContents,
// TfmHelpPopup), so they outlive the dialog that asked for them. The file is read afresh at
// every call. A file that is missing, unreadable or malformed, or a topic it does not have, is
// reported in a message box owned by `owner`; the answer is then false and no help window opens.
bool showHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data,
              std::optional<POINT> popupAt = std::nullopt);

}  // namespace vps
