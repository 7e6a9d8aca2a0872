#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace win {

// What the shell is asked to start: a program (or document) and its parameters.
struct ShellCommand {
    std::string file;
    std::string parameters;
    bool operator==(const ShellCommand&) const = default;
};

// Starts `command` with ShellExecute ("open"); raises SystemError when the shell refuses.
void runShellCommand(HWND owner, const ShellCommand& command);

// Replaces what runShellCommand does, so a test sees the exact command instead of a file
// manager opening on its desktop; an empty function restores ShellExecute.
using ShellCommandRunner = std::function<void(HWND owner, const ShellCommand& command)>;
void setShellCommandRunner(ShellCommandRunner runner);

// Opens the file manager on the folder of `path` with that file selected, ready to be dragged
// elsewhere.
void showFileInFolder(HWND owner, const std::string& path);

}  // namespace win
