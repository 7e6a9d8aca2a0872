// SendMapiMail against the stand-in mail client: what reaches Simple MAPI, in which order, and
// what the user reads when something fails.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "MapiTestSupport.h"
#include "output/SendEmail.h"
#include "win/Application.h"
#include "win/Form.h"

namespace vps::test {
namespace {

using Box = MessageBoxes::Box;
using Call = StandInMapi::Call;
using Lines = std::vector<std::string>;

TEST(MailWithStandIn, ResolvedRecipientGetsTheMailAtOnce) {
    StandInMapi mapi;
    MessageBoxes boxes;
    TemporaryFolder folder;
    OwnerWindow owner;
    const std::string file = folder.createFile("Print Screen.jpg");

    SendMapiMail(owner.handle(), "Work", "secret", "Ann", "Holiday", "Body text", file + ";");

    EXPECT_EQ(mapi.log(),
              (Lines{logged::logon("Work", "secret", 0), logged::resolveName("Ann", 0),
                     logged::sendMail(owner.logged(), "0x1", 0),
                     logged::message("Holiday", "1/set", "1/set"), logged::note("Body text"),
                     " recipient class=1 name=\"Ann\" address=\"SMTP:Ann\" (the resolved record)",
                     logged::file(file, "Print Screen.jpg"), logged::logoff()}));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(MailWithStandIn, UnresolvedRecipientLeavesTheMessageToTheUser) {
    StandInMapi mapi;
    MessageBoxes boxes;
    TemporaryFolder folder;
    OwnerWindow owner;
    const std::string file = folder.createFile("capture.jpg");

    SendMapiMail(owner.handle(), "", "", "", "Title", "(Screen capture on now)", file + ";");

    EXPECT_EQ(mapi.log(), (Lines{logged::logon("", "", 0), logged::resolveName("", 14),
                                 logged::sendMail(owner.logged(), "0x9", 0),
                                 logged::message("Title", "0/null", "1/set"),
                                 logged::note("(Screen capture on now)"),
                                 logged::file(file, "capture.jpg"), logged::logoff()}));
    EXPECT_TRUE(boxes.shown().empty());
}

TEST(MailWithStandIn, EveryOutcomeIsReportedAndEveryLogonLoggedOff) {
    struct Case {
        const char* what;
        std::string profile;
        std::string recipient;
        std::vector<std::pair<Call, ULONG>> answers;
        Lines calls;
        std::vector<Box> boxes;
    } cases[] = {
        {"logon refused",
         "Work",
         "",
         {{Call::Logon, 3}},
         {"MAPILogon -> 3"},
         {{"Warning", "Error: Logging on the profile \"Work\"\rLogon / Login Failure"}}},
        {"logon abandoned on the empty profile",
         "",
         "",
         {{Call::Logon, 1}},
         {"MAPILogon -> 1"},
         {{"Warning", "Error: Logging on the profile \"\"\rUser Abort"}}},
        {"logon fails with a code beyond the table",
         "",
         "",
         {{Call::Logon, 99}},
         {"MAPILogon -> 99"},
         {{"Warning", "Error: Logging on the profile \"\"\rUnknown MAPI Failure"}}},
        {"recipient resolves",
         "",
         "Ann",
         {},
         {"MAPILogon -> 0", "MAPIResolveName -> 0", "MAPISendMail flags=0x1 -> 0",
          "MAPILogoff -> 0"},
         {}},
        {"ambiguous recipient, silently left to the user",
         "",
         "Ann",
         {{Call::ResolveName, 21}},
         {"MAPILogon -> 0", "MAPIResolveName -> 21", "MAPISendMail flags=0x9 -> 0",
          "MAPILogoff -> 0"},
         {}},
        {"user cancels the mail client's window",
         "",
         "",
         {{Call::SendMail, 1}},
         {"MAPILogon -> 0", "MAPIResolveName -> 14", "MAPISendMail flags=0x9 -> 1",
          "MAPILogoff -> 0"},
         {{"Warning", "Error: Sending MAPI Mail Message\rUser Abort"}}},
        {"sending to a resolved recipient fails",
         "",
         "Ann",
         {{Call::SendMail, 23}},
         {"MAPILogon -> 0", "MAPIResolveName -> 0", "MAPISendMail flags=0x1 -> 23",
          "MAPILogoff -> 0"},
         {{"Warning", "Error: Sending MAPI Mail Message\rNetwork Failure"}}},
        {"a failed logoff goes unmentioned",
         "",
         "",
         {{Call::Logoff, 2}},
         {"MAPILogon -> 0", "MAPIResolveName -> 14", "MAPISendMail flags=0x9 -> 0",
          "MAPILogoff -> 2"},
         {}},
    };
    TemporaryFolder folder;
    OwnerWindow owner;
    const std::string list = folder.createFile("capture.jpg") + ";";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StandInMapi mapi;
        MessageBoxes boxes;
        for (const auto& [call, result] : c.answers) mapi.answer(call, result);

        SendMapiMail(owner.handle(), c.profile, "", c.recipient, "Title", "Body", list);

        EXPECT_EQ(mapi.calls(), c.calls);
        EXPECT_EQ(boxes.shown(), c.boxes);
    }
}

// "1.jpg", "2.jpg", ... for the numbers first to last.
Lines numbered(int first, int last) {
    Lines names;
    for (int i = first; i <= last; ++i) names.push_back(std::to_string(i) + ".jpg");
    return names;
}

Lines joined(Lines head, const Lines& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

TEST(MailWithStandIn, AttachmentListRules) {
    const std::string kTooMany = "Too many attachments, your limited to 10 attachments.";
    // Entries name files in a fresh folder; those called "missing..." are never created and
    // "dir..." are made as folders. "{folder}" in an error stands for the folder's path.
    struct Case {
        const char* what;
        Lines entries;
        std::string tail;   // after the last ";"
        std::string error;  // empty when the mail goes out
    } cases[] = {
        {"ten files", numbered(1, 10), "", ""},
        {"eleven files", numbered(1, 11), "", kTooMany},
        {"ten files then a missing eleventh, never looked for",
         joined(numbered(1, 10), {"missing11.jpg"}), "", kTooMany},
        {"ten files and a name without a semicolon", numbered(1, 10), "missing-tail.jpg", ""},
        {"a name without a semicolon alone", {}, "missing-tail.jpg", ""},
        {"the third file missing",
         {"1.jpg", "2.jpg", "missing3.jpg", "4.jpg"},
         "",
         "File \"{folder}\\missing3.jpg\" not found."},
        {"eleven entries, the first missing: list order decides",
         joined({"missing1.jpg"}, numbered(2, 11)), "",
         "File \"{folder}\\missing1.jpg\" not found."},
        {"a folder is no file", {"1.jpg", "dir2"}, "", "File \"{folder}\\dir2\" not found."},
    };
    OwnerWindow owner;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StandInMapi mapi;
        MessageBoxes boxes;
        TemporaryFolder folder;
        std::string list;
        Lines files;
        for (const std::string& entry : c.entries) {
            const std::string path = folder.path() + "\\" + entry;
            if (entry.starts_with("dir")) {
                CreateDirectoryA(path.c_str(), nullptr);
            } else if (!entry.starts_with("missing")) {
                folder.createFile(entry);
            }
            list += path + ";";
            files.push_back(logged::file(path, entry));
        }
        if (!c.tail.empty()) list += folder.path() + "\\" + c.tail;

        SendMapiMail(owner.handle(), "", "", "", "Title", "Body", list);

        if (c.error.empty()) {
            Lines expected{
                logged::logon("", "", 0), logged::resolveName("", 14),
                logged::sendMail(owner.logged(), "0x9", 0),
                logged::message("Title", "0/null",
                                files.empty() ? "0/null" : std::to_string(files.size()) + "/set"),
                logged::note("Body")};
            expected.insert(expected.end(), files.begin(), files.end());
            expected.push_back(logged::logoff());
            EXPECT_EQ(mapi.log(), expected);
            EXPECT_TRUE(boxes.shown().empty());
        } else {
            std::string text = c.error;
            if (const auto at = text.find("{folder}"); at != std::string::npos) {
                text.replace(at, 8, folder.path());
            }
            EXPECT_TRUE(mapi.log().empty()) << "no logon, nothing sent";
            EXPECT_EQ(boxes.shown(), (std::vector<Box>{{"Error", text}}));
        }
    }
}

TEST(MailWithStandIn, MailClientGetsTheFileNamePartOfEachPath) {
    TemporaryFolder folder;
    OwnerWindow owner;
    CreateDirectoryA((folder.path() + "\\sub").c_str(), nullptr);
    folder.createFile("b.jpg");
    folder.createFile("sub\\c.jpg");
    // Relative names, the drive-relative "C:b.jpg" among them, lead into the folder.
    const CurrentDirectory inFolder(folder.path());
    ASSERT_EQ(folder.path().substr(0, 2), "C:");
    struct Case {
        std::string path;
        const char* fileName;
    } cases[] = {
        {folder.path() + "\\b.jpg", "b.jpg"},
        {"C:b.jpg", "b.jpg"},
        {"b.jpg", "b.jpg"},
        {"sub\\c.jpg", "c.jpg"},
        {folder.path() + "\\sub\\..\\sub\\c.jpg", "c.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        StandInMapi mapi;
        MessageBoxes boxes;

        SendMapiMail(owner.handle(), "", "", "", "Title", "Body", c.path + ";");

        const Lines log = mapi.log();
        ASSERT_EQ(log.size(), 7u);
        EXPECT_EQ(log[5], logged::file(c.path, c.fileName));
        EXPECT_TRUE(boxes.shown().empty());
    }
}

TEST(MailWithStandIn, MainWindowIsTheParentWhenNoOwnerIsGiven) {
    StandInMapi mapi;
    MessageBoxes boxes;
    TemporaryFolder folder;
    const std::string file = folder.createFile("capture.jpg");
    win::Form main({.className = "TMailTestMain", .name = "fmMailTestMain", .caption = "Main"});
    win::Form* const previous = win::Application::mainForm();
    win::Application::setMainForm(&main);

    SendMapiMail("", "", "", "Title", "Body", file + ";");

    win::Application::setMainForm(previous);
    const Lines log = mapi.log();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[2],
              logged::sendMail(hexText(reinterpret_cast<ULONG_PTR>(main.handle())), "0x9", 0));
}

// Run with a stand-in that lacks MAPIResolveName (tests/wine/run-mapi-tests.sh arranges it).
TEST(MailWithoutResolveName, MissingFunctionCountsAsAnUnresolvedRecipient) {
    StandInMapi mapi;
    MessageBoxes boxes;
    TemporaryFolder folder;
    OwnerWindow owner;
    const std::string file = folder.createFile("capture.jpg");

    SendMapiMail(owner.handle(), "", "", "Ann", "Title", "Body", file + ";");

    EXPECT_EQ(mapi.log(),
              (Lines{logged::logon("", "", 0), logged::sendMail(owner.logged(), "0x9", 0),
                     logged::message("Title", "0/null", "1/set"), logged::note("Body"),
                     logged::file(file, "capture.jpg"), logged::logoff()}));
    EXPECT_TRUE(boxes.shown().empty());
}

}  // namespace
}  // namespace vps::test
