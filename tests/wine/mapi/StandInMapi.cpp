// A stand-in for the mail client's MAPI32.DLL. It does what the environment of the process tells
// it to, and appends every call it receives, with its arguments, to a log file that the test
// reads back. Nothing is ever shown or sent.
//
//   VPS_STANDIN_MAPI_LOG      the log file (a Windows path); no log without it
//   VPS_STANDIN_MAPI_LOGON    the result of MAPILogon (decimal, default 0)
//   VPS_STANDIN_MAPI_RESOLVE  the result of MAPIResolveName; by default an empty name is an
//                             unknown recipient (14) and any other name resolves (0)
//   VPS_STANDIN_MAPI_SEND     the result of MAPISendMail (default 0)
//   VPS_STANDIN_MAPI_LOGOFF   the result of MAPILogoff (default 0)
//
// Built with STANDIN_WITHOUT_RESOLVE_NAME it lacks MAPIResolveName, as an incomplete client would.
// Built with STANDIN_WITH_SEND_MAIL_W it also exports MAPISendMailW, as the clients of Windows 8
// and later do; it logs that call's texts in UTF-8, and the ANSI call's bytes as they came.
#include <windows.h>
// After <windows.h>: the Simple MAPI header relies on its types.
#include <mapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#ifdef STANDIN_WITH_SEND_MAIL_W
// The wide records, as the program lays them out.
#include "output/SimpleMapi.h"
#endif

#define STANDIN_EXPORT extern "C" __declspec(dllexport)

namespace {

constexpr LHANDLE kSession = 0x5E55;

std::string environment(const char* name, bool* present = nullptr) {
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    if (present) *present = length > 0 && length < sizeof value;
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

ULONG resultFor(const char* name, ULONG fallback) {
    bool present = false;
    const std::string value = environment(name, &present);
    return present ? std::strtoul(value.c_str(), nullptr, 10) : fallback;
}

std::string hex(ULONG_PTR value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
    return text;
}

std::string quoted(const char* text) {
    if (!text) return "null";
    std::string result(1, '"');
    result += text;
    result += '"';
    return result;
}
#ifdef STANDIN_WITH_SEND_MAIL_W
std::string quoted(const wchar_t* text) {
    if (!text) return "null";
    std::string utf8(1, '"');
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size > 1) {
        std::string converted(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text, -1, converted.data(), size, nullptr, nullptr);
        converted.pop_back();
        utf8 += converted;
    }
    utf8 += '"';
    return utf8;
}
#endif

std::string pointer(const void* p) {
    return p ? "set" : "null";
}

void log(const std::string& line) {
    const std::string path = environment("VPS_STANDIN_MAPI_LOG");
    if (path.empty()) return;
    if (FILE* file = std::fopen(path.c_str(), "ab")) {
        std::fputs((line + "\n").c_str(), file);
        std::fclose(file);
    }
}

std::string resolvedName;
std::string resolvedAddress;
MapiRecipDesc resolvedRecipient{};

}  // namespace

STANDIN_EXPORT ULONG WINAPI MAPILogon(ULONG_PTR uiParam, LPSTR profileName, LPSTR password,
                                      FLAGS flags, ULONG reserved, LPLHANDLE session) {
    const ULONG result = resultFor("VPS_STANDIN_MAPI_LOGON", SUCCESS_SUCCESS);
    if (session) *session = result == SUCCESS_SUCCESS ? kSession : 0;
    log("MAPILogon ui=" + hex(uiParam) + " profile=" + quoted(profileName) +
        " password=" + quoted(password) + " flags=" + hex(flags) +
        " reserved=" + std::to_string(reserved) + " -> " + std::to_string(result));
    return result;
}

#ifndef STANDIN_WITHOUT_RESOLVE_NAME
STANDIN_EXPORT ULONG WINAPI MAPIResolveName(LHANDLE session, ULONG_PTR uiParam, LPSTR name,
                                            FLAGS flags, ULONG reserved,
                                            lpMapiRecipDesc* recipient) {
    const bool named = name && *name;
    const ULONG result =
        resultFor("VPS_STANDIN_MAPI_RESOLVE", named ? SUCCESS_SUCCESS : MAPI_E_UNKNOWN_RECIPIENT);
    if (result == SUCCESS_SUCCESS && recipient) {
        resolvedName = name ? name : "";
        resolvedAddress = "SMTP:" + resolvedName;
        resolvedRecipient = {0, MAPI_TO, resolvedName.data(), resolvedAddress.data(), 0, nullptr};
        *recipient = &resolvedRecipient;
    }
    log("MAPIResolveName session=" + hex(session) + " ui=" + hex(uiParam) +
        " name=" + quoted(name) + " flags=" + hex(flags) + " reserved=" + std::to_string(reserved) +
        " -> " + std::to_string(result));
    return result;
}
#endif

namespace {

// Logs one message of either call; the records of both have the same fields.
template <typename Message>
ULONG logSendMail(const char* call, LHANDLE session, ULONG_PTR uiParam, const Message* message,
                  FLAGS flags, ULONG reserved) {
    const ULONG result = resultFor("VPS_STANDIN_MAPI_SEND", SUCCESS_SUCCESS);
    log(std::string(call) + " session=" + hex(session) + " ui=" + hex(uiParam) + " flags=" +
        hex(flags) + " reserved=" + std::to_string(reserved) + " -> " + std::to_string(result));
    if (!message) {
        log(" message null");
        return result;
    }
    log(" message reserved=" + std::to_string(message->ulReserved) +
        " subject=" + quoted(message->lpszSubject) + " type=" + quoted(message->lpszMessageType) +
        " date=" + quoted(message->lpszDateReceived) +
        " conversation=" + quoted(message->lpszConversationID) + " flags=" + hex(message->flFlags) +
        " originator=" + pointer(message->lpOriginator) +
        " recipients=" + std::to_string(message->nRecipCount) + "/" + pointer(message->lpRecips) +
        " files=" + std::to_string(message->nFileCount) + "/" + pointer(message->lpFiles));
    log(" note " + quoted(message->lpszNoteText));
    for (ULONG i = 0; message->lpRecips && i < message->nRecipCount; ++i) {
        const auto& r = message->lpRecips[i];
        log(" recipient class=" + std::to_string(r.ulRecipClass) + " name=" + quoted(r.lpszName) +
            " address=" + quoted(r.lpszAddress) +
            (static_cast<const void*>(&r) == &resolvedRecipient ? " (the resolved record)"
                                                                : " (another record)"));
    }
    for (ULONG i = 0; message->lpFiles && i < message->nFileCount; ++i) {
        const auto& f = message->lpFiles[i];
        log(" file reserved=" + std::to_string(f.ulReserved) + " flags=" + hex(f.flFlags) +
            " position=" + hex(f.nPosition) + " path=" + quoted(f.lpszPathName) +
            " name=" + quoted(f.lpszFileName) + " type=" + pointer(f.lpFileType));
    }
    return result;
}

}  // namespace

STANDIN_EXPORT ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR uiParam, lpMapiMessage message,
                                         FLAGS flags, ULONG reserved) {
    return logSendMail("MAPISendMail", session, uiParam, message, flags, reserved);
}

#ifdef STANDIN_WITH_SEND_MAIL_W
STANDIN_EXPORT ULONG WINAPI MAPISendMailW(LHANDLE session, ULONG_PTR uiParam,
                                          vps::mapi::MessageW* message, FLAGS flags,
                                          ULONG reserved) {
    return logSendMail("MAPISendMailW", session, uiParam, message, flags, reserved);
}
#endif

STANDIN_EXPORT ULONG WINAPI MAPILogoff(LHANDLE session, ULONG_PTR uiParam, FLAGS flags,
                                       ULONG reserved) {
    const ULONG result = resultFor("VPS_STANDIN_MAPI_LOGOFF", SUCCESS_SUCCESS);
    log("MAPILogoff session=" + hex(session) + " ui=" + hex(uiParam) + " flags=" + hex(flags) +
        " reserved=" + std::to_string(reserved) + " -> " + std::to_string(result));
    return result;
}
