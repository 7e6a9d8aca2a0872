#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The one place where text is put in the ANSI code page: for mail clients that know only the
// ANSI MAPISendMail (before Windows 8), whose every string is read in that code page.
namespace vps::mail {

// `utf8` in the ANSI code page, or nothing when a character of it has no exact place there
// (a Cyrillic folder on an English system): a path spelled with a stand-in character would
// name another file, or none.
std::optional<std::string> exactAnsi(const std::string& utf8);

// `utf8` in the ANSI code page, characters without a place there as "?". For texts that are
// read, not followed: the subject, the body, the names the user typed.
std::string ansiText(const std::string& utf8);

// A text the mail client wrote in the ANSI code page, in UTF-8.
std::string fromAnsi(const char* ansi);

// How an attachment is named to an ANSI mail client.
struct AnsiAttachment {
    std::string path;
    std::string fileName;
};

// The file's short 8.3 path ("C:\\SNIMKI~1\\shot.jpg"), or nothing when the file cannot be
// found. A volume that keeps no short names answers the long path.
using ShortPathLookup = std::optional<std::string> (*)(const std::string& path);
std::optional<std::string> systemShortPath(const std::string& path);

// Where ansiAttachment asks for short paths: systemShortPath unless a test stands in for a
// volume without short names, which Wine does not have. Answers the one it replaces.
ShortPathLookup useShortPathLookup(ShortPathLookup lookup);

// The attachment as an ANSI client can be handed it: its path, or its short path when the long
// one cannot be spelled in the ANSI code page; its name, or the short path's file part likewise.
// Nothing when neither can be spelled.
std::optional<AnsiAttachment> ansiAttachment(const std::string& path, const std::string& fileName);

}  // namespace vps::mail
