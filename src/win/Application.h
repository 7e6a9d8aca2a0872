#pragma once

#include <exception>
#include <functional>
#include <string>

#include <windows.h>

namespace win {

class Form;

// The process's one user-interface application: its title, its main form, its message loop and
// the place where every error that ends a handler is shown.
class Application {
public:
    static const std::string& title();
    static void setTitle(std::string title);

    static Form* mainForm();
    static void setMainForm(Form* form);

    static const std::string& helpFile();
    static void setHelpFile(std::string path);

    // Who answers F1 and the title bar's "?" on forms that do not answer it themselves.
    static void setHelpRequestHandler(std::function<void(HWND form, const HELPINFO& request)> handler);
    static void requestHelp(HWND form, const HELPINFO& request);

    // A cursor shown over every window of the program instead of each window's own; nullptr
    // gives every window its own cursor back. Read it first to put it back afterwards.
    static void setCursorOverride(HCURSOR cursor);
    static HCURSOR cursorOverride();

    // Delay before a tool tip appears and how long it stays, in milliseconds.
    static void setHintTiming(int pauseMs, int hidePauseMs);
    static int hintPause();
    static int hintHidePause();

    // Runs the message loop until terminate(); returns the exit code.
    static int run();
    static void terminate();
    static bool terminated();
    // Waits for the next message and handles it; false once the loop has been told to quit.
    static bool handleNextMessage();
    // Handles every message waiting now, then returns (for tests and long operations).
    static void processMessages();

    // The general error handler: shows the error's message and lets the program go on.
    static void showException(const std::exception& error);
    // Replaces how errors are shown (tests record them instead of opening a message box).
    static void setExceptionPresenter(std::function<void(const std::exception&)> presenter);

    // Forgets an earlier terminate() and its pending quit message, so tests can run several
    // lives of the program in one process.
    static void resumeAfterTermination();

    // The full path of the running executable.
    static std::string exePath();
    static std::string exeDirectory();  // with a trailing backslash
};

}  // namespace win
