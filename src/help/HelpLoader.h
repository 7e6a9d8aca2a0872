#pragma once
// Reading the help file for the viewer: the file, a topic in it, a topic as text blocks.

#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/HelpFile.h"
#include "win/TextView.h"

namespace vps {

// Shared by the windows that show it: the file is read afresh at every request, and a window
// keeps the copy it shows.
using SharedHelp = std::shared_ptr<const help::HelpFile>;

// Why the help cannot be shown, in words for the user.
class HelpUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file at `path`, parsed; HelpUnavailable when it is missing, unreadable or malformed.
SharedHelp loadHelp(const std::string& path);
// Topic `context` of the file; HelpUnavailable when the file has no such topic.
const help::Topic& topicIn(const help::HelpFile& file, ULONG_PTR context, const std::string& path);
// A topic as the text view shows it, with its "See also" links when asked.
std::vector<win::TextBlock> blocksOf(const help::HelpFile& file, const help::Topic& topic,
                                     bool withLinks);

}  // namespace vps
