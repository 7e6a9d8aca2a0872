#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vps::test {

// Handles the thread's messages for about this long.
void pumpMessagesFor(int milliseconds);

// Once a top-level window of this class and caption appears on this thread (a modal dialog
// waiting in its own loop), runs `answer` on it. Checked from a timer, so it works from inside
// any message loop.
void whenWindowAppears(const char* className, const char* caption, std::function<void(HWND)> answer);

// Finds a child of `dialog` by its caption.
HWND findChildByCaption(HWND dialog, const std::string& caption);

// A top-most window of one colour at a screen rectangle, so a capture has a known picture there.
class ColourWindow {
public:
    ColourWindow(COLORREF colour, const RECT& bounds);
    ColourWindow(const ColourWindow&) = delete;
    ColourWindow& operator=(const ColourWindow&) = delete;
    ~ColourWindow();

private:
    HWND window_ = nullptr;
};

// Records errors that reach the general error handler instead of opening a message box.
class RecordedErrors {
public:
    RecordedErrors();
    ~RecordedErrors();
    const std::vector<std::string>& messages() const { return messages_; }

private:
    std::vector<std::string> messages_;
};

}  // namespace vps::test

namespace vps::test {

// The settings file of the running test program, removed before and after each use so every
// test starts from a fresh installation.
class FreshSettingsFile {
public:
    FreshSettingsFile();
    ~FreshSettingsFile();
    static std::string path();
    static bool exists();
    // The file's text in UTF-8, whether the file is UTF-16 with its mark, as the program writes
    // it, or bytes as an earlier version wrote them.
    static std::string contents();
    static std::string bytes();
    // The bytes of the file as given, as an earlier version or the user's editor left it.
    static void write(const std::string& contents);
};

// Answers every "Warning" box with its only button, remembering each text shown.
class WarningRecorder {
public:
    WarningRecorder();
    ~WarningRecorder();
    const std::vector<std::string>& texts() const { return texts_; }

private:
    static void CALLBACK check(HWND, UINT, UINT_PTR, DWORD);
    std::vector<std::string> texts_;
    UINT_PTR timer_;
};

}  // namespace vps::test
