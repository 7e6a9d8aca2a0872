#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/FileNaming.h"

namespace vps {
namespace {

enum class Kind { File, Folder };

// A folder's entries with their kinds, asked the way the Save dialog's caller asks the disk.
ExistingFileTest filesIn(std::map<std::string, Kind> entries) {
    return [entries = std::move(entries)](const std::string& name) {
        const auto found = entries.find(name);
        return found != entries.end() && found->second == Kind::File;
    };
}

std::map<std::string, Kind> printScreenBmpAndNumbered(int last) {
    std::map<std::string, Kind> entries{{"Print Screen.bmp", Kind::File}};
    for (int n = 1; n <= last; ++n) {
        char name[40];
        std::snprintf(name, sizeof name, "Print Screen%03d.bmp", n);
        entries[name] = Kind::File;
    }
    return entries;
}

TEST(NextFreeFileName, TakesTheFirstFreeNameOfTheSequence) {
    struct Case {
        const char* what;
        std::string base;
        std::string extension;
        std::map<std::string, Kind> entries;
        std::string expected;
    } cases[] = {
        {"empty folder", "Print Screen", ".bmp", {}, "Print Screen.bmp"},
        {"two taken",
         "Print Screen",
         ".bmp",
         {{"Print Screen.bmp", Kind::File}, {"Print Screen001.bmp", Kind::File}},
         "Print Screen002.bmp"},
        {"a gap at the start is used",
         "Print Screen",
         ".bmp",
         {{"Print Screen001.bmp", Kind::File}},
         "Print Screen.bmp"},
        {"a folder of the first name does not count",
         "Print Screen",
         ".bmp",
         {{"Print Screen.bmp", Kind::Folder}},
         "Print Screen.bmp"},
        {"a folder further on does not count either",
         "Print Screen",
         ".bmp",
         {{"Print Screen.bmp", Kind::File}, {"Print Screen001.bmp", Kind::Folder}},
         "Print Screen001.bmp"},
        {"past 999 the counter grows a digit", "Print Screen", ".bmp",
         printScreenBmpAndNumbered(999), "Print Screen1000.bmp"},
        {"98 taken", "Print Screen", ".bmp", printScreenBmpAndNumbered(98), "Print Screen099.bmp"},
        {"empty base", "", ".bmp", {}, ".bmp"},
        {"empty base taken", "", ".bmp", {{".bmp", Kind::File}}, "001.bmp"},
        {"other extension is another name",
         "Print Screen",
         ".jpg",
         {{"Print Screen.bmp", Kind::File}},
         "Print Screen.jpg"},
        {"base with a folder",
         "C:\\Pictures\\Report Q1Q2 final",
         ".jpg",
         {{"C:\\Pictures\\Report Q1Q2 final.jpg", Kind::File}},
         "C:\\Pictures\\Report Q1Q2 final001.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(NextFreeFileName(c.base, c.extension, filesIn(c.entries)), c.expected);
    }
}

TEST(NextFreeFileName, AsksAboutEachCandidateOnceInOrder) {
    std::vector<std::string> asked;
    const std::set<std::string> taken{"a.bmp", "a001.bmp"};
    const auto result = NextFreeFileName("a", ".bmp", [&](const std::string& name) {
        asked.push_back(name);
        return taken.contains(name);
    });
    EXPECT_EQ(result, "a002.bmp");
    EXPECT_EQ(asked, (std::vector<std::string>{"a.bmp", "a001.bmp", "a002.bmp"}));
}

TEST(FolderOf, KeepsTheFolderWithItsTrailingSeparator) {
    struct Case {
        std::string path;
        std::string folder;
    } cases[] = {
        {"C:\\Users\\me\\Pictures\\Print Screen.bmp", "C:\\Users\\me\\Pictures\\"},
        {"C:\\Print Screen.bmp", "C:\\"},
        {"Z:/tmp/out.jpg", "Z:/tmp/"},
        {"\\\\server\\share\\x.bmp", "\\\\server\\share\\"},
        {"C:x.bmp", "C:"},
        {"C:\\Pictures\\", "C:\\Pictures\\"},
        {"x.bmp", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FolderOf(c.path), c.folder);
    }
}

// A remembered folder without its trailing separator once glued the proposal to the folder's
// last part ("C:\\PicturesPrint Screen.jpg", in the folder above).
TEST(InFolder, PutsTheNameInsideTheFolder) {
    struct Case {
        std::string folder;
        std::string path;
    } cases[] = {
        {"C:\\Pictures\\", "C:\\Pictures\\Print Screen"},
        {"C:\\Pictures", "C:\\Pictures\\Print Screen"},
        {"Z:/tmp/", "Z:/tmp/Print Screen"},
        {"C:", "C:Print Screen"},
        {"", "Print Screen"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(InFolder(c.folder, "Print Screen"), c.path);
    }
}

}  // namespace
}  // namespace vps
