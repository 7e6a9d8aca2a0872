#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vps {

// The words for a Simple MAPI result code; empty for success, a catch-all for codes the table
// does not know.
std::string MapiErrorText(std::uint32_t code);

// What the user reads when a Simple MAPI call fails: "Error: ", where it happened, a carriage
// return and the code's words.
std::string mapiErrorReport(std::string_view context, std::uint32_t code);

// The context of a failed logon names the profile in double quotes, even an empty one.
std::string logonContext(std::string_view profileName);

inline constexpr std::string_view kSendingContext = "Sending MAPI Mail Message";

// The program's own wording, kept as it has always read.
inline constexpr std::string_view kTooManyAttachmentsText =
    "Too many attachments, your limited to 10 attachments.";

std::string attachmentNotFoundText(std::string_view path);

// The moment of a capture as the date formatting routine's "c" format writes it: the short
// date, a space and the long time, where a moment of exactly midnight shows the date alone.
std::string captureMomentText(std::string_view shortDate, std::string_view longTime,
                              bool exactlyMidnight);

// The fixed numeric forms the mail falls back on when the system cannot format the moment (a
// broken locale, a clock value it refuses): "2024-03-05" and "14:07:09". Never fail.
std::string numericDate(int year, int month, int day);
std::string numericTime(int hour, int minute, int second);

// The body of a mailed capture. The moment is placed as plain text, never as a format string:
// a locale's date may well contain "%".
std::string captureMailBody(std::string_view moment);

}  // namespace vps
