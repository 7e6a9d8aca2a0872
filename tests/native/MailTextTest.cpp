#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/MailText.h"

namespace vps {
namespace {

TEST(MailText, MapiErrorTextForEveryCode) {
    struct Case {
        std::uint32_t code;
        const char* text;
    } cases[] = {
        {0, ""},
        {1, "User Abort"},
        {2, "Failure"},
        {3, "Logon / Login Failure"},
        {4, "Disk Full"},
        {5, "Insufficient Memory"},
        {6, "Access Denied"},
        {7, "Unknown MAPI Failure"},
        {8, "Too Many Sessions"},
        {9, "Too Many Files"},
        {10, "Too Many Recipients"},
        {11, "Attachment Not Found"},
        {12, "Attachment Open Failure"},
        {13, "Attachment Write Failure"},
        {14, "Unknown Recipient"},
        {15, "Bad Recipient Type"},
        {16, "No Message"},
        {17, "Invalid Message"},
        {18, "Text Too Large"},
        {19, "Invalid Session"},
        {20, "Type Not Supported"},
        {21, "Ambiguous Recipient"},
        {22, "Message In Use"},
        {23, "Network Failure"},
        {24, "Invalid Edit Fields"},
        {25, "Invalid Recipients"},
        {26, "Not Supported"},
        {27, "Unknown MAPI Failure"},
        {1000, "Unknown MAPI Failure"},
        {0xFFFFFFFFu, "Unknown MAPI Failure"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(MapiErrorText(c.code), c.text);
    }
}

TEST(MailText, ReportsJoinContextAndCodeWithACarriageReturn) {
    struct Case {
        std::string context;
        std::uint32_t code;
        const char* report;
    } cases[] = {
        {logonContext(""), 1, "Error: Logging on the profile \"\"\rUser Abort"},
        {logonContext("Work"), 3, "Error: Logging on the profile \"Work\"\rLogon / Login Failure"},
        {std::string(kSendingContext), 1, "Error: Sending MAPI Mail Message\rUser Abort"},
        {std::string(kSendingContext), 99,
         "Error: Sending MAPI Mail Message\rUnknown MAPI Failure"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.report);
        EXPECT_EQ(mapiErrorReport(c.context, c.code), c.report);
    }
}

TEST(MailText, AttachmentMessages) {
    EXPECT_EQ(kTooManyAttachmentsText, "Too many attachments, your limited to 10 attachments.");
    EXPECT_EQ(attachmentNotFoundText("C:\\Pictures\\Print Screen.jpg"),
              "File \"C:\\Pictures\\Print Screen.jpg\" not found.");
    EXPECT_EQ(attachmentNotFoundText(""), "File \"\" not found.");
}

TEST(MailText, MomentLeavesTheTimeOutAtExactlyMidnight) {
    EXPECT_EQ(captureMomentText("3/5/2024", "2:07:09 PM", false), "3/5/2024 2:07:09 PM");
    EXPECT_EQ(captureMomentText("3/5/2024", "12:00:00 AM", true), "3/5/2024");
}

TEST(MailText, BodyTakesTheMomentAsPlainText) {
    struct Case {
        const char* moment;
        const char* body;
    } cases[] = {
        {"3/5/2024 2:07:09 PM", "(Screen capture on 3/5/2024 2:07:09 PM)"},
        {"", "(Screen capture on )"},
        // Format directives in the moment must come out unchanged, never be interpreted.
        {"%s%n%d %%", "(Screen capture on %s%n%d %%)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.moment);
        EXPECT_EQ(captureMailBody(c.moment), c.body);
    }
}

TEST(MailText, NumericFallbackIsFixedWidthForAnyClockValue) {
    // The fallback is used exactly when the system refused the values, so it must take any the
    // clock's 16-bit fields can hold.
    struct Case {
        int year, month, day, hour, minute, second;
        const char* date;
        const char* time;
    } cases[] = {
        {2024, 3, 5, 14, 7, 9, "2024-03-05", "14:07:09"},
        {2024, 12, 31, 23, 59, 59, "2024-12-31", "23:59:59"},
        {1, 1, 1, 0, 0, 0, "0001-01-01", "00:00:00"},
        {2024, 13, 0, 24, 60, 61, "2024-13-00", "24:60:61"},
        {65535, 65535, 65535, 65535, 65535, 65535, "65535-65535-65535", "65535:65535:65535"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.date);
        EXPECT_EQ(numericDate(c.year, c.month, c.day), c.date);
        EXPECT_EQ(numericTime(c.hour, c.minute, c.second), c.time);
    }
}

}  // namespace
}  // namespace vps
