#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace vps {

// Hands a message with file attachments to the system's mail client through Simple MAPI.
// `attachmentList` holds full file names, each followed by ";" (at most 10). A recipient that
// the mail client resolves gets the message at once; otherwise the client shows the message for
// the user to complete. Every failure is shown to the user here, in a message box, and nothing
// is raised or returned: the caller's action is done either way. When no Simple MAPI client is
// installed, the logon warning also offers "Show the picture": the first attachment, selected
// in its folder by the file manager.
//
// `owner` is the parent of the mail client's window and of the message boxes; the overload
// without it uses the application's main window.
void SendMapiMail(HWND owner, const std::string& profileName, const std::string& password,
                  const std::string& recipientName, const std::string& subject,
                  const std::string& body, const std::string& attachmentList);
void SendMapiMail(const std::string& profileName, const std::string& password,
                  const std::string& recipientName, const std::string& subject,
                  const std::string& body, const std::string& attachmentList);

// One warning box with an OK button: "Error: ", the context, a carriage return and the words for
// the Simple MAPI result code.
void ReportMapiError(HWND owner, const std::string& context, std::uint32_t code);

}  // namespace vps
