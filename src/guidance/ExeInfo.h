#pragma once

#include <string>

namespace vps {

// The running executable's version strings, read once when created.
class TExeInfo {
public:
    TExeInfo();

    std::string CompanyName;
    std::string FileDescription;
    std::string FileVersion;
    std::string InternalName;
    std::string LegalCopyright;
    std::string LegalTradeMark;
    std::string OriginalFileName;
    std::string ProductName;
    std::string ProductVersion;
    std::string Comments;

    // Reads the strings from the version resource of the file at `path`; without a resource they
    // keep "Updated at run-time", and an entry the resource lacks becomes empty.
    void ReadVersionInfo(const std::string& path);
};

}  // namespace vps
