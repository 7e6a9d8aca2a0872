#include "core/SystemInfo.h"

#include "core/Utf8.h"

namespace vps::sysinfo {

namespace {
constexpr std::uint32_t kWindows9x = 1;
constexpr std::uint32_t kWindowsNT = 2;
}  // namespace

std::string_view osName(const std::optional<OsVersion>& version) {
    if (!version) return "Unknown";
    const auto& [platform, major, minor, servicePack] = *version;
    if (platform == kWindows9x && major == 4) {
        switch (minor) {
            case 0:
                return "Windows 95";
            // Second Edition reports " A " as its additional version text.
            case 10:
                return servicePack.size() >= 2 && servicePack[1] == 'A' ? "Windows 98 SE"
                                                                        : "Windows 98";
            case 90:
                return "Windows ME";
            default:
                break;
        }
    }
    if (platform == kWindowsNT) {
        if (major <= 4) return "Windows NT";
        if (major == 5 && minor == 0) return "Windows 2000";
        if (major == 5 && minor == 1) return "Windows XP";
    }
    return "Unknown";
}

std::string versionText(std::uint32_t packed) {
    return std::to_string(packed >> 24) + "." + std::to_string((packed >> 16) & 0xFF) + "." +
           std::to_string((packed >> 8) & 0xFF) + "." + std::to_string(packed & 0xFF);
}

std::string folderWithBackslash(std::string_view answer, std::size_t keep) {
    std::string folder(utf8::cutToCharacters(answer, keep));
    if (folder.empty()) return {};
    // A drive's root ("C:\") already ends in one.
    if (folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace vps::sysinfo
