#include "output/SafeFileWriter.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "core/SystemErrorText.h"
#include "win/UniqueHandle.h"
#include "win/WideText.h"

namespace vps {

FileWriteError::FileWriteError(std::string path, DWORD code)
    : win::SystemError(code),
      path_(std::move(path)),
      message_("The file \"" + path_ + "\" could not be written.\r\n" + win::SystemError::what()) {}

namespace {

// Removes the temporary file unless it was moved into place.
class TemporaryFile {
public:
    explicit TemporaryFile(std::wstring path) : path_(std::move(path)) {}
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }
    const std::wstring& path() const { return path_; }
    void release() { path_.clear(); }

private:
    std::wstring path_;
};

// Takes the error code before anything else can change it.
[[noreturn]] void raiseFileError(const std::string& path) {
    const DWORD code = GetLastError();
    throw FileWriteError(path, code);
}

std::wstring fullPathOf(const std::string& path) {
    const std::wstring name = win::wide(path);
    const DWORD size = GetFullPathNameW(name.c_str(), 0, nullptr, nullptr);
    if (size == 0) raiseFileError(path);
    std::vector<wchar_t> full(size);
    const DWORD length = GetFullPathNameW(name.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) raiseFileError(path);
    return std::wstring(full.data(), length);
}

}  // namespace

void WriteFileSafely(const std::string& path, std::span<const std::uint8_t> contents) {
    const std::wstring target = fullPathOf(path);
    // Windows' MoveFileEx refuses to replace a read-only file but Wine's replaces it; asking
    // first keeps a file the user protected safe on both.
    const DWORD existing = GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES && (existing & FILE_ATTRIBUTE_READONLY)) {
        throw FileWriteError(path, ERROR_ACCESS_DENIED);
    }
    const auto separator = target.find_last_of(L'\\');
    if (separator == std::wstring::npos) throw FileWriteError(path, ERROR_INVALID_NAME);
    // In the target's own folder, so the final move is a rename on one volume and cannot leave
    // a partly copied file behind.
    const std::wstring folder = target.substr(0, separator + 1);
    // A folder that went away after the Save dialog closed would otherwise be reported by
    // GetTempFileName as an invalid directory name, which reads as if the user mistyped it.
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
            throw FileWriteError(path, ERROR_PATH_NOT_FOUND);
        }
        throw FileWriteError(path, code);
    }
    // https://learn.microsoft.com/windows/win32/api/fileapi/nf-fileapi-gettempfilenamew: the
    // folder, the prefix and the number must fit in MAX_PATH. Wine does not refuse a longer
    // folder: it makes the file through a buffer of MAX_PATH it overruns, and hands back a name
    // cut short, so the temporary file could be neither used nor removed.
    if (folder.size() > MAX_PATH - 14) throw FileWriteError(path, ERROR_FILENAME_EXCED_RANGE);
    wchar_t temporaryName[MAX_PATH] = {};
    if (!GetTempFileNameW(folder.c_str(), L"vps", 0, temporaryName)) raiseFileError(path);
    // Declared before the handle, so the handle is closed before the file is removed.
    TemporaryFile temporary(temporaryName);

    win::FileHandle file(CreateFileW(temporary.path().c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) raiseFileError(path);
    std::size_t written = 0;
    while (written < contents.size()) {
        const auto chunk = static_cast<DWORD>(
            std::min<std::size_t>(contents.size() - written, std::size_t{1} << 30));
        DWORD done = 0;
        if (!WriteFile(file.get(), contents.data() + written, chunk, &done, nullptr) || done == 0) {
            raiseFileError(path);
        }
        written += done;
    }
    if (!FlushFileBuffers(file.get()) || !file.close()) raiseFileError(path);

    // https://learn.microsoft.com/windows/win32/api/winbase/nf-winbase-movefileexw: with
    // MOVEFILE_WRITE_THROUGH it returns only once the move is on the disk.
    if (!MoveFileExW(temporary.path().c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        raiseFileError(path);
    }
    temporary.release();
}

}  // namespace vps
