#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>

#include "win/Error.h"

namespace vps {

// A file that could not be written. Carries the system's error code like any SystemError, and
// its message names the file, so the general error handler's box tells the user which one.
class FileWriteError : public win::SystemError {
public:
    FileWriteError(std::string path, DWORD code);
    const std::string& path() const { return path_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string path_;
    std::string message_;
};

// Writes `contents` as the file `path` without ever leaving a half-written file there: the bytes
// go to a new temporary file in the same folder, which is flushed to the disk and only then
// moved over the target. On any failure the target is as it was before (absent, or the old
// file), the temporary file is removed, and FileWriteError is raised.
void WriteFileSafely(const std::string& path, std::span<const std::uint8_t> contents);

}  // namespace vps
