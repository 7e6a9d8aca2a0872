#include "core/SystemErrorText.h"

namespace vps {

std::string systemErrorMessage(std::uint32_t code, std::string_view systemText) {
    if (code == 0) return "A call to an OS function failed";
    return "System Error.  Code: " + std::to_string(code) + ".\r\n" + tidySystemText(systemText);
}

std::string tidySystemText(std::string_view systemText) {
    while (!systemText.empty() &&
           (static_cast<unsigned char>(systemText.back()) <= ' ' || systemText.back() == '.')) {
        systemText.remove_suffix(1);
    }
    return std::string(systemText);
}

}  // namespace vps
