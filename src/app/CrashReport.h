#pragma once

#include <string>

namespace vps {

// Makes a crash that is not a C++ exception (an access violation in a driver's callback, a stack
// overflow) leave a trace: a minidump and a one-line text report in
// %LOCALAPPDATA%\Vantaro Print Screen\Crashes, of which the last ten are kept, then a message
// that says where they are. Call once, first thing at start.
void installCrashReport();

// %LOCALAPPDATA%\Vantaro Print Screen, the folder that holds the crash reports' folder; empty
// when the system cannot tell where the local application data lives.
std::string localProgramDataFolder();

// The test aid /CRASHTEST (an access violation) or /CRASHTEST:STACK (a stack overflow).
void crashOnRequest();

}  // namespace vps
