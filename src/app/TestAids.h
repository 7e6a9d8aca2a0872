#pragma once

#include <string_view>

namespace vps::testaids {

// Command-line switches that make a rare failure happen on purpose, so the end-to-end tests can
// follow the program down paths a user meets only on a bad day. Each is documented in the README
// as a test aid; none changes anything unless given.

// Crashes at start with an access violation (or, with ":STACK", a stack overflow; with
// ":OVERRUN", an access violation once a buffer on the stack was overrun up to the stack's top)
// once the crash report is in place.
inline constexpr std::string_view kCrash = "/CRASHTEST";
inline constexpr std::string_view kCrashByStackOverflow = "/CRASHTEST:STACK";
inline constexpr std::string_view kCrashByStackOverrun = "/CRASHTEST:OVERRUN";
// Fails while the four long-lived windows are being built.
inline constexpr std::string_view kStartFailure = "/STARTFAILTEST";
// Takes two seconds longer over the start-up work between the single-instance check and the main
// window, as a start on a busy machine may: starts close together then overlap for certain.
inline constexpr std::string_view kSlowStart = "/SLOWSTARTTEST";
// Every screen capture fails, after the window was already sized for showing.
inline constexpr std::string_view kCaptureFailure = "/CAPTUREFAILTEST";

// True when one of the program's arguments is the switch, in any letter case.
bool requested(std::string_view option);

// Raise the failure the switch asks for; nothing happens without it.
void failStartUpOnRequest();
void failCaptureOnRequest();
// Waits as the switch asks; nothing happens without it.
void slowStartUpOnRequest();

}  // namespace vps::testaids
