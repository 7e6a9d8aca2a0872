#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "win/Component.h"

namespace vps {

// The running executable's version strings, read once when created, and a few answers about the
// system, read anew at each request. Its properties can also be reached by name, as the settings
// store reaches those of a control.
class TExeInfo : public win::Component {
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
    // keep what they held, and an entry the resource lacks becomes empty.
    void ReadVersionInfo(const std::string& path);

    // Empty when the system cannot tell it.
    std::string ComputerName() const;
    // Takes effect at the next start of Windows. A name longer than the 15 characters Windows
    // allows is refused whole, never cut: a shortened name is not the one the user asked for.
    void ChangeComputerName(const std::string& name);

    std::string OSName() const;
    // The folders end with a backslash; empty when the system cannot tell them.
    std::string WindowsDir() const;
    std::string SystemDir() const;
    std::string TempDir() const;

    // This component's own version, packed and as text ("1.1.0.0"); nothing changes it.
    static std::uint32_t ComponentVersion();
    static std::string Version();

    const std::string& componentName() const override;
    std::optional<win::PropertyAccess> property(std::string_view name) override;
};

}  // namespace vps
