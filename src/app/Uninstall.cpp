#include "app/Uninstall.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/CrashReport.h"
#include "app/FolderRemoval.h"
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

// Asked to end without its own question, the resident copy saves its settings as it goes; they
// are removed only once it is gone, or it would write them back.
void endResidentCopy(RemovalFailures& failures) {
    HWND resident = FindWindowW(L"TfmKestrelPrintScreen", nullptr);
    if (!resident) return;
    DWORD processId = 0;
    GetWindowThreadProcessId(resident, &processId);
    const win::Handle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    PostMessageW(resident, WM_SHUTDOWN_NOW, 0, 0);
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
    RemovalFailures failures;
    endResidentCopy(failures);
    try {
        startup::removeRunValue();
    } catch (const win::SystemError& error) {
        failures.add("The start when you sign in", error.code());
    }
    const ini::SettingsFolders folders = settingsFoldersOfThisUser();
    if (!folders.appData.empty()) {
        removeOwn(ini::joinPath(folders.appData, ini::kPerUserFolderName), failures);
    }
    if (const std::string local = localProgramDataFolder(); !local.empty()) {
        removeOwn(local, failures);
    }
    // A standard user cannot write there, and then the file is not theirs to take away.
    const std::string windowsFile = ini::joinPath(folders.windowsDirectory, folders.fileName);
    if (canWriteFile(windowsFile)) removeOwn(windowsFile, failures);

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
