#include "app/Uninstall.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/CrashReport.h"
#include "app/uPrintScreen.h"
#include "settings/RunAtSignIn.h"
#include "settings/SettingsFile.h"
#include "win/Error.h"
#include "win/MessageDialog.h"
#include "win/UniqueHandle.h"

namespace vps {

namespace {

constexpr const char* kQuestion =
    "Remove Vantaro Print Screen from this computer?\r\n\r\n"
    "This ends the running copy and removes its start when you sign in, its settings and its "
    "crash reports. Afterwards, delete the folder that holds VantaroPrintScreen.exe.";

// Long enough for the resident copy to save its last settings and end, even on a slow machine.
constexpr DWORD kResidentEndTimeoutMs = 15000;

bool missing(DWORD code) { return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND; }

// What could not be removed, one line each, for the one message at the end.
class Failures {
public:
    void add(const std::string& what, DWORD code) {
        lines_ += "\r\n" + what + ": " + win::systemText(code);
    }
    bool any() const { return !lines_.empty(); }
    const std::string& lines() const { return lines_; }

private:
    std::string lines_;
};

void removeFile(const std::string& path, Failures& failures) {
    // A read-only mark would refuse the delete.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!DeleteFileA(path.c_str()) && !missing(GetLastError())) failures.add(path, GetLastError());
}

// The folder is the program's own (named after it), so all that is in it goes with it.
void removeFolderTree(const std::string& folder, Failures& failures) {
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        if (!missing(GetLastError())) failures.add(folder, GetLastError());
        return;
    }
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            removeFolderTree(path, failures);
        } else {
            removeFile(path, failures);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    if (!RemoveDirectoryA(folder.c_str()) && !missing(GetLastError())) {
        failures.add(folder, GetLastError());
    }
}

// Asked to end without its own question, the resident copy saves its settings as it goes; they
// are removed only once it is gone, or it would write them back.
void endResidentCopy(Failures& failures) {
    HWND resident = FindWindowA("TfmKestrelPrintScreen", nullptr);
    if (!resident) return;
    DWORD processId = 0;
    GetWindowThreadProcessId(resident, &processId);
    const win::Handle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    PostMessageA(resident, WM_SHUTDOWN_NOW, 0, 0);
    if (!process || WaitForSingleObject(process.get(), kResidentEndTimeoutMs) != WAIT_OBJECT_0) {
        failures.add("The running copy of Vantaro Print Screen", ERROR_TIMEOUT);
    }
}

bool confirmed() {
    return win::showMessageDialog(nullptr, {.text = kQuestion,
                                            .caption = "Vantaro Print Screen",
                                            .kind = win::DialogKind::Confirmation,
                                            .buttons = {{"&Yes", IDYES}, {"&No", IDNO}},
                                            .defaultResult = IDNO,
                                            .cancelResult = IDNO}) == IDYES;
}

}  // namespace

int uninstall() {
    if (!confirmed()) return 0;
    Failures failures;
    endResidentCopy(failures);
    try {
        startup::removeRunValue();
    } catch (const win::SystemError& error) {
        failures.add("The start when you sign in", error.code());
    }
    const ini::SettingsFolders folders = settingsFoldersOfThisUser();
    if (!folders.appData.empty()) {
        removeFolderTree(ini::joinPath(folders.appData, ini::kPerUserFolderName), failures);
    }
    if (const std::string local = localProgramDataFolder(); !local.empty()) {
        removeFolderTree(local, failures);
    }
    // A standard user cannot write there, and then the file is not theirs to take away.
    const std::string windowsFile = ini::joinPath(folders.windowsDirectory, folders.fileName);
    if (canWriteFile(windowsFile)) removeFile(windowsFile, failures);

    if (!failures.any()) return 0;
    win::showMessageDialog(nullptr, {.text = "Some of Vantaro Print Screen could not be removed:" +
                                             failures.lines(),
                                     .caption = "Vantaro Print Screen",
                                     .kind = win::DialogKind::Error,
                                     .buttons = {{"OK", IDOK}},
                                     .defaultResult = IDOK,
                                     .cancelResult = IDOK});
    return 1;
}

}  // namespace vps
