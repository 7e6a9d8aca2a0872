#pragma once

#include <optional>
#include <string>

// The per-user Run value that starts the program when the user signs in. Only this user's part
// of the registry is touched, so nothing asks for elevation.
namespace vps::startup {

// The value's text; std::nullopt when there is none (or the Run key itself is missing).
std::optional<std::string> readRunValue();

// Makes the program at `exePath` start at sign-in. Raises win::SystemError on failure.
void writeRunValue(const std::string& exePath);

// Stops the program starting at sign-in; a value that is already gone is no failure.
void removeRunValue();

}  // namespace vps::startup
