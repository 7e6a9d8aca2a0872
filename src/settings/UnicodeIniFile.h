// Keeps the settings file in the one form in which the profile functions keep every character.
#pragma once

#include <string>
#include <string_view>

// The wide profile functions keep any character only in a file that starts with the UTF-16LE
// byte-order mark; into a file without it they write in the ANSI code page, and a Cyrillic
// value written on an English system comes back as question marks. Earlier versions wrote the
// file in the code page, and read the marked file still (their ANSI calls get each value in
// the code page).
namespace vps::ini {

// The text a settings file without the mark holds: after the UTF-8 mark (EF BB BF) as UTF-8,
// else in the ANSI code page, as the earlier versions wrote it.
std::wstring decodeUnmarkedFile(std::string_view bytes);

// Makes the file at `path` start with the mark before the program writes to it: a missing file
// is created holding just the mark; a file without it is rewritten once as UTF-16LE, through a
// temporary file beside it that then takes its place, so the old file stays as it was should
// anything fail. False only when a missing file could not be created (its folder is missing,
// say); a file that could not be converted is left as it is and written as before.
bool prepareUnicodeFile(const std::wstring& path);

// The temporary file the conversion writes before it replaces the old one.
std::wstring conversionFileFor(const std::wstring& path);

}  // namespace vps::ini
