#pragma once

#include <windows.h>

#include <string>

// Removing the program's own folders and files, and never anything a link among them leads to.
// Any user can make a junction or a symbolic link in their own folders; one inside the program's
// folder must not lead the removal into the folder it points to.
namespace vps {

// What could not be removed, one line each, for the one message at the end.
class RemovalFailures {
public:
    void add(const std::string& what, DWORD code);
    void add(const std::string& what, const std::string& why);
    bool any() const { return !lines_.empty(); }
    const std::string& lines() const { return lines_; }

private:
    std::string lines_;
};

// Removes the file or the folder with everything in it. A link in the folder is removed itself,
// as a file would be, and what it leads to is never entered; a link the system will not remove
// without what it leads to stays, and is reported. What is missing is no failure.
void removeOwn(const std::string& path, RemovalFailures& failures);

}  // namespace vps
