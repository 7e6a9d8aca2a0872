#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace vps {

// Answers whether a file (not a folder) of that name exists.
using ExistingFileTest = std::function<bool(const std::string& name)>;

// The first of base + extension, base + "001" + extension, base + "002" + extension, … that
// is not an existing file. The counter has at least three digits: …, 999, 1000, 1001, …
std::string NextFreeFileName(std::string_view base, std::string_view extension,
                             const ExistingFileTest& isExistingFile);

// The folder part of a path, with its trailing separator ("\", "/" or a drive's ":"); empty
// when the path names no folder.
std::string FolderOf(std::string_view path);

// A name inside a folder. The folder is used as it stands when it already ends in a separator
// (as every folder this program remembers does); one that does not, typed into the settings
// file by hand, gets a "\", so the name lands inside it rather than glued to its last part.
std::string InFolder(std::string_view folder, std::string_view name);

}  // namespace vps
