#include "output/SendEmail.h"

#include <vector>

#include "core/MailAttachments.h"
#include "core/MailText.h"
#include "output/SimpleMapi.h"
#include "win/Application.h"
#include "win/Error.h"
#include "win/Form.h"
#include "win/MessageDialog.h"
#include "win/Shell.h"

namespace vps {

namespace {

// The attachment is not placed inside the body text: all bits set.
constexpr ULONG kNoPositionInBody = 0xFFFFFFFFu;

void showMailMessage(HWND owner, std::string text, win::DialogKind kind, const char* caption) {
    win::showMessageDialog(owner, {.text = std::move(text),
                                   .caption = caption,
                                   .kind = kind,
                                   .buttons = {{"OK", IDOK}},
                                   .defaultResult = IDOK,
                                   .cancelResult = IDOK});
}

bool fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Logs off when the sending ends, however it ends.
class MapiSession {
public:
    explicit MapiSession(LHANDLE handle) : handle_(handle) {}
    MapiSession(const MapiSession&) = delete;
    MapiSession& operator=(const MapiSession&) = delete;
    ~MapiSession() { mapi::logoff(handle_, 0, 0, 0); }
    LHANDLE handle() const { return handle_; }

private:
    LHANDLE handle_;
};

HWND applicationWindow() {
    const win::Form* main = win::Application::mainForm();
    return main ? main->handle() : nullptr;
}

// Without a mail client the logon fails whatever the user does; the file is saved all the same,
// so the warning offers to show it, selected in its folder, ready to be dragged into any mail.
void reportNoMailClient(HWND owner, const std::string& context, std::uint32_t code,
                        const std::string& picture) {
    constexpr int kShowPicture = 100;
    const int answer = win::showMessageDialog(
        owner, {.text = mapiErrorReport(context, code),
                .caption = "Warning",
                .kind = win::DialogKind::Warning,
                .buttons = {{"OK", IDOK}, {"Show the picture", kShowPicture}},
                .defaultResult = IDOK,
                .cancelResult = IDOK});
    if (answer != kShowPicture) return;
    try {
        win::showFileInFolder(owner, picture);
    } catch (const win::SystemError& error) {
        showMailMessage(owner, error.what(), win::DialogKind::Error, "Error");
    }
}

}  // namespace

void ReportMapiError(HWND owner, const std::string& context, std::uint32_t code) {
    showMailMessage(owner, mapiErrorReport(context, code), win::DialogKind::Warning, "Warning");
}

void SendMapiMail(HWND owner, const std::string& profileName, const std::string& password,
                  const std::string& recipientName, const std::string& subject,
                  const std::string& body, const std::string& attachmentList) {
    // Checked in list order: a missing file among the first ten is reported before an eleventh
    // entry is noticed.
    MailAttachmentList attachments = splitAttachmentList(attachmentList);
    for (const MailAttachment& attachment : attachments.entries) {
        if (!fileExists(attachment.path)) {
            showMailMessage(owner, attachmentNotFoundText(attachment.path), win::DialogKind::Error,
                            "Error");
            return;
        }
    }
    if (attachments.tooMany) {
        showMailMessage(owner, std::string(kTooManyAttachmentsText), win::DialogKind::Error,
                        "Error");
        return;
    }

    // Simple MAPI takes writable strings; it gets copies so the caller's stay untouched.
    std::string profile = profileName;
    std::string secret = password;
    LHANDLE handle = 0;
    if (const ULONG result =
            mapi::logon(0, profile.data(), secret.data(), MAPI_NEW_SESSION, 0, &handle)) {
        if (!mapi::clientInstalled() && !attachments.entries.empty()) {
            reportNoMailClient(owner, logonContext(profileName), result,
                               attachments.entries.front().path);
        } else {
            ReportMapiError(owner, logonContext(profileName), result);
        }
        return;
    }
    const MapiSession session(handle);

    std::string recipient = recipientName;
    lpMapiRecipDesc resolved = nullptr;
    // A client that claims success without a record gets no recipient rather than a null one.
    const bool hasRecipient = mapi::resolveName(session.handle(), 0, recipient.data(),
                                                MAPI_LOGON_UI, 0, &resolved) == SUCCESS_SUCCESS &&
                              resolved;
    // Without a recipient the mail client's own window lets the user complete the message.
    const FLAGS sendFlags = hasRecipient ? MAPI_LOGON_UI : MAPI_LOGON_UI | MAPI_DIALOG;

    std::vector<MapiFileDesc> files;
    files.reserve(attachments.entries.size());
    for (MailAttachment& attachment : attachments.entries) {
        files.push_back({.ulReserved = 0,
                         .flFlags = 0,
                         .nPosition = kNoPositionInBody,
                         .lpszPathName = attachment.path.data(),
                         .lpszFileName = attachment.fileName.data(),
                         .lpFileType = nullptr});
    }

    std::string subjectText = subject;
    std::string noteText = body;
    MapiMessage message{.ulReserved = 0,
                        .lpszSubject = subjectText.data(),
                        .lpszNoteText = noteText.data(),
                        .lpszMessageType = nullptr,
                        .lpszDateReceived = nullptr,
                        .lpszConversationID = nullptr,
                        .flFlags = 0,
                        .lpOriginator = nullptr,
                        .nRecipCount = hasRecipient ? 1u : 0u,
                        .lpRecips = hasRecipient ? resolved : nullptr,
                        .nFileCount = static_cast<ULONG>(files.size()),
                        .lpFiles = files.empty() ? nullptr : files.data()};

    // With MAPI_DIALOG this returns only once the user has sent or cancelled the message.
    if (const ULONG result = mapi::sendMail(session.handle(), reinterpret_cast<ULONG_PTR>(owner),
                                            &message, sendFlags, 0)) {
        ReportMapiError(owner, std::string(kSendingContext), result);
    }
}

void SendMapiMail(const std::string& profileName, const std::string& password,
                  const std::string& recipientName, const std::string& subject,
                  const std::string& body, const std::string& attachmentList) {
    SendMapiMail(applicationWindow(), profileName, password, recipientName, subject, body,
                 attachmentList);
}

}  // namespace vps
