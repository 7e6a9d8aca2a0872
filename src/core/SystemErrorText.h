#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vps {

// The message shown for a failed operating-system call: its error code and the system's own
// words, or a plain sentence when the platform gave no code at all.
std::string systemErrorMessage(std::uint32_t code, std::string_view systemText);

// The system's text for an error ends with a line break and usually a full stop; both go, so the
// message reads as one sentence inside ours.
std::string tidySystemText(std::string_view systemText);

}  // namespace vps
