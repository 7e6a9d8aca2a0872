// Removing the program's own folders without reaching through a link in them.
#include "app/FolderRemoval.h"

#include <optional>

#include "core/TextUtil.h"
#include "win/Error.h"
#include "win/UniqueHandle.h"
#include "win/WideText.h"

namespace vps {

namespace {

constexpr const char* kLeadsElsewhere =
    "a link to another place, which this system would not remove without removing what it "
    "leads to; it was left as it is";

bool missing(DWORD code) {
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

// Where the system says an open handle is, in one normalised form ("\\?\C:\...").
std::string finalPath(HANDLE handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(
            handle, path.data(), static_cast<DWORD>(path.size()), FILE_NAME_NORMALIZED);
        if (length == 0) return "";
        if (length < path.size()) {
            path.resize(length);
            return win::narrow(path);
        }
        path.resize(length);  // too small: the answer was the size needed
    }
}

// An entry opened for deletion; with no handle when it is not there (any more).
struct OpenEntry {
    win::FileHandle handle;
    DWORD attributes = 0;

    bool gone() const { return !handle; }
};

// Opens the entry itself, for deletion: with FILE_FLAG_OPEN_REPARSE_POINT Windows opens a link
// as the link, and deleting through that handle removes the link alone. Some systems (Wine
// with a Unix symbolic link) open what the link leads to whatever the flag says, so the handle
// must also be where the entry is, `expected` in the form finalPath gives. Nothing when the
// entry cannot be removed, which is reported.
std::optional<OpenEntry> openOwnEntry(const std::string& path, const std::string& expected,
                                      RemovalFailures& failures) {
    win::FileHandle handle(
        CreateFileW(win::wide(path).c_str(), DELETE | FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle) {
        if (missing(GetLastError())) return OpenEntry{};
        failures.add(path, GetLastError());
        return std::nullopt;
    }
    const std::string where = finalPath(handle.get());
    if (where.empty()) {
        failures.add(path, GetLastError());
        return std::nullopt;
    }
    if (!equalsIgnoringAsciiCase(where, expected)) {
        failures.add(path, kLeadsElsewhere);
        return std::nullopt;
    }
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(handle.get(), FileBasicInfo, &basic, sizeof basic)) {
        failures.add(path, GetLastError());
        return std::nullopt;
    }
    return OpenEntry{std::move(handle), basic.FileAttributes};
}

bool deleteEntry(OpenEntry& entry, const std::string& path, RemovalFailures& failures) {
    // A read-only mark would refuse the delete; cleared through the handle, so it is the
    // entry's own mark and not that of what a link leads to.
    if (entry.attributes & FILE_ATTRIBUTE_READONLY) {
        FILE_BASIC_INFO basic{};  // times of 0 stay as they are
        basic.FileAttributes = entry.attributes & ~FILE_ATTRIBUTE_READONLY;
        if (basic.FileAttributes == 0) basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        SetFileInformationByHandle(entry.handle.get(), FileBasicInfo, &basic, sizeof basic);
    }
    FILE_DISPOSITION_INFO disposition{TRUE};
    if (!SetFileInformationByHandle(entry.handle.get(), FileDispositionInfo, &disposition,
                                    sizeof disposition)) {
        failures.add(path, GetLastError());
        return false;
    }
    // The entry goes when its last handle closes.
    return true;
}

bool removeEntry(const std::string& path, const std::string& expected, RemovalFailures& failures);

// True when the folder's contents are all gone.
bool removeContents(const std::string& folder, const std::string& expected,
                    RemovalFailures& failures) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(win::wide(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        if (missing(GetLastError())) return true;
        failures.add(folder, GetLastError());
        return false;
    }
    bool allGone = true;
    do {
        const std::string name = win::narrow(found.cFileName);
        if (name == "." || name == "..") continue;
        if (!removeEntry(folder + "\\" + name, expected + "\\" + name, failures)) allGone = false;
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return allGone;
}

// True when the entry is gone (or was never there).
bool removeEntry(const std::string& path, const std::string& expected, RemovalFailures& failures) {
    std::optional<OpenEntry> entry = openOwnEntry(path, expected, failures);
    if (!entry) return false;
    if (entry->gone()) return true;
    const DWORD attributes = entry->attributes;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        // The listing opens the folder again and fails while a handle that may delete it is
        // open, as it shares no deletion.
        entry.reset();
        // What could not go was reported; the folder that still holds it needs no line of its own.
        if (!removeContents(path, expected, failures)) return false;
        entry = openOwnEntry(path, expected, failures);
        if (!entry) return false;
        if (entry->gone()) return true;
    }
    return deleteEntry(*entry, path, failures);
}

// Where the system puts the entry at `path`, in finalPath's form.
std::optional<std::string> expectedPlace(const std::string& path, RemovalFailures& failures) {
    const std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) return std::nullopt;
    const std::string parent = path.substr(0, slash);
    // The parent is the system's folder (the roaming profile, the Windows directory): it may
    // lie behind a link of the user's or the administrator's, and is followed.
    const win::FileHandle handle(CreateFileW(win::wide(parent).c_str(), FILE_READ_ATTRIBUTES,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                             nullptr));
    if (!handle) {
        if (!missing(GetLastError())) failures.add(parent, GetLastError());
        return std::nullopt;
    }
    const std::string where = finalPath(handle.get());
    if (where.empty()) {
        failures.add(parent, GetLastError());
        return std::nullopt;
    }
    return where + path.substr(slash);
}

}  // namespace

void RemovalFailures::add(const std::string& what, DWORD code) {
    add(what, win::systemText(code));
}

void RemovalFailures::add(const std::string& what, const std::string& why) {
    lines_ += "\r\n" + what + ": " + why;
}

void removeOwn(const std::string& path, RemovalFailures& failures) {
    if (const std::optional<std::string> expected = expectedPlace(path, failures)) {
        removeEntry(path, *expected, failures);
    }
}

}  // namespace vps
