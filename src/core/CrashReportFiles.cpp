#include "core/CrashReportFiles.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>

namespace vps::crash {

namespace {

constexpr std::string_view kPrefix = "crash-";
// "YYYYMMDD-HHMMSS-mmm-" after the prefix.
constexpr std::string_view kTimeShape = "########-######-###-";

bool digits(std::string_view text) {
    return !text.empty() && std::ranges::all_of(text, [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

bool endsWithIgnoringCase(std::string_view text, std::string_view tail) {
    if (text.size() < tail.size()) return false;
    return std::ranges::equal(text.substr(text.size() - tail.size()), tail, [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) ==
               std::tolower(static_cast<unsigned char>(b));
    });
}

// The stem of a report's file, or empty when the name is not one this program writes.
std::string_view stemOf(std::string_view name) {
    if (!endsWithIgnoringCase(name, kDumpExtension) &&
        !endsWithIgnoringCase(name, kTextExtension)) {
        return {};
    }
    const std::string_view stem = name.substr(0, name.size() - kDumpExtension.size());
    if (!stem.starts_with(kPrefix) || stem.size() <= kPrefix.size() + kTimeShape.size()) return {};
    const std::string_view time = stem.substr(kPrefix.size(), kTimeShape.size());
    for (std::size_t i = 0; i < kTimeShape.size(); ++i) {
        const bool wanted = kTimeShape[i] == '#'
                                ? std::isdigit(static_cast<unsigned char>(time[i])) != 0
                                : time[i] == kTimeShape[i];
        if (!wanted) return {};
    }
    if (!digits(stem.substr(kPrefix.size() + kTimeShape.size()))) return {};
    return stem;
}

}  // namespace

std::string reportStem(const Moment& when, std::uint32_t processId) {
    char text[64];
    std::snprintf(text, sizeof text, "crash-%04d%02d%02d-%02d%02d%02d-%03d-%lu", when.year,
                  when.month, when.day, when.hour, when.minute, when.second, when.milliseconds,
                  static_cast<unsigned long>(processId));
    return text;
}

std::vector<std::string> reportsToRemove(const std::vector<std::string>& namesInFolder,
                                         std::size_t keep) {
    // Stems in time order (the process id only breaks ties), each with its files.
    std::map<std::string, std::vector<std::string>> reports;
    for (const std::string& name : namesInFolder) {
        const std::string_view stem = stemOf(name);
        if (!stem.empty()) reports[std::string(stem)].push_back(name);
    }
    std::vector<std::string> removed;
    std::size_t excess = reports.size() > keep ? reports.size() - keep : 0;
    for (auto it = reports.begin(); excess > 0; ++it, --excess) {
        removed.insert(removed.end(), it->second.begin(), it->second.end());
    }
    return removed;
}

std::string reportLine(std::string_view version, const Moment& when, const Fault& fault) {
    char head[96];
    std::snprintf(head, sizeof head, ", %04d-%02d-%02d %02d:%02d:%02d: exception 0x%08lX at 0x%llX",
                  when.year, when.month, when.day, when.hour, when.minute, when.second,
                  static_cast<unsigned long>(fault.code),
                  static_cast<unsigned long long>(fault.address));
    std::string line = "Vantaro Print Screen " + std::string(version) + head;
    if (fault.module.empty()) {
        line += " in an unknown module";
    } else {
        char offset[32];
        std::snprintf(offset, sizeof offset, "+0x%llX",
                      static_cast<unsigned long long>(fault.offset));
        line += " in " + fault.module + offset;
    }
    return line;
}

}  // namespace vps::crash
