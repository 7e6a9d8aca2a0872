#include "core/StartWithWindows.h"

#include <algorithm>

#include "core/TextUtil.h"

namespace vps::startup {

namespace {

char normalised(char c) {
    if (c == '/') return '\\';
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool samePath(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) { return normalised(x) == normalised(y); });
}

}  // namespace

std::string runValueFor(std::string_view exePath) {
    // Built in place: GCC's -O3 takes the concatenation of temporaries for an overlapping copy.
    std::string value;
    value.reserve(exePath.size() + 2);
    value += '"';
    value += exePath;
    value += '"';
    return value;
}

std::string programOfRunValue(std::string_view value) {
    const std::string text = trimBlanks(value);
    std::string_view rest = text;
    if (rest.starts_with('"')) {
        rest.remove_prefix(1);
        return std::string(rest.substr(0, rest.find('"')));
    }
    // Unquoted, a path may still hold spaces: Windows takes it up to the program's extension.
    std::string lowered(rest);
    std::ranges::transform(lowered, lowered.begin(), normalised);
    const std::size_t extension = lowered.find(".exe");
    if (extension != std::string::npos) return std::string(rest.substr(0, extension + 4));
    return std::string(rest.substr(0, rest.find(' ')));
}

RunEntry classifyRunValue(const std::optional<std::string>& value, std::string_view exePath) {
    if (!value) return RunEntry::Missing;
    return samePath(programOfRunValue(*value), exePath) ? RunEntry::Current : RunEntry::Elsewhere;
}

RunChange changeOnOk(RunEntry found, bool checked) {
    if (!checked) return found == RunEntry::Missing ? RunChange::None : RunChange::Remove;
    return found == RunEntry::Missing ? RunChange::Write : RunChange::None;
}

}  // namespace vps::startup
