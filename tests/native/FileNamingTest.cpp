#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/FileNaming.h"
#include "core/TextUtil.h"

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

// A window's title as the program reads it, through the cleaning, to the proposal's base. Long
// titles once overran the Save dialog's own buffers: 250 characters crashed it, 20,000 ended the
// program without a crash report.
TEST(ProposedBaseName, CutsLongTitlesAndFallsBackForTitlesWithNothingLeft) {
    const std::string letters(300, 'a');
    struct Case {
        const char* what;
        std::string title;
        std::string base;
    } cases[] = {
        {"a plain title", "Report: Q1/Q2 (final)", "Report Q1Q2 final"},
        {"no title", "", "Print Screen"},
        {"forbidden characters only", "<>:\"/\\|?*.", "Print Screen"},
        {"letters beyond ASCII", "\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},
        {"symbols and emoji only", "\xE2\x80\x94 \xF0\x9F\x93\xB7 \xE2\x80\x94", "Print Screen"},
        {"a cut that would split a character", std::string(kMaxTitleBytesInName - 1, 'd') + "\xD0\x96",
         std::string(kMaxTitleBytesInName - 1, 'd')},
        {"spaces only once cleaned", " (:) ", "Print Screen"},
        {"exactly the limit", std::string(kMaxTitleBytesInName, 'b'), std::string(kMaxTitleBytesInName, 'b')},
        {"one past the limit", std::string(kMaxTitleBytesInName + 1, 'b'), std::string(kMaxTitleBytesInName, 'b')},
        {"250 characters", letters.substr(0, 250), letters.substr(0, kMaxTitleBytesInName)},
        {"20,000 characters", std::string(20000, 'z'), std::string(kMaxTitleBytesInName, 'z')},
        {"a space where the cut falls", std::string(kMaxTitleBytesInName - 1, 'c') + " tail",
         std::string(kMaxTitleBytesInName - 1, 'c')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ProposedBaseName(cleanWindowTitle(c.title)), c.base);
    }
}

// The cleaning keeps ASCII only today; once titles come as UTF-8 the cut must still fall between
// characters, so the base is cut as UTF-8 whatever reaches it.
TEST(ProposedBaseName, CutsUtf8TitlesOnWholeCharacters) {
    const std::string e = "\xC3\xA9";           // 2 bytes
    const std::string euro = "\xE2\x82\xAC";     // 3 bytes
    const std::string clef = "\xF0\x9D\x84\x9E";  // 4 bytes
    for (const std::string& character : {e, euro, clef}) {
        SCOPED_TRACE(character.size());
        // The cut falls `room` bytes after the x's: inside the character or past it.
        for (std::size_t room = 0; room <= 5; ++room) {
            const std::string title = std::string(kMaxTitleBytesInName - room, 'x') + character + "yz";
            std::string expected(kMaxTitleBytesInName - room, 'x');
            if (room >= character.size()) expected += character + std::string("yz").substr(0, room - character.size());
            EXPECT_EQ(ProposedBaseName(title), expected) << room;
        }
    }
}

// Windows drops trailing spaces and dots from a name; a Save dialog that found no extension in
// "spaces.bmp   " appended its own, and the file was saved as "spaces.bmp   .bmp".
TEST(WithoutTrailingSpacesAndDots, NamesTheFileAsWindowsWould) {
    struct Case {
        const char* chosen;
        const char* written;
    } cases[] = {
        {"C:\\a\\spaces.bmp   .bmp", "C:\\a\\spaces.bmp"},
        {"C:\\a\\spaces.bmp   .jpg", "C:\\a\\spaces.bmp"},
        {"C:\\a\\shot.png  .bmp", "C:\\a\\shot.png"},
        {"C:\\a\\shot   .bmp", "C:\\a\\shot.bmp"},
        {"C:\\a\\shot. . .bmp", "C:\\a\\shot.bmp"},
        {"C:\\a\\shot.bmp   ", "C:\\a\\shot.bmp"},
        {"C:\\a\\shot.", "C:\\a\\shot"},
        {"C:\\a\\shot.bmp. .", "C:\\a\\shot.bmp"},
        {"shot   .bmp", "shot.bmp"},
        // Left as they are: nothing trails, or the dots were the user's own.
        {"C:\\a\\shot.bmp", "C:\\a\\shot.bmp"},
        {"C:\\a\\my shot.bmp", "C:\\a\\my shot.bmp"},
        {"C:\\a\\shot...bmp", "C:\\a\\shot...bmp"},
        {"C:\\a b\\shot.bmp", "C:\\a b\\shot.bmp"},
        {"C:\\a.\\shot.bmp", "C:\\a.\\shot.bmp"},
        {"C:\\a\\.bmp", "C:\\a\\.bmp"},
        // Nothing would be left of the name.
        {"C:\\a\\   .bmp", "C:\\a\\   .bmp"},
        {"C:\\a\\ . ", "C:\\a\\ . "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        EXPECT_EQ(WithoutTrailingSpacesAndDots(c.chosen), c.written);
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
