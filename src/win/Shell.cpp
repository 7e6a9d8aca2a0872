#include "win/Shell.h"

#include <shellapi.h>

#include "win/Error.h"
#include "win/WideText.h"

namespace win {

namespace {

ShellCommandRunner& replacedRunner() {
    static ShellCommandRunner runner;
    return runner;
}

// ShellExecute's answers at or below 32 are its own codes, some of which are not system error
// codes; the ones that are (file or path not found, access denied, ...) keep their meaning.
DWORD errorOfShellAnswer(INT_PTR answer) {
    switch (answer) {
        case 0:
        case SE_ERR_OOM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case SE_ERR_NOASSOC:
        case SE_ERR_ASSOCINCOMPLETE:
            return ERROR_NO_ASSOCIATION;
        case SE_ERR_SHARE:
            return ERROR_SHARING_VIOLATION;
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY:
            return ERROR_DDE_FAIL;
        case SE_ERR_DLLNOTFOUND:
            return ERROR_DLL_NOT_FOUND;
        default:
            return static_cast<DWORD>(answer);
    }
}

}  // namespace

void runShellCommand(HWND owner, const ShellCommand& command) {
    if (replacedRunner()) {
        replacedRunner()(owner, command);
        return;
    }
    const std::wstring parameters = wide(command.parameters);
    const auto answer = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", wide(command.file).c_str(),
                      parameters.empty() ? nullptr : parameters.c_str(), nullptr, SW_SHOWNORMAL));
    if (answer <= 32) throw SystemError(errorOfShellAnswer(answer));
}

void setShellCommandRunner(ShellCommandRunner runner) {
    replacedRunner() = std::move(runner);
}

void showFileInFolder(HWND owner, const std::string& path) {
    // Explorer's own switch; the quotes keep a path with spaces in one piece.
    runShellCommand(owner, {"explorer.exe", "/select,\"" + path + "\""});
}

}  // namespace win
