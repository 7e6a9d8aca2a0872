#include "core/MailText.h"

#include <array>
#include <cstdio>

namespace vps {

namespace {

// Indexed by code; 7 has no constant of its own in Simple MAPI.
constexpr std::array<std::string_view, 27> kMapiErrorTexts = {
    "",
    "User Abort",
    "Failure",
    "Logon / Login Failure",
    "Disk Full",
    "Insufficient Memory",
    "Access Denied",
    "Unknown MAPI Failure",
    "Too Many Sessions",
    "Too Many Files",
    "Too Many Recipients",
    "Attachment Not Found",
    "Attachment Open Failure",
    "Attachment Write Failure",
    "Unknown Recipient",
    "Bad Recipient Type",
    "No Message",
    "Invalid Message",
    "Text Too Large",
    "Invalid Session",
    "Type Not Supported",
    "Ambiguous Recipient",
    "Message In Use",
    "Network Failure",
    "Invalid Edit Fields",
    "Invalid Recipients",
    "Not Supported",
};

}  // namespace

std::string MapiErrorText(std::uint32_t code) {
    if (code >= kMapiErrorTexts.size()) return "Unknown MAPI Failure";
    return std::string(kMapiErrorTexts[code]);
}

std::string mapiErrorReport(std::string_view context, std::uint32_t code) {
    return "Error: " + std::string(context) + "\r" + MapiErrorText(code);
}

std::string logonContext(std::string_view profileName) {
    return "Logging on the profile \"" + std::string(profileName) + "\"";
}

std::string attachmentNotFoundText(std::string_view path) {
    return "File \"" + std::string(path) + "\" not found.";
}

std::string captureMomentText(std::string_view shortDate, std::string_view longTime,
                              bool exactlyMidnight) {
    std::string text(shortDate);
    if (!exactlyMidnight) {
        text += ' ';
        text += longTime;
    }
    return text;
}

std::string numericDate(int year, int month, int day) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

std::string numericTime(int hour, int minute, int second) {
    char text[48];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", hour, minute, second);
    return text;
}

std::string captureMailBody(std::string_view moment) {
    return "(Screen capture on " + std::string(moment) + ")";
}

}  // namespace vps
