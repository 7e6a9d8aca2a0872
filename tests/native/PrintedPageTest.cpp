#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "core/IniValues.h"
#include "core/PrintedPage.h"

namespace vps::page {
namespace {

TEST(PrintedPage, InchesRoundToTheNearestPixelWithTiesToEven) {
    struct Case {
        int dpi;
        double inches;
        int expected;
    } cases[] = {
        {600, 0.05, 30}, {600, 0.1, 60}, {300, 0.05, 15}, {600, 1.0, 600}, {300, 1.0, 300},
        {5, 0.5, 2},     {7, 0.5, 4},    {3, 0.5, 2},     {1, 0.5, 0},     {96, 0.05, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpi << " dpi x " << c.inches << " in");
        EXPECT_EQ(InchesToPrinter(c.dpi, c.inches), c.expected);
    }
}

TEST(PrintedPage, FontHeightRoundsHalvesAwayFromZero) {
    struct Case {
        int dpiY;
        int points;
        int expected;
    } cases[] = {
        {600, 12, 100}, {600, 24, 200}, {600, -1, -8}, {300, 10, 42}, {300, 8, 33},
        {36, 1, 1},     {36, -1, -1},   {108, 1, 2},   {108, -1, -2}, {300, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dpiY << " dpi, " << c.points << " pt");
        EXPECT_EQ(FontHeight(c.dpiY, c.points), c.expected);
    }
}

// The worked example of a 600 dpi page, 4800 x 6000 pixels, and its variants.
TEST(PrintedPage, LayoutOfTheWorkedExamples) {
    const Device page600{4800, 6000, 600, 600, 96, 96};
    // Twice as fine across as down: the capture must keep its proportions on paper.
    const Device page600x300{4800, 3000, 600, 300, 96, 96};
    struct Case {
        const char* what;
        Device device;
        int titlePoints;
        int footerXHeight;
        int w, h;
        Layout expected;  // titleTop, topBand, footerTop, bottomBand, availH, left, top, outW, outH
    } cases[] = {
        {"1024 x 768 is fitted to the width",
         page600,
         12,
         100,
         1024,
         768,
         {30, 160, 5870, 190, 5620, 0, 1200, 4800, 3600}},
        {"200 x 100 prints at its size on the screen",
         page600,
         12,
         100,
         200,
         100,
         {30, 160, 5870, 190, 5620, 1775, 2687, 1250, 625}},
        {"100 x 1000 is fitted to the height between the bands",
         page600,
         12,
         100,
         100,
         1000,
         {30, 160, 5870, 190, 5620, 2119, 190, 562, 5620}},
        {"a 24-point title makes the top band the larger",
         page600,
         24,
         100,
         1024,
         768,
         {30, 260, 5870, 190, 5480, 0, 1200, 4800, 3600}},
        {"a 24-point title narrows a tall capture",
         page600,
         24,
         100,
         100,
         1000,
         {30, 260, 5870, 190, 5480, 2126, 260, 548, 5480}},
        {"a stored size of -1 gives a negative title height",
         page600,
         -1,
         100,
         200,
         100,
         {30, 52, 5870, 190, 5620, 1775, 2687, 1250, 625}},
        {"exactly as wide as the page still prints at its size",
         page600,
         12,
         100,
         768,
         100,
         {30, 160, 5870, 190, 5620, 0, 2687, 4800, 625}},
        {"one pixel wider is fitted to the width",
         page600,
         12,
         100,
         769,
         100,
         {30, 160, 5870, 190, 5620, 0, 2688, 4800, 624}},
        {"600 x 300 dpi: 1024 x 768 is 8 x 6 inches",
         page600x300,
         12,
         50,
         1024,
         768,
         {15, 80, 2935, 95, 2810, 0, 600, 4800, 1800}},
        {"600 x 300 dpi: 100 x 1000 fitted to the height keeps 1:10",
         page600x300,
         12,
         50,
         100,
         1000,
         {15, 80, 2935, 95, 2810, 2119, 95, 562, 2810}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Layout got = PageLayout(c.device, FontHeight(c.device.dpiY, c.titlePoints),
                                      c.footerXHeight, c.w, c.h);
        const Layout& e = c.expected;
        EXPECT_EQ(got.titleTop, e.titleTop);
        EXPECT_EQ(got.topBand, e.topBand);
        EXPECT_EQ(got.footerTop, e.footerTop);
        EXPECT_EQ(got.bottomBand, e.bottomBand);
        EXPECT_EQ(got.availH, e.availH);
        EXPECT_EQ(got.left, e.left);
        EXPECT_EQ(got.top, e.top);
        EXPECT_EQ(got.outW, e.outW);
        EXPECT_EQ(got.outH, e.outH);
        EXPECT_TRUE(got.hasRoom());
    }
}

TEST(PrintedPage, TheImageNeverLeavesThePageNorEntersTheBands) {
    const Device devices[] = {{4800, 6000, 600, 600, 96, 96},
                              {4800, 3000, 600, 300, 96, 96},
                              {2479, 3508, 300, 300, 96, 96},
                              {3508, 2479, 300, 300, 120, 120}};
    const int sizes[] = {1, 2, 7, 99, 100, 101, 333, 768, 1024, 1920, 4000, 9999};
    for (const auto& d : devices) {
        for (int w : sizes) {
            for (int h : sizes) {
                SCOPED_TRACE(testing::Message() << d.width << "x" << d.height << " @" << d.dpiX
                                                << "/" << d.dpiY << ", capture " << w << "x" << h);
                const Layout l =
                    PageLayout(d, FontHeight(d.dpiY, 12), FontHeight(d.dpiY, 12), w, h);
                ASSERT_TRUE(l.hasRoom());
                EXPECT_GE(l.left, 0);
                EXPECT_LE(l.left + l.outW, d.width);
                EXPECT_LE(l.outH, l.availH);
                EXPECT_GE(l.top, std::max(l.topBand, l.bottomBand));
                EXPECT_LE(l.top + l.outH, d.height - std::max(l.topBand, l.bottomBand));
                EXPECT_GE(l.outW, 0);
            }
        }
    }
}

TEST(PrintedPage, BandsThatLeaveNoRoomAreReportedAndPlaceNoImage) {
    struct Case {
        int height;
        int availH;
    } cases[] = {{300, -80}, {380, 0}, {381, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.height);
        const Layout l = PageLayout({4800, c.height, 600, 600, 96, 96}, 100, 100, 200, 100);
        EXPECT_EQ(l.availH, c.availH);
        EXPECT_EQ(l.hasRoom(), c.availH > 0);
        if (!l.hasRoom()) {
            EXPECT_EQ(l.outW, 0);
            EXPECT_EQ(l.outH, 0);
        }
    }
}

// A FontSize typed into the settings file by hand: only what the printing options offer is
// used; anything else is refused, and the printed page falls back to its design size.
TEST(PrintedPage, StoredFontSizesAreTakenOnlyWithinThePrintingOptionsRange) {
    struct Case {
        const char* stored;
        std::optional<int> size;
    } cases[] = {
        {"12", 12},        {"1", 1},          {"999", 999},        {"x3E7", 999},
        {"0", {}},         {"-1", {}},        {"-12", {}},         {"1000", {}},
        {"132000000", {}}, {"999999999", {}}, {"-2147483648", {}}, {"$FFFFFFFF", {}},
        {"twelve", {}},    {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(ini::parseIntegerWithin(c.stored, kSmallestFontSize, kLargestFontSize), c.size);
    }
}

// Before sizes were read through the range, 132000000 points overflowed the band arithmetic and
// 999999999 points reached the printer as a negative height. The arithmetic itself must hold for
// any height and resolution a driver reports: heights saturate, bands that fill the page leave
// no room, and a page with room holds the whole picture clear of the bands.
TEST(PrintedPage, AbsurdFontHeightsAndResolutionsNeverOverflowNorLeaveThePage) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    struct Case {
        const char* what;
        Device device;
        int titlePoints;
        int footerTextHeight;
        int w, h;
        int titleHeight;
        bool room;
    } cases[] = {
        {"132000000 points at 600 dpi",
         {4800, 6000, 600, 600, 96, 96},
         132000000,
         100,
         200,
         100,
         1100000000,
         false},
        {"999999999 points at 600 dpi",
         {4800, 6000, 600, 600, 96, 96},
         999999999,
         100,
         200,
         100,
         kMax,
         false},
        {"-999999999 points at 600 dpi",
         {4800, 6000, 600, 600, 96, 96},
         -999999999,
         100,
         200,
         100,
         kMin,
         true},
        {"the largest size at the largest resolution",
         {kMax, kMax, kMax, kMax, 96, 96},
         kLargestFontSize,
         0,
         1,
         1,
         kMax,
         false},
        {"a tall picture fitted to the width of a page far finer down than across",
         {kMax, kMax, 1, kMax, 96, 96},
         kSmallestFontSize,
         100,
         1,
         kMax,
         29826162,
         true},
        {"a tall picture on a wide low-resolution page",
         {kMax, kMax, kMax, 1, 96, 96},
         kSmallestFontSize,
         1,
         1,
         kMax,
         0,
         true},
        {"a negative footer height from a broken driver",
         {4800, 6000, 600, 600, 96, 96},
         12,
         -100000,
         1024,
         768,
         100,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const int titleHeight = FontHeight(c.device.dpiY, c.titlePoints);
        EXPECT_EQ(titleHeight, c.titleHeight);
        const Layout l = PageLayout(c.device, titleHeight, c.footerTextHeight, c.w, c.h);
        ASSERT_EQ(l.hasRoom(), c.room) << "availH " << l.availH;
        if (!l.hasRoom()) {
            EXPECT_EQ(l.outW, 0);
            EXPECT_EQ(l.outH, 0);
            continue;
        }
        const int band = std::max({l.topBand, l.bottomBand, 0});
        EXPECT_GE(l.left, 0);
        EXPECT_LE(std::int64_t{l.left} + l.outW, c.device.width);
        EXPECT_GE(l.top, band);
        EXPECT_LE(std::int64_t{l.top} + l.outH, std::int64_t{c.device.height} - band);
    }
}

TEST(PrintedPage, APrinterWithoutAPageOrAResolutionIsRefused) {
    const Device cases[] = {
        {0, 6000, 600, 600, 96, 96},  {4800, 0, 600, 600, 96, 96},  {4800, 6000, 0, 600, 96, 96},
        {4800, 6000, 600, 0, 96, 96}, {-1, 6000, 600, 600, 96, 96}, {0, 0, 0, 0, 96, 96},
    };
    for (const Device& d : cases) {
        SCOPED_TRACE(testing::Message()
                     << d.width << "x" << d.height << " @" << d.dpiX << "/" << d.dpiY);
        EXPECT_FALSE(HasPrintableArea(d));
        EXPECT_FALSE(PageLayout(d, 100, 100, 200, 100).hasRoom());
        const std::string text = NoPrintableAreaText("PDF", d);
        EXPECT_NE(text.find("\"PDF\""), std::string::npos) << text;
        EXPECT_NE(
            text.find(std::to_string(d.width) + " x " + std::to_string(d.height) + " pixels at " +
                      std::to_string(d.dpiX) + " x " + std::to_string(d.dpiY)),
            std::string::npos)
            << text;
    }
    EXPECT_TRUE(HasPrintableArea({1, 1, 1, 1, 96, 96}));
}

TEST(PrintedPage, FooterTextTakesOnlyTheWantedPartsAndIsTrimmed) {
    struct Case {
        bool date, time, user;
        const char* userName;
        const char* expected;
    } cases[] = {
        {true, true, true, "user1", "05/03/2007 14:07 by user1"},
        {true, false, false, "user1", "05/03/2007"},
        {false, true, false, "user1", "14:07"},
        {false, false, true, "user1", "by user1"},
        {true, false, true, "user1", "05/03/2007 by user1"},
        {false, false, false, "user1", ""},
        {true, true, true, "", "05/03/2007 14:07 by"},
        {false, false, true, " \tuser1\r\n", "by  \tuser1"},  // only the ends are trimmed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.date << c.time << c.user << " '" << c.userName << "'");
        EXPECT_EQ(FooterText(c.date, "05/03/2007", c.time, "14:07", c.user, c.userName),
                  c.expected);
    }
}

TEST(PrintedPage, JobNameNamesTheUserOnlyWhenWanted) {
    EXPECT_EQ(JobName(true, "user1"), "Print Screen by user1");
    EXPECT_EQ(JobName(true, ""), "Print Screen by ");
    EXPECT_EQ(JobName(false, "user1"), "Print Screen");
}

}  // namespace
}  // namespace vps::page
