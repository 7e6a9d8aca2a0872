#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The answers the version-information component gives about the system, apart from the calls
// that fetch them.
namespace vps::sysinfo {

// What GetVersionExA reports.
struct OsVersion {
    std::uint32_t platformId = 0;  // 1: the Windows 9x family, 2: the NT family
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::string servicePack;  // the additional version text, e.g. " A " on 98 Second Edition
};

// The operating system's name for the versions this program knows, up to Windows XP; "Unknown"
// for any other version and when the version could not be read (std::nullopt).
std::string_view osName(const std::optional<OsVersion>& version);

// The component's own version, packed as major, minor, release, build from the high byte down.
inline constexpr std::uint32_t kComponentVersion = 0x01010000;

// "major.minor.release.build" of a packed version.
std::string versionText(std::uint32_t packed);

// A folder as the platform answered it, cut to `keep` characters, with one trailing backslash;
// an answer that is empty, or cut to nothing, stays empty.
std::string folderWithBackslash(std::string_view answer, std::size_t keep);

// The most characters GetComputerNameA and SetComputerNameA take (MAX_COMPUTERNAME_LENGTH).
inline constexpr std::size_t kMaxComputerNameLength = 15;

}  // namespace vps::sysinfo
