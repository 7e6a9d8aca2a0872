// Email as JPEG after the file was saved: the body with the moment of sending, and what the user
// sees when the system has no Simple MAPI at all.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "MapiTestSupport.h"
#include "output/EmailCapture.h"
#include "output/SendEmail.h"
#include "win/Shell.h"
#include "win/UniqueHandle.h"

namespace vps::test {
namespace {

using Box = MessageBoxes::Box;
using Lines = std::vector<std::string>;

SYSTEMTIME at(WORD hour, WORD minute, WORD second, WORD milliseconds) {
    SYSTEMTIME time{};
    time.wYear = 2024;
    time.wMonth = 3;
    time.wDay = 5;
    time.wDayOfWeek = 2;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wMilliseconds = milliseconds;
    return time;
}

std::string localeText(LCTYPE item) {
    char text[80] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, item, text, sizeof text);
    return text;
}

// Changes one of the user's own locale formats, as the Control Panel does, until destroyed.
class UserLocaleFormat {
public:
    UserLocaleFormat(LCTYPE item, const char* format) : item_(item), previous_(localeText(item)) {
        SetLocaleInfoA(LOCALE_USER_DEFAULT, item_, format);
    }
    ~UserLocaleFormat() { SetLocaleInfoA(LOCALE_USER_DEFAULT, item_, previous_.c_str()); }
    UserLocaleFormat(const UserLocaleFormat&) = delete;
    UserLocaleFormat& operator=(const UserLocaleFormat&) = delete;

private:
    LCTYPE item_;
    std::string previous_;
};

TEST(MailBody, NamesTheMomentInTheUsersDateAndTimeFormats) {
    // tests/wine/run-mapi-tests.sh runs the tests in this locale.
    ASSERT_EQ(localeText(LOCALE_SSHORTDATE), "M/d/yyyy");
    ASSERT_EQ(localeText(LOCALE_STIMEFORMAT), "h:mm:ss tt");
    struct Case {
        SYSTEMTIME time;
        const char* body;
    } cases[] = {
        {at(14, 7, 9, 250), "(Screen capture on 3/5/2024 2:07:09 PM)"},
        {at(23, 59, 59, 999), "(Screen capture on 3/5/2024 11:59:59 PM)"},
        {at(0, 0, 0, 0), "(Screen capture on 3/5/2024)"},
        // Only exactly midnight drops the time; a millisecond later it is back.
        {at(0, 0, 0, 1), "(Screen capture on 3/5/2024 12:00:00 AM)"},
        {at(0, 0, 1, 0), "(Screen capture on 3/5/2024 12:00:01 AM)"},
        {at(12, 0, 0, 0), "(Screen capture on 3/5/2024 12:00:00 PM)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_EQ(captureMailBodyAt(c.time), c.body);
    }
}

TEST(MailBody, FollowsTheUsersOwnFormatsAndKeepsTheirPercentSigns) {
    const UserLocaleFormat date(LOCALE_SSHORTDATE, "yyyy'%s'MM'%n'dd");
    const UserLocaleFormat time(LOCALE_STIMEFORMAT, "HH'h'mm'%d'ss");
    EXPECT_EQ(captureMailBodyAt(at(14, 7, 9, 250)), "(Screen capture on 2024%s03%n05 14h07%d09)");
    EXPECT_EQ(captureMailBodyAt(at(0, 0, 0, 0)), "(Screen capture on 2024%s03%n05)");
}

TEST(MailBody, ClockValuesTheSystemRefusesReadInTheFixedNumericForm) {
    // The JPEG is saved by the time the body is written, so a refusal must not stop the mail.
    struct Case {
        const char* what;
        SYSTEMTIME time;
        const char* body;
    } cases[] = {
        {"month 13", [] { auto t = at(14, 7, 9, 250); t.wMonth = 13; return t; }(),
         "(Screen capture on 2024-13-05 14:07:09)"},
        {"hour 25", at(25, 7, 9, 250), "(Screen capture on 2024-03-05 25:07:09)"},
        {"minute 61 at midnight's date", at(0, 61, 0, 0), "(Screen capture on 2024-03-05 00:61:00)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const bool dateRefused =
            GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &c.time, nullptr, nullptr, 0) == 0;
        const bool timeRefused = GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &c.time, nullptr, nullptr, 0) == 0;
        ASSERT_TRUE(dateRefused || timeRefused) << "the system formats this value after all";
        EXPECT_EQ(captureMailBodyAt(c.time), c.body);
    }
}

// Every body the mail may carry when sent between these two moments.
std::set<std::string> bodiesBetween(const SYSTEMTIME& first, const SYSTEMTIME& last) {
    const auto ticks = [](SYSTEMTIME time) {
        time.wMilliseconds = 0;
        FILETIME file;
        SystemTimeToFileTime(&time, &file);
        return ULARGE_INTEGER{{file.dwLowDateTime, file.dwHighDateTime}}.QuadPart;
    };
    constexpr ULONGLONG kSecond = 10'000'000;
    std::set<std::string> bodies;
    for (ULONGLONG t = ticks(first); t <= ticks(last); t += kSecond) {
        const ULARGE_INTEGER value{.QuadPart = t};
        const FILETIME file{value.LowPart, value.HighPart};
        SYSTEMTIME time;
        FileTimeToSystemTime(&file, &time);
        for (const WORD milliseconds : {WORD{0}, WORD{1}}) {
            time.wMilliseconds = milliseconds;
            bodies.insert(captureMailBodyAt(time));
        }
    }
    return bodies;
}

TEST(MailWithStandIn, EmailCaptureHandsTheSavedFileToTheMailClientsWindow) {
    StandInMapi mapi;
    MessageBoxes boxes;
    TemporaryFolder folder;
    OwnerWindow owner;
    const std::string file = folder.createFile("Print Screen.jpg");

    SYSTEMTIME before, after;
    GetLocalTime(&before);
    EmailCapture(owner.handle(), file);
    GetLocalTime(&after);

    Lines log = mapi.log();
    ASSERT_EQ(log.size(), 7u);
    const std::string note = log[4].substr(std::string(" note \"").size());
    EXPECT_TRUE(bodiesBetween(before, after).count(note.substr(0, note.size() - 1))) << log[4];
    log[4] = logged::note("<the moment>");
    EXPECT_EQ(log, (Lines{logged::logon("", "", 0), logged::resolveName("", 14),
                          logged::sendMail(owner.logged(), "0x9", 0),
                          logged::message("Title", "0/null", "1/set"), logged::note("<the moment>"),
                          logged::file(file, "Print Screen.jpg"), logged::logoff()}));
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << "the file stays";
}

// Run where Simple MAPI is not announced ("MAPI" is not "1") or MAPI32.DLL cannot be loaded;
// tests/wine/run-mapi-tests.sh arranges both. The stand-in lies beside the program all the same
// and must never be called.
TEST(MailWithoutSimpleMapi, LogonWarningWithUserAbortAndNothingSent) {
    TemporaryFolder folder;
    OwnerWindow owner;
    const std::string file = folder.createFile("Print Screen.jpg");
    struct Case {
        const char* what;
        void (*send)(HWND owner, const std::string& file);
        std::vector<Box> boxes;
    } cases[] = {
        {"Email as JPEG",
         [](HWND o, const std::string& f) { EmailCapture(o, f); },
         {{"Warning", "Error: Logging on the profile \"\"\rUser Abort"}}},
        {"a named profile",
         [](HWND o, const std::string& f) {
             SendMapiMail(o, "Work", "", "Ann", "Title", "Body", f + ";");
         },
         {{"Warning", "Error: Logging on the profile \"Work\"\rUser Abort"}}},
        {"a missing attachment is found before the logon",
         [](HWND o, const std::string& f) {
             SendMapiMail(o, "", "", "", "Title", "Body", f + ".gone;");
         },
         {{"Error", "File \"" + file + ".gone\" not found."}}},
    };
    std::vector<win::ShellCommand> commands;
    win::setShellCommandRunner(
        [&](HWND, const win::ShellCommand& command) { commands.push_back(command); });
    const win::ScopeExit restore([] { win::setShellCommandRunner(nullptr); });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StandInMapi mapi;
        MessageBoxes boxes;

        c.send(owner.handle(), file);

        EXPECT_EQ(boxes.shown(), c.boxes);
        EXPECT_TRUE(mapi.log().empty());
        EXPECT_NE(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
    }
    EXPECT_TRUE(commands.empty()) << "OK shows no folder";
}

TEST(MailWithoutSimpleMapi, ShowThePictureSelectsTheSavedFileInItsFolder) {
    TemporaryFolder folder;
    OwnerWindow owner;
    const std::string file = folder.createFile("Print Screen.jpg");
    std::vector<std::pair<HWND, win::ShellCommand>> commands;
    win::setShellCommandRunner([&](HWND parent, const win::ShellCommand& command) {
        commands.emplace_back(parent, command);
    });
    const win::ScopeExit restore([] { win::setShellCommandRunner(nullptr); });
    StandInMapi mapi;
    MessageBoxes boxes("Show the picture");

    EmailCapture(owner.handle(), file);

    EXPECT_EQ(boxes.shown(),
              (std::vector<Box>{{"Warning", "Error: Logging on the profile \"\"\rUser Abort"}}))
        << "the same warning, with one more button";
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].first, owner.handle());
    EXPECT_EQ(commands[0].second, (win::ShellCommand{"explorer.exe", "/select,\"" + file + "\""}));
    EXPECT_TRUE(mapi.log().empty());
}

}  // namespace
}  // namespace vps::test
