#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace win {

struct DialogButton {
    std::string caption;  // with its "&" mnemonic
    int result;           // IDYES, IDNO, IDIGNORE, ...
};

enum class DialogKind { Warning, Error, Information, Confirmation };

struct MessageDialogDescription {
    std::string text;  // lines separated by CR LF
    std::string caption;
    DialogKind kind = DialogKind::Warning;
    std::vector<DialogButton> buttons;
    int defaultResult = 0;  // the button Enter presses and that has the focus
    int cancelResult = 0;   // what Escape and the close box answer
};

// A modal message box with buttons of our choosing; the system's message box cannot offer a lone
// "&Ignore" button or let Escape answer "No".
int showMessageDialog(HWND owner, const MessageDialogDescription& description);

}  // namespace win
