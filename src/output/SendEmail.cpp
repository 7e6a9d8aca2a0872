#include "output/SendEmail.h"

#include <vector>

#include "core/MailAttachments.h"
#include "core/MailText.h"
#include "output/MailAnsiText.h"
#include "output/SimpleMapi.h"
#include "win/Application.h"
#include "win/Error.h"
#include "win/Form.h"
#include "win/MessageDialog.h"
#include "win/Shell.h"
#include "win/WideText.h"

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
    const DWORD attributes = GetFileAttributesW(win::wide(path).c_str());
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

// The file is saved whatever became of the mail: the warning offers to show it, selected in its
// folder, ready to be dragged into any mail.
void warnOfferingThePicture(HWND owner, const std::string& text, const std::string& picture) {
    constexpr int kShowPicture = 100;
    const int answer = win::showMessageDialog(
        owner, {.text = text,
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

std::string unspellableAttachmentText(const std::string& path) {
    return "The picture is saved as \"" + path +
           "\", but the mail program cannot be given it: it reads file names only in this "
           "system's character set, which cannot spell this one, and the drive keeps no short "
           "name for the file.\r\nPlease attach the file to a message yourself.";
}

// A message for MAPISendMailW: every text in Unicode, the attachments named as they are.
struct WideMessage {
    std::wstring subject;
    std::wstring note;
    std::vector<std::wstring> paths;
    std::vector<std::wstring> names;
    std::wstring recipientName;
    std::wstring recipientAddress;
    mapi::RecipDescW recipient{};
    std::vector<mapi::FileDescW> files;
    mapi::MessageW message{};
};

void fillWideMessage(WideMessage& wide, const std::string& subject, const std::string& body,
                     const std::vector<MailAttachment>& attachments,
                     const MapiRecipDesc* resolved) {
    wide.subject = win::wide(subject);
    wide.note = win::wide(body);
    for (const MailAttachment& attachment : attachments) {
        wide.paths.push_back(win::wide(attachment.path));
        wide.names.push_back(win::wide(attachment.fileName));
    }
    for (std::size_t i = 0; i < attachments.size(); ++i) {
        wide.files.push_back({.ulReserved = 0,
                              .flFlags = 0,
                              .nPosition = kNoPositionInBody,
                              .lpszPathName = wide.paths[i].data(),
                              .lpszFileName = wide.names[i].data(),
                              .lpFileType = nullptr});
    }
    // The recipient was resolved by the ANSI MAPIResolveName, the only one there is.
    if (resolved) {
        wide.recipientName = win::wide(mail::fromAnsi(resolved->lpszName));
        wide.recipientAddress = win::wide(mail::fromAnsi(resolved->lpszAddress));
        wide.recipient = {
            .ulReserved = 0,
            .ulRecipClass = resolved->ulRecipClass,
            .lpszName = resolved->lpszName ? wide.recipientName.data() : nullptr,
            .lpszAddress = resolved->lpszAddress ? wide.recipientAddress.data() : nullptr,
            .ulEIDSize = resolved->ulEIDSize,
            .lpEntryID = resolved->lpEntryID};
    }
    wide.message = {.ulReserved = 0,
                    .lpszSubject = wide.subject.data(),
                    .lpszNoteText = wide.note.data(),
                    .lpszMessageType = nullptr,
                    .lpszDateReceived = nullptr,
                    .lpszConversationID = nullptr,
                    .flFlags = 0,
                    .lpOriginator = nullptr,
                    .nRecipCount = resolved ? 1u : 0u,
                    .lpRecips = resolved ? &wide.recipient : nullptr,
                    .nFileCount = static_cast<ULONG>(wide.files.size()),
                    .lpFiles = wide.files.empty() ? nullptr : wide.files.data()};
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

    // Simple MAPI's logon and name resolution exist in ANSI only, and take writable strings:
    // copies in the code page, so the caller's stay untouched.
    std::string profile = mail::ansiText(profileName);
    std::string secret = mail::ansiText(password);
    LHANDLE handle = 0;
    if (const ULONG result =
            mapi::logon(0, profile.data(), secret.data(), MAPI_NEW_SESSION, 0, &handle)) {
        if (!mapi::clientInstalled() && !attachments.entries.empty()) {
            warnOfferingThePicture(owner, mapiErrorReport(logonContext(profileName), result),
                                   attachments.entries.front().path);
        } else {
            ReportMapiError(owner, logonContext(profileName), result);
        }
        return;
    }
    const MapiSession session(handle);

    // An ANSI client is handed each file by a path it can read, its short one if need be, and
    // never one spelled with stand-in characters, which would name another file or none.
    const bool wideClient = mapi::wideSendMailAvailable();
    std::vector<mail::AnsiAttachment> ansiAttachments;
    if (!wideClient) {
        for (const MailAttachment& attachment : attachments.entries) {
            const auto ansi = mail::ansiAttachment(attachment.path, attachment.fileName);
            if (!ansi) {
                warnOfferingThePicture(owner, unspellableAttachmentText(attachment.path),
                                       attachment.path);
                return;
            }
            ansiAttachments.push_back(*ansi);
        }
    }

    std::string recipient = mail::ansiText(recipientName);
    lpMapiRecipDesc resolved = nullptr;
    // A client that claims success without a record gets no recipient rather than a null one.
    const bool hasRecipient = mapi::resolveName(session.handle(), 0, recipient.data(),
                                                MAPI_LOGON_UI, 0, &resolved) == SUCCESS_SUCCESS &&
                              resolved;
    // Without a recipient the mail client's own window lets the user complete the message.
    const FLAGS sendFlags = hasRecipient ? MAPI_LOGON_UI : MAPI_LOGON_UI | MAPI_DIALOG;

    ULONG result = SUCCESS_SUCCESS;
    // With MAPI_DIALOG the call returns only once the user has sent or cancelled the message.
    if (wideClient) {
        WideMessage wide;
        fillWideMessage(wide, subject, body, attachments.entries,
                        hasRecipient ? resolved : nullptr);
        result = mapi::sendMailW(session.handle(), reinterpret_cast<ULONG_PTR>(owner),
                                 &wide.message, sendFlags, 0);
    } else {
        std::vector<MapiFileDesc> files;
        files.reserve(ansiAttachments.size());
        for (mail::AnsiAttachment& attachment : ansiAttachments) {
            files.push_back({.ulReserved = 0,
                             .flFlags = 0,
                             .nPosition = kNoPositionInBody,
                             .lpszPathName = attachment.path.data(),
                             .lpszFileName = attachment.fileName.data(),
                             .lpFileType = nullptr});
        }
        std::string subjectText = mail::ansiText(subject);
        std::string noteText = mail::ansiText(body);
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
        result = mapi::sendMail(session.handle(), reinterpret_cast<ULONG_PTR>(owner), &message,
                                sendFlags, 0);
    }
    if (result) ReportMapiError(owner, std::string(kSendingContext), result);
}

void SendMapiMail(const std::string& profileName, const std::string& password,
                  const std::string& recipientName, const std::string& subject,
                  const std::string& body, const std::string& attachmentList) {
    SendMapiMail(applicationWindow(), profileName, password, recipientName, subject, body,
                 attachmentList);
}

}  // namespace vps
