#include "core/FileNaming.h"

#include <cstdio>

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
