#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace vps {

// The base of every proposed name but that of a window's title.
inline constexpr std::string_view kDefaultBaseName = "Print Screen";

// At most this many bytes of a window's title go into a proposed name: enough to tell windows
// apart, short enough that the folder, the counter and the extension still fit in a path.
inline constexpr std::size_t kMaxTitleBytesInName = 100;

// Answers whether a file (not a folder) of that name exists.
using ExistingFileTest = std::function<bool(const std::string& name)>;

// The first of base + extension, base + "001" + extension, base + "002" + extension, … that
// is not an existing file. The counter has at least three digits: …, 999, 1000, 1001, …
std::string NextFreeFileName(std::string_view base, std::string_view extension,
                             const ExistingFileTest& isExistingFile);

// The base of the name proposed for a capture of the window in front, from its title as
// cleanWindowTitle left it: cut to kMaxTitleBytesInName on whole characters, without the spaces
// the cut (or the title) leaves at its end. A title with nothing left, empty or of forbidden
// characters only, gives kDefaultBaseName, as the other areas do.
std::string ProposedBaseName(std::string_view cleanedTitle);

// The name Windows makes of a typed one: trailing spaces and dots are dropped from its last part
// ("shot.bmp   " is "shot.bmp", "shot." is "shot"). A Save dialog that found no extension in a
// name with trailing spaces appended its own; that extension then follows the trimmed name
// unless the trimmed name has an extension of its own ("shot   .bmp" is "shot.bmp", but
// "shot.bmp   .bmp" is "shot.bmp" too). A user who types spaces before an extension on purpose
// cannot be told apart from that and loses them as well. A path whose last part would be left
// empty is returned unchanged.
std::string WithoutTrailingSpacesAndDots(std::string_view path);

// The folder part of a path, with its trailing separator ("\", "/" or a drive's ":"); empty
// when the path names no folder.
std::string FolderOf(std::string_view path);

// A name inside a folder. The folder is used as it stands when it already ends in a separator
// (as every folder this program remembers does); one that does not, typed into the settings
// file by hand, gets a "\", so the name lands inside it rather than glued to its last part.
std::string InFolder(std::string_view folder, std::string_view name);

}  // namespace vps
