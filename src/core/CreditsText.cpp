#include "core/CreditsText.h"

namespace vps {

std::vector<std::string> designCreditsLines() {
    return {"Vantaro Print Screen", "", "%s", "", "%s", "", "Thank you for choosing Vantaro Software! ",
            ""};
}

std::vector<std::string> formatCredits(const std::vector<std::string>& lines,
                                       std::string_view fileVersion,
                                       std::string_view legalCopyright) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";

    std::string formatted;
    const std::string_view arguments[] = {fileVersion, legalCopyright};
    std::size_t next = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (next < std::size(arguments) && text.compare(i, 2, "%s") == 0) {
            formatted += arguments[next++];
            ++i;
        } else {
            formatted += text[i];
        }
    }

    std::vector<std::string> result;
    std::size_t start = 0;
    for (std::size_t end; (end = formatted.find("\r\n", start)) != std::string::npos;
         start = end + 2) {
        result.push_back(formatted.substr(start, end - start));
    }
    if (start < formatted.size()) result.push_back(formatted.substr(start));
    return result;
}

}  // namespace vps
