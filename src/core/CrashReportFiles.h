#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vps::crash {

// A local moment as the system clock gives it.
struct Moment {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;
};

// The name both files of one report share, "crash-YYYYMMDD-HHMMSS-mmm-PID": fixed-width time
// first, so names sort in the order the crashes happened; the process id keeps two processes
// that crash in the same millisecond apart.
std::string reportStem(const Moment& when, std::uint32_t processId);

inline constexpr std::string_view kDumpExtension = ".dmp";
inline constexpr std::string_view kTextExtension = ".txt";

// The files to delete from the reports folder so that only the `keep` newest reports stay.
// Both files of a report go together; anything not named like a report is never touched.
std::vector<std::string> reportsToRemove(const std::vector<std::string>& namesInFolder,
                                         std::size_t keep);

inline constexpr std::size_t kReportsKept = 10;

// What crashed, for the one-line text report.
struct Fault {
    std::uint32_t code = 0;
    std::uint64_t address = 0;
    std::string module;        // file name of the module holding the address; empty when unknown
    std::uint64_t offset = 0;  // address less the module's base
};

// "Vantaro Print Screen 1.0.0.0, 2026-12-10 13:18:05: exception 0xC0000005 at 0x401234 in
// VantaroPrintScreen.exe+0x1234"
std::string reportLine(std::string_view version, const Moment& when, const Fault& fault);

}  // namespace vps::crash
