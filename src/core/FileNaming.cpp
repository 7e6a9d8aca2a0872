#include "core/FileNaming.h"

#include <cstdio>

#include "core/Utf8.h"

namespace vps {

std::string NextFreeFileName(std::string_view base, std::string_view extension,
                             const ExistingFileTest& isExistingFile) {
    std::string candidate = std::string(base).append(extension);
    for (long long counter = 1; isExistingFile(candidate); ++counter) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, "%3.3lld", counter);
        candidate = std::string(base).append(suffix).append(extension);
    }
    return candidate;
}

namespace {

bool isTrailingJunk(char c) { return c == ' ' || c == '.'; }

std::string_view withoutTrailing(std::string_view text, bool (*drop)(char)) {
    while (!text.empty() && drop(text.back())) text.remove_suffix(1);
    return text;
}

// Where the extension of a file name starts, as the Save dialog finds it: the last dot with no
// space after it; npos without one.
std::size_t extensionStart(std::string_view name) {
    const auto dot = name.find_last_of('.');
    if (dot == std::string_view::npos || name.find(' ', dot) != std::string_view::npos) {
        return std::string_view::npos;
    }
    return dot;
}

}  // namespace

std::string ProposedBaseName(std::string_view cleanedTitle) {
    const std::string_view base = withoutTrailing(
        utf8::cutToBytes(cleanedTitle, kMaxTitleBytesInName), [](char c) { return c == ' '; });
    if (base.find_first_not_of(' ') == std::string_view::npos) return std::string(kDefaultBaseName);
    return std::string(base);
}

std::string WithoutTrailingSpacesAndDots(std::string_view path) {
    const auto separator = path.find_last_of("\\/:");
    const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
    std::string_view name = withoutTrailing(path.substr(nameStart), isTrailingJunk);
    std::string_view appended;
    // A name typed with trailing dots keeps its last dot as its extension, and gets none
    // appended; only trailing spaces hide an extension from the dialog.
    if (const auto dot = extensionStart(name);
        dot != std::string_view::npos && dot > 0 && name[dot - 1] == ' ') {
        const std::string_view typed = withoutTrailing(name.substr(0, dot), isTrailingJunk);
        if (typed.empty()) return std::string(path);
        if (extensionStart(typed) == std::string_view::npos) appended = name.substr(dot);
        name = typed;
    }
    if (name.empty()) return std::string(path);
    return std::string(path.substr(0, nameStart)).append(name).append(appended);
}

std::string FolderOf(std::string_view path) {
    const auto separator = path.find_last_of("\\/:");
    if (separator == std::string_view::npos) return {};
    return std::string(path.substr(0, separator + 1));
}

std::string InFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && std::string_view("\\/:").find(path.back()) == std::string_view::npos) {
        path += '\\';
    }
    return path.append(name);
}

}  // namespace vps
