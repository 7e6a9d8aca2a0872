#pragma once

#include <windows.h>

#include <string>

namespace vps {

// Mails a saved capture: opens the mail client's message window with the JPEG file attached,
// subject "Title" and a body naming the moment of sending, for the user to address and send.
// Failures are shown to the user by SendMapiMail; nothing is raised.
void EmailCapture(HWND owner, const std::string& jpegPath);

// "(Screen capture on <moment>)", the moment in the user's short date and long time formats, or
// in the fixed numeric form ("2024-03-05 14:07:09") when the system cannot format it. Never fails.
std::string captureMailBodyAt(const SYSTEMTIME& localTime);

}  // namespace vps
