#pragma once

#include <functional>
#include <string>

#include "core/SettingsLocation.h"

// Where this run keeps its settings, decided once at the first use of the store.
namespace vps {

// Answers whether the file at `path` could be written by this user, without changing it.
using WriteProbe = std::function<bool(const std::string& path)>;

// Looks at the disk, chooses the file and, on the first use of a per-user file, copies the
// Windows directory's file into it (making its folder). Returns the file's full path. The probe
// is a parameter so a test can play a standard user while running with every right.
ini::SettingsLocation settleSettingsFile(const ini::SettingsFolders& folders,
                                         const WriteProbe& canWrite);

// The system's answer: the file can be opened for writing (or, if missing, created).
bool canWriteFile(const std::string& path);

// The folders this user's settings may live in, as the system reports them now.
ini::SettingsFolders settingsFoldersOfThisUser();

// The full path the profile functions use for this run.
const ini::SettingsLocation& SettingsLocationOfThisRun();

}  // namespace vps
