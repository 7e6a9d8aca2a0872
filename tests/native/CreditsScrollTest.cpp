#include <gtest/gtest.h>

#include <algorithm>

#include "core/CreditsScroll.h"
#include "core/CreditsText.h"

namespace vps::credits {
namespace {

// The About box's scroller: 372 x 209 without border or bevels.
constexpr int kAboutWidth = 372;
constexpr int kAboutHeight = 209;

std::vector<std::string> mainWindowCredits() {
    return formatCredits(designCreditsLines(), "2.0.0.1", "C");
}

Geometry geometryFor(const std::vector<std::string>& lines, int areaHeight, int lineHeight) {
    return {areaHeight, lineHeight, firstNonBlankLine(lines), lines.size()};
}

// The scroll position after `steps` timer steps from activation.
int positionAfter(int steps, int range) {
    int p = 0;
    for (int i = 0; i < steps; ++i) p = nextPosition(p, range);
    return p;
}

bool showsText(const std::vector<std::string>& lines, const std::vector<PlacedLine>& frame) {
    return std::ranges::any_of(frame, [&](const PlacedLine& l) {
        return l.index < lines.size() && !isBlankLine(lines[l.index]);
    });
}

TEST(CreditsScroll, TextAreaLiesThreePixelsInsideTheFrame) {
    EXPECT_EQ(textArea(kAboutWidth, kAboutHeight, 0), (Area{3, 3, 366, 203}));
    EXPECT_EQ(textArea(269, 169, 0), (Area{3, 3, 263, 163}));
    EXPECT_EQ(textArea(100, 50, 2), (Area{5, 5, 90, 40}));
    EXPECT_EQ(textArea(4, 5, 0), (Area{3, 3, 0, 0}));
}

TEST(CreditsScroll, AboutBoxPassOfTheMainWindowCredits) {
    const auto lines = mainWindowCredits();
    ASSERT_EQ(lines.size(), 8u);
    const int areaHeight = textArea(kAboutWidth, kAboutHeight, 0).height;
    for (int lineHeight : {14, 15, 16, 17, 20}) {
        SCOPED_TRACE(testing::Message() << "line height " << lineHeight);
        const Geometry g = geometryFor(lines, areaHeight, lineHeight);
        const int range = scrollRange(g);
        EXPECT_EQ(range, 203 + 8 * lineHeight);

        // Activation shows nothing yet; the first step brings the first line in at the bottom.
        EXPECT_TRUE(visibleLines(g, positionAfter(0, range)).empty());
        const auto first = visibleLines(g, positionAfter(1, range));
        ASSERT_EQ(first.size(), 1u);
        EXPECT_EQ(first[0], (PlacedLine{0, areaHeight - 1}));

        // The thank-you line (index 6) is the last to leave, at the top edge.
        const int thanksGone = areaHeight + 7 * lineHeight;
        EXPECT_TRUE(showsText(lines, visibleLines(g, positionAfter(thanksGone - 1, range))));
        EXPECT_FALSE(showsText(lines, visibleLines(g, positionAfter(thanksGone, range))));

        // After the full pass the text starts again from below, and every pass is the same.
        EXPECT_EQ(positionAfter(range, range), range);
        EXPECT_EQ(positionAfter(range + 1, range), 0);
        EXPECT_EQ(visibleLines(g, positionAfter(range + 2, range)), first);
        for (int step = 0; step < range + 1; step += 7) {
            EXPECT_EQ(visibleLines(g, positionAfter(step, range)),
                      visibleLines(g, positionAfter(step + range + 1, range)));
        }
    }
}

TEST(CreditsScroll, LinesKeepTheirOrderOneLineHeightApart) {
    const auto lines = mainWindowCredits();
    const Geometry g = geometryFor(lines, 203, 16);
    for (int p = 0; p <= scrollRange(g); ++p) {
        const auto frame = visibleLines(g, p);
        for (std::size_t i = 0; i < frame.size(); ++i) {
            EXPECT_EQ(frame[i].top, 203 - p + static_cast<int>(frame[i].index) * 16);
            EXPECT_LT(frame[i].top, 203);
            EXPECT_GT(frame[i].top + 16, 0);
            if (i > 0) {
                EXPECT_EQ(frame[i].index, frame[i - 1].index + 1);
            }
        }
    }
}

TEST(CreditsScroll, LeadingBlankLinesAreSkipped) {
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::size_t first;
    } cases[] = {
        {"no blank lines", {"A", "B"}, 0},
        {"empty and blank lines first", {"", "   ", "Hello", "", "World"}, 2},
        {"a tab is not a blank", {"\t", "x"}, 0},
        {"all blank", {"", " ", "  "}, 3},
        {"no lines", {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(firstNonBlankLine(c.lines), c.first);
        const Geometry g = geometryFor(c.lines, 100, 15);
        const int range = scrollRange(g);
        EXPECT_EQ(range, 100 + static_cast<int>(c.lines.size() - c.first) * 15);
        const auto frame = visibleLines(g, positionAfter(1, range));
        ASSERT_EQ(frame.size(), 1u);
        EXPECT_EQ(frame[0], (PlacedLine{c.first, 99}));
        // No frame of the whole pass ever shows one of the skipped lines.
        for (int p = 0; p <= range; ++p) {
            for (const auto& placed : visibleLines(g, p)) EXPECT_GE(placed.index, c.first);
        }
    }
}

TEST(CreditsScroll, TheClosingBlankLineFollowsTheLastLine) {
    const std::vector<std::string> lines = {"A", "B"};
    const Geometry g = geometryFor(lines, 50, 10);
    const auto frame = visibleLines(g, 30);
    const std::vector<PlacedLine> expected = {{0, 20}, {1, 30}, {2, 40}};
    EXPECT_EQ(frame, expected);
}

TEST(CreditsScroll, OnlyTheFirst255CharactersAreDrawn) {
    const std::string longLine(300, 'x');
    EXPECT_EQ(drawnText(longLine).size(), 255u);
    EXPECT_EQ(drawnText("short"), "short");
    EXPECT_EQ(drawnText(""), "");
    // Counted in characters, and never a part of one: 255 of "\u00e9" are 510 bytes.
    std::string accented;
    for (int i = 0; i < 300; ++i) accented += "\xC3\xA9";
    EXPECT_EQ(drawnText(accented), accented.substr(0, 510));
}

}  // namespace
}  // namespace vps::credits
