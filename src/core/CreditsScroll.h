#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Where the credits scroller draws its lines: the frame maths, apart from any drawing surface.
namespace vps::credits {

// The text area lies this far inside the panel's border and bevels.
inline constexpr int kTextMargin = 3;
// A line is drawn with at most this many of its characters (whole characters, not bytes).
inline constexpr std::size_t kMaxDrawnCharacters = 255;

// A line of nothing but blanks (or of nothing at all).
bool isBlankLine(std::string_view line);

// Scrolling starts at this line; lines.size() when every line is blank.
std::size_t firstNonBlankLine(const std::vector<std::string>& lines);

struct Area {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Area&) const = default;
};

// The client rectangle less the border and bevels (`frameWidth` on every side) and the margin;
// never negative in size, so a panel smaller than its margins has an empty text area.
Area textArea(int clientWidth, int clientHeight, int frameWidth);

struct Geometry {
    int areaHeight = 0;  // of the text area
    int lineHeight = 0;
    std::size_t firstLine = 0;
    std::size_t lineCount = 0;
};

// How far the text moves before it starts again: the whole text area plus every line from the
// first non-blank one.
int scrollRange(const Geometry& geometry);

// One timer step: up by a pixel, or back below the text area once the range is reached.
int nextPosition(int position, int range);

// A line of one frame; `index` == lineCount stands for the single blank that follows the text.
struct PlacedLine {
    std::size_t index = 0;
    int top = 0;
    bool operator==(const PlacedLine&) const = default;
};

// The lines that show at scroll position `position`, top first, with their tops in text-area
// coordinates: the first non-blank line starts at the text area's bottom and rises one pixel per
// position; lines wholly above the area are left out, and so is everything from the first line
// whose top is at or below the area's bottom.
std::vector<PlacedLine> visibleLines(const Geometry& geometry, int position);

// The part of a line that is drawn.
std::string_view drawnText(std::string_view line);

}  // namespace vps::credits
