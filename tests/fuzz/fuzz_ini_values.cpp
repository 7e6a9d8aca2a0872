// The settings file is edited by hand: any text under a key must either read as one 32-bit
// integer that writes back as the same number, or as none; a ranged read never leaves its range.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/IniValues.h"
#include "core/PrintedPage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    const auto value = vps::ini::parseInteger(text);
    if (value) {
        // The program writes integers in decimal; what it writes must read back unchanged.
        FUZZ_CHECK(vps::ini::parseInteger(std::to_string(*value)) == value);
        FUZZ_CHECK(!text.empty());
    }
    const auto size_ = vps::ini::parseIntegerWithin(text, vps::page::kSmallestFontSize,
                                                    vps::page::kLargestFontSize);
    FUZZ_CHECK(!size_ ||
               (*size_ >= vps::page::kSmallestFontSize && *size_ <= vps::page::kLargestFontSize));
    FUZZ_CHECK(size_.has_value() == (value && *value >= vps::page::kSmallestFontSize &&
                                     *value <= vps::page::kLargestFontSize));

    // The same bytes as the executable's path: the settings file is a bare name in the Windows
    // folder, whatever the path held.
    const std::string name = vps::ini::settingsFileNameFor(text);
    FUZZ_CHECK(name.size() >= 4 && name.ends_with(".INI"));
    FUZZ_CHECK(name.find_first_of("\\:") == std::string::npos);
    return 0;
}
