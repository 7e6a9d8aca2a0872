#pragma once

#include <cstdint>
#include <string>

namespace vps {

// Makes a crash that is not a C++ exception (an access violation in a driver's callback, a stack
// overflow) leave a trace: a minidump and a one-line text report in
// %LOCALAPPDATA%\Vantaro Print Screen\Crashes, of which the last ten are kept, then a message
// that says where they are. Call once, first thing at start.
void installCrashReport();

// Reports a crash whose stack was overwritten up to the frame that holds this watch. Writes that
// run from a buffer on the stack up to its top (a name of 20,000 characters copied into a buffer
// of MAX_PATH, as the system's Save dialog under Wine was seen to do) leave the system no frames
// to unwind: it ends the process before the crash report of installCrashReport is ever asked,
// with no report and no message. This watch looks first, at every exception of the thread that
// made it, and reports the crash once its own mark is overwritten. (Under Wine, writes that run
// on past the top also ruin the stack its system calls use, and no report can be written at all.)
// Make one in WinMain, after installCrashReport and before anything that may crash, and keep it
// for the program's life.
class StackOverrunWatch {
public:
    StackOverrunWatch();
    ~StackOverrunWatch();
    StackOverrunWatch(const StackOverrunWatch&) = delete;
    StackOverrunWatch& operator=(const StackOverrunWatch&) = delete;

    bool overwritten() const;

private:
    volatile std::uint64_t mark_;
    void* handler_ = nullptr;
};

// %LOCALAPPDATA%\Vantaro Print Screen, the folder that holds the crash reports' folder; empty
// when the system cannot tell where the local application data lives.
std::string localProgramDataFolder();

// The test aid /CRASHTEST (an access violation), /CRASHTEST:STACK (a stack overflow) or
// /CRASHTEST:OVERRUN (an access violation after writes past a buffer on the stack up to its top).
void crashOnRequest();

}  // namespace vps
