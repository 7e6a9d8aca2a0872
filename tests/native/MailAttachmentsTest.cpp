#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/MailAttachments.h"

namespace vps {
namespace {

// "f1;f2;...;fN;"
std::string numberedList(int count) {
    std::string list;
    for (int i = 1; i <= count; ++i) list += "C:\\p\\f" + std::to_string(i) + ".jpg;";
    return list;
}

std::vector<MailAttachment> numberedEntries(int count) {
    std::vector<MailAttachment> entries;
    for (int i = 1; i <= count; ++i) {
        const std::string name = "f" + std::to_string(i) + ".jpg";
        entries.push_back({"C:\\p\\" + name, name});
    }
    return entries;
}

TEST(MailAttachments, SplitsSemicolonTerminatedEntries) {
    struct Case {
        std::string list;
        std::vector<MailAttachment> entries;
        bool tooMany;
    } cases[] = {
        {"", {}, false},
        {"no semicolon.jpg", {}, false},
        {"C:\\Pictures\\Print Screen.jpg;",
         {{"C:\\Pictures\\Print Screen.jpg", "Print Screen.jpg"}},
         false},
        {"a.jpg;D:b.jpg;", {{"a.jpg", "a.jpg"}, {"D:b.jpg", "b.jpg"}}, false},
        {"a.jpg;ignored.jpg", {{"a.jpg", "a.jpg"}}, false},
        {"a.jpg;;b.jpg;", {{"a.jpg", "a.jpg"}, {"", ""}, {"b.jpg", "b.jpg"}}, false},
        {";", {{"", ""}}, false},
        {numberedList(10), numberedEntries(10), false},
        {numberedList(10) + "C:\\p\\f11.jpg", numberedEntries(10), false},
        {numberedList(11), numberedEntries(10), true},
        {numberedList(10) + ";", numberedEntries(10), true},
        {numberedList(25), numberedEntries(10), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        const MailAttachmentList split = splitAttachmentList(c.list);
        EXPECT_EQ(split.entries, c.entries);
        EXPECT_EQ(split.tooMany, c.tooMany);
    }
}

TEST(MailAttachments, FileNameIsTheTextAfterTheLastBackslashOrColon) {
    struct Case {
        const char* path;
        const char* fileName;
    } cases[] = {
        {"C:\\a\\b.jpg", "b.jpg"},
        {"D:b.jpg", "b.jpg"},
        {"b.jpg", "b.jpg"},
        {"\\\\server\\share\\Print Screen.jpg", "Print Screen.jpg"},
        {"C:\\a:b\\c:d.jpg", "d.jpg"},
        {"C:\\folder\\", ""},
        {"C:", ""},
        {"", ""},
        // Only the backslash separates folders here; a forward slash is part of the name.
        {"C:\\a/b.jpg", "a/b.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(attachmentFileName(c.path), c.fileName);
    }
}

}  // namespace
}  // namespace vps
