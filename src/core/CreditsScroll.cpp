#include "core/CreditsScroll.h"

#include <algorithm>

#include "core/Utf8.h"

namespace vps::credits {

bool isBlankLine(std::string_view line) {
    return line.find_first_not_of(' ') == std::string_view::npos;
}

std::size_t firstNonBlankLine(const std::vector<std::string>& lines) {
    const auto found =
        std::ranges::find_if(lines, [](const std::string& l) { return !isBlankLine(l); });
    return static_cast<std::size_t>(found - lines.begin());
}

Area textArea(int clientWidth, int clientHeight, int frameWidth) {
    const int inset = frameWidth + kTextMargin;
    return {inset, inset, std::max(clientWidth - 2 * inset, 0),
            std::max(clientHeight - 2 * inset, 0)};
}

int scrollRange(const Geometry& g) {
    const std::size_t scrolled = g.lineCount > g.firstLine ? g.lineCount - g.firstLine : 0;
    return g.areaHeight + static_cast<int>(scrolled) * g.lineHeight;
}

int nextPosition(int position, int range) {
    return position < range ? position + 1 : 0;
}

std::vector<PlacedLine> visibleLines(const Geometry& g, int position) {
    std::vector<PlacedLine> shown;
    int top = g.areaHeight - position;
    // Up to and including lineCount: the closing blank line.
    for (std::size_t i = g.firstLine; i <= g.lineCount; ++i, top += g.lineHeight) {
        if (top >= g.areaHeight) break;
        if (top + g.lineHeight <= 0) continue;
        shown.push_back({i, top});
    }
    return shown;
}

std::string_view drawnText(std::string_view line) {
    return utf8::cutToCharacters(line, kMaxDrawnCharacters);
}

}  // namespace vps::credits
