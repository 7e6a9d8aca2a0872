#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vps::test {

// Tells the stand-in MAPI32.DLL (StandInMapi.cpp) how to answer and reads back what it was asked.
// It starts every test with an empty log and every call succeeding.
class StandInMapi {
public:
    StandInMapi();
    ~StandInMapi();
    StandInMapi(const StandInMapi&) = delete;
    StandInMapi& operator=(const StandInMapi&) = delete;

    enum class Call { Logon, ResolveName, SendMail, Logoff };
    void answer(Call call, ULONG result);

    // Every line the stand-in logged, in order: one per call, and below MAPISendMail one per
    // message field group, recipient and file (indented by one space).
    std::vector<std::string> log() const;
    // One line per call: its name, its flags for MAPISendMail, and its result.
    std::vector<std::string> calls() const;

    // The session handle the stand-in gives out, as it logs it.
    static constexpr const char* kSession = "0x5E55";

private:
    std::string logPath_;
};

// Answers every message box of ours as soon as it shows, remembering what it said: with the
// button of the caption given (OK unless told), or by closing it when it has no such button.
class MessageBoxes {
public:
    struct Box {
        std::string caption;
        std::string text;
        bool operator==(const Box&) const = default;
    };

    explicit MessageBoxes(std::string button = "OK");
    ~MessageBoxes();
    MessageBoxes(const MessageBoxes&) = delete;
    MessageBoxes& operator=(const MessageBoxes&) = delete;

    const std::vector<Box>& shown() const { return shown_; }

private:
    static void CALLBACK check(HWND, UINT, UINT_PTR, DWORD);
    std::string button_;
    std::vector<Box> shown_;
    UINT_PTR timer_;
};

// A folder of its own under the temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }  // without a trailing backslash
    // Creates a small file and answers its full path.
    std::string createFile(const std::string& name) const;

private:
    std::string path_;
};

// A hidden top-level window to own the mail client's window and our message boxes.
class OwnerWindow {
public:
    OwnerWindow();
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    HWND handle() const { return handle_; }
    std::string logged() const;  // the handle as the stand-in logs it

private:
    HWND handle_;
};

// Makes a folder the current directory for a while, so that relative paths lead there.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& path);
    ~CurrentDirectory();
    CurrentDirectory(const CurrentDirectory&) = delete;
    CurrentDirectory& operator=(const CurrentDirectory&) = delete;

private:
    std::string previous_;
};

// The lines the stand-in logs for calls made as SendMapiMail makes them.
namespace logged {
std::string logon(const std::string& profile, const std::string& password, ULONG result);
std::string resolveName(const std::string& name, ULONG result);
std::string sendMail(const std::string& ui, const char* flags, ULONG result);
std::string message(const std::string& subject, const std::string& recipients,
                    const std::string& files);  // counts and pointers: "1/set", "0/null"
std::string note(const std::string& text);
std::string file(const std::string& path, const std::string& name);
std::string logoff();
}  // namespace logged

std::string hexText(ULONG_PTR value);  // as the stand-in logs numbers: "0x1F"

}  // namespace vps::test
