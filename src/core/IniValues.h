#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vps::ini {

// The value a read returns when a key is missing, chosen so no real setting can look like it.
inline constexpr std::string_view kUndefined = "({[Undefined]})";

// Values are read back at most this long; longer ones are cut.
inline constexpr std::size_t kMaxValueLength = 2047;

// Integer text as the settings file holds it: optional leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X"; nothing may follow
// and the value must fit in 32 bits. Anything else, the empty text included, is no integer.
std::optional<std::int32_t> parseInteger(std::string_view text);

// Integer text as parseInteger takes it, holding a value within low..high (both included). A value
// outside them is as unusable as text that is no integer at all.
std::optional<std::int32_t> parseIntegerWithin(std::string_view text, std::int32_t low,
                                               std::int32_t high);

// The settings file's name: the executable's file name without its folder, its extension (from
// the last ".") replaced by ".INI".
std::string settingsFileNameFor(std::string_view executablePath);

}  // namespace vps::ini
