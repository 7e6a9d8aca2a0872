#pragma once

#include <windows.h>
// After <windows.h>: the Simple MAPI header relies on its types.
#include <mapi.h>

namespace vps::mapi {

// The wide records of MAPISendMailW, which Windows 8 added to Simple MAPI; the compiler's
// <mapi.h> predates them. Laid out as MapiRecipDescW, MapiFileDescW and MapiMessageW:
// https://learn.microsoft.com/windows/win32/api/mapi/nc-mapi-mapisendmailw
struct RecipDescW {
    ULONG ulReserved;
    ULONG ulRecipClass;
    PWSTR lpszName;
    PWSTR lpszAddress;
    ULONG ulEIDSize;
    LPVOID lpEntryID;
};

struct FileDescW {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    PWSTR lpszPathName;
    PWSTR lpszFileName;
    LPVOID lpFileType;
};

struct MessageW {
    ULONG ulReserved;
    PWSTR lpszSubject;
    PWSTR lpszNoteText;
    PWSTR lpszMessageType;
    PWSTR lpszDateReceived;
    PWSTR lpszConversationID;
    FLAGS flFlags;
    RecipDescW* lpOriginator;
    ULONG nRecipCount;
    RecipDescW* lpRecips;
    ULONG nFileCount;
    FileDescW* lpFiles;
};

using SendMailW = ULONG WINAPI(LHANDLE session, ULONG_PTR uiParam, MessageW* message, FLAGS flags,
                               ULONG reserved);

// The four Simple MAPI calls of MAPI32.DLL, reached by name. The library is looked for once per
// process, on the first of these calls, and each function on its own first use. Without an
// installed Simple MAPI, or without the function, a call does nothing and answers
// MAPI_USER_ABORT (1), which is what the user then reads.
// Whether a Simple MAPI client is there to log on to: announced, its library loaded, and its
// MAPILogon found. Decided on first use, like the calls.
bool clientInstalled();

ULONG logon(ULONG_PTR uiParam, LPSTR profileName, LPSTR password, FLAGS flags, ULONG reserved,
            LPLHANDLE session);
ULONG resolveName(LHANDLE session, ULONG_PTR uiParam, LPSTR name, FLAGS flags, ULONG reserved,
                  lpMapiRecipDesc* recipient);
ULONG sendMail(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message, FLAGS flags,
               ULONG reserved);
ULONG logoff(LHANDLE session, ULONG_PTR uiParam, FLAGS flags, ULONG reserved);

// Whether the client's library exports MAPISendMailW, which takes every text, the attachments'
// paths and names included, in Unicode. Older clients have only the ANSI MAPISendMail.
bool wideSendMailAvailable();
ULONG sendMailW(LHANDLE session, ULONG_PTR uiParam, MessageW* message, FLAGS flags, ULONG reserved);

}  // namespace vps::mapi
