// Mailing a picture saved in a folder whose name code page 1252 (Wine's default) cannot spell:
// a client with MAPISendMailW gets it as it is spelled; one with only the ANSI MAPISendMail gets
// the short 8.3 path, and when there is none the user is told where the picture is, and nothing
// is sent under a damaged name.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "MapiTestSupport.h"
#include "core/MailAttachments.h"
#include "output/MailAnsiText.h"
#include "output/SendEmail.h"
#include "win/UniqueHandle.h"
#include "win/WideText.h"

namespace vps::test {
namespace {

using Lines = std::vector<std::string>;

// Cyrillic, CJK and an emoji.
constexpr const char* kUnicodeFolder =
    "\u0421\u043d\u0438\u043c\u043a\u0438 \u044d\u043a\u0440\u0430\u043d\u0430 \u8868 \U0001F4F7";

// A folder of the given name inside a TemporaryFolder, made and emptied through the wide calls.
class NamedFolder {
public:
    NamedFolder(const TemporaryFolder& parent, const std::string& name)
        : path_(parent.path() + "\\" + name) {
        CreateDirectoryW(win::wide(path_).c_str(), nullptr);
    }
    ~NamedFolder() {
        for (const std::string& file : files_) DeleteFileW(win::wide(file).c_str());
        RemoveDirectoryW(win::wide(path_).c_str());
    }
    NamedFolder(const NamedFolder&) = delete;
    NamedFolder& operator=(const NamedFolder&) = delete;

    std::string createFile(const std::string& name) {
        const std::string full = path_ + "\\" + name;
        win::FileHandle file(CreateFileW(win::wide(full).c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        EXPECT_TRUE(file) << "cannot create the attachment";
        files_.push_back(full);
        return full;
    }

private:
    std::string path_;
    std::vector<std::string> files_;
};

std::string sendMailW(const std::string& ui, const char* flags) {
    return "MAPISendMailW" +
           logged::sendMail(ui, flags, 0).substr(std::string("MAPISendMail").size());
}

bool isAscii(const std::string& text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

// Stands in for a volume that keeps no short names: the long path comes back as it is.
std::optional<std::string> noShortNames(const std::string& path) {
    return path;
}

class ShortPathLookupOverride {
public:
    explicit ShortPathLookupOverride(mail::ShortPathLookup lookup)
        : previous_(mail::useShortPathLookup(lookup)) {}
    ~ShortPathLookupOverride() { mail::useShortPathLookup(previous_); }
    ShortPathLookupOverride(const ShortPathLookupOverride&) = delete;
    ShortPathLookupOverride& operator=(const ShortPathLookupOverride&) = delete;

private:
    mail::ShortPathLookup previous_;
};

// ---------------------------------------------------------------------------------------------
// A client with MAPISendMailW (run by run-mapi-tests.sh in the state "wide client")

TEST(MailWideClient, AnAttachmentInAFolderOfAnyScriptArrivesAsItIsSpelled) {
    StandInMapi mapi;
    MessageBoxes boxes;
    TemporaryFolder temporary;
    NamedFolder folder(temporary, kUnicodeFolder);
    OwnerWindow owner;
    const std::string name = "\u03a9\u03bc\u03ad\u03b3\u03b1 \u5199\u771f.jpg";
    const std::string file = folder.createFile(name);

    SendMapiMail(owner.handle(), "", "", "", "Title", "(Screen capture on now)", file + ";");

    EXPECT_EQ(mapi.log(),
              (Lines{logged::logon("", "", 0), logged::resolveName("", 14),
                     sendMailW(owner.logged(), "0x9"), logged::message("Title", "0/null", "1/set"),
                     logged::note("(Screen capture on now)"), logged::file(file, name),
                     logged::logoff()}));
    EXPECT_TRUE(boxes.shown().empty());
}

// The recipient comes from the ANSI MAPIResolveName, the only one there is, and goes on in a
// wide record of its own.
TEST(MailWideClient, AResolvedRecipientGoesOnInAWideRecord) {
    StandInMapi mapi;
    MessageBoxes boxes;
    TemporaryFolder temporary;
    OwnerWindow owner;
    const std::string file = temporary.createFile("shot.jpg");

    SendMapiMail(owner.handle(), "Work", "secret", "Ann", "Holiday", "Body text", file + ";");

    EXPECT_EQ(mapi.log(),
              (Lines{logged::logon("Work", "secret", 0), logged::resolveName("Ann", 0),
                     sendMailW(owner.logged(), "0x1"), logged::message("Holiday", "1/set", "1/set"),
                     logged::note("Body text"),
                     " recipient class=1 name=\"Ann\" address=\"SMTP:Ann\" (another record)",
                     logged::file(file, "shot.jpg"), logged::logoff()}));
    EXPECT_TRUE(boxes.shown().empty());
}

// ---------------------------------------------------------------------------------------------
// A client with only the ANSI MAPISendMail (the state "installed")

TEST(MailAnsiClient, APathTheCodePageCannotSpellGoesAsItsShortPath) {
    TemporaryFolder temporary;
    NamedFolder unicode(temporary, kUnicodeFolder);
    NamedFolder latin(temporary, "Caf\u00e9");
    struct Case {
        const char* what;
        std::string file;
        bool shortPath;    // the short path instead of the long one
        std::string name;  // as the client gets it; empty: the short path's file part
    } cases[] = {
        {"Cyrillic, CJK and emoji folder, plain name", unicode.createFile("shot.jpg"), true,
         "shot.jpg"},
        {"and a Greek name as well", unicode.createFile("\u03a9\u03bc\u03ad\u03b3\u03b1.jpg"), true,
         ""},
        // Code page 1252 spells it: the long path, in that code page.
        {"a folder of Latin-1", latin.createFile("\u00e9t\u00e9.jpg"), false, "\xE9t\xE9.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StandInMapi mapi;
        MessageBoxes boxes;
        OwnerWindow owner;

        SendMapiMail(owner.handle(), "", "", "", "Title", "Body", c.file + ";");

        const auto shortPath = mail::systemShortPath(c.file);
        ASSERT_TRUE(shortPath);
        const std::string path =
            c.shortPath ? *shortPath : temporary.path() + "\\Caf\xE9\\\xE9t\xE9.jpg";
        if (c.shortPath) {
            EXPECT_TRUE(isAscii(path)) << path;
            EXPECT_NE(path, c.file);
        }
        const std::string name = c.name.empty() ? attachmentFileName(*shortPath) : c.name;
        EXPECT_EQ(mapi.log(),
                  (Lines{logged::logon("", "", 0), logged::resolveName("", 14),
                         logged::sendMail(owner.logged(), "0x9", 0),
                         logged::message("Title", "0/null", "1/set"), logged::note("Body"),
                         logged::file(path, name), logged::logoff()}));
        EXPECT_TRUE(boxes.shown().empty());
    }
}

TEST(MailAnsiClient, WithoutAShortNameTheUserIsToldWhereThePictureIsAndNothingIsSent) {
    StandInMapi mapi;
    MessageBoxes boxes;
    TemporaryFolder temporary;
    NamedFolder folder(temporary, kUnicodeFolder);
    OwnerWindow owner;
    const std::string file = folder.createFile("shot.jpg");
    const ShortPathLookupOverride volumeWithoutShortNames(noShortNames);

    SendMapiMail(owner.handle(), "", "", "", "Title", "Body", file + ";");

    EXPECT_EQ(mapi.calls(), (Lines{"MAPILogon -> 0", "MAPILogoff -> 0"}));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].caption, "Warning");
    const std::string& text = boxes.shown()[0].text;
    EXPECT_EQ(text.rfind("The picture is saved as \"", 0), 0u) << text;
    EXPECT_NE(text.find("shot.jpg\", but the mail program cannot be given it"), std::string::npos)
        << text;
    EXPECT_NE(text.find("Please attach the file to a message yourself."), std::string::npos)
        << text;
    EXPECT_NE(GetFileAttributesW(win::wide(file).c_str()), INVALID_FILE_ATTRIBUTES)
        << "the picture must be kept";
}

// The one function that spells texts in the code page: exactly, or not at all, for paths.
TEST(MailAnsiText, PathsAreSpelledExactlyOrNotAtAllAndOtherTextsWithQuestionMarks) {
    struct Case {
        std::string utf8;
        std::optional<std::string> exact;
        std::string lossy;
    } cases[] = {
        {"C:\\plain\\shot.jpg", "C:\\plain\\shot.jpg", "C:\\plain\\shot.jpg"},
        {"Caf\u00e9 \u20ac", "Caf\xE9 \x80", "Caf\xE9 \x80"},
        // Best fit would make these "O" and "c": another name, silently.
        {"\u03a9", std::nullopt, "?"},
        {"\u0107", std::nullopt, "?"},
        {"\u0421\u043d \u8868", std::nullopt, "?? ?"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(mail::exactAnsi(c.utf8), c.exact);
        EXPECT_EQ(mail::ansiText(c.utf8), c.lossy);
        if (c.exact) {
            EXPECT_EQ(mail::fromAnsi(c.exact->c_str()), c.utf8);
        }
    }
}

}  // namespace
}  // namespace vps::test
