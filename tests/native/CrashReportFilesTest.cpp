#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/CrashReportFiles.h"

namespace vps::crash {
namespace {

using Names = std::vector<std::string>;

TEST(CrashReportFiles, StemSortsInTheOrderOfTheCrashes) {
    const std::vector<std::pair<Moment, std::uint32_t>> inOrder = {
        {{2025, 12, 31, 23, 59, 59, 999}, 99999}, {{2026, 1, 2, 3, 4, 5, 6}, 7},
        {{2026, 1, 2, 3, 4, 5, 60}, 1},           {{2026, 1, 2, 3, 4, 6, 0}, 4294967295u},
        {{2026, 10, 2, 3, 4, 6, 0}, 12},
    };
    EXPECT_EQ(reportStem(inOrder[1].first, inOrder[1].second), "crash-20260102-030405-006-7");
    for (std::size_t i = 1; i < inOrder.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_LT(reportStem(inOrder[i - 1].first, inOrder[i - 1].second),
                  reportStem(inOrder[i].first, inOrder[i].second));
    }
}

TEST(CrashReportFiles, PruningKeepsTheNewestReportsAndNothingElseIsTouched) {
    const auto report = [](int second) {
        const std::string stem = reportStem({2026, 12, 10, 13, 0, second, 0}, 42);
        return Names{stem + ".dmp", stem + ".txt"};
    };
    const Names strangers = {"notes.txt",
                             "crash-.txt",
                             "crash-20261210-130000-000-.dmp",
                             "crash-2026121-130000-000-42.txt",
                             "crash-20261210-130000-000-42.log",
                             "crash-20261210-130000-000-4x.txt",
                             "desktop.ini"};
    struct Case {
        const char* what;
        int reports;
        std::size_t keep;
        int removedOldest;
    } cases[] = {
        {"fewer than kept", 3, 10, 0}, {"exactly kept", 10, 10, 0}, {"one too many", 11, 10, 1},
        {"many too many", 25, 10, 15}, {"keep none", 4, 0, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Names folder = strangers;
        Names expected;
        // Listed newest first, as a folder listing may give them in any order.
        for (int second = c.reports - 1; second >= 0; --second) {
            const Names files = report(second);
            folder.insert(folder.end(), files.begin(), files.end());
            if (second < c.removedOldest)
                expected.insert(expected.end(), files.begin(), files.end());
        }
        Names removed = reportsToRemove(folder, c.keep);
        std::ranges::sort(removed);
        std::ranges::sort(expected);
        EXPECT_EQ(removed, expected);
    }
}

TEST(CrashReportFiles, PruningTakesBothFilesOfAReportWhateverTheLetterCase) {
    const Names folder = {"crash-20261210-130000-000-1.DMP", "crash-20261210-130000-000-1.txt",
                          "crash-20261210-130001-000-1.txt", "crash-20261210-130002-000-1.dmp"};
    Names removed = reportsToRemove(folder, 2);
    std::ranges::sort(removed);
    EXPECT_EQ(removed,
              (Names{"crash-20261210-130000-000-1.DMP", "crash-20261210-130000-000-1.txt"}));
}

TEST(CrashReportFiles, LineNamesVersionTimeCodeAddressAndModule) {
    const Moment when{2026, 12, 10, 13, 18, 5, 123};
    EXPECT_EQ(reportLine("1.0.0.0", when,
                         {0xC0000005u, 0x140001234ull, "VantaroPrintScreen.exe", 0x1234}),
              "Vantaro Print Screen 1.0.0.0, 2026-12-10 13:18:05: exception 0xC0000005 at "
              "0x140001234 in VantaroPrintScreen.exe+0x1234");
    EXPECT_EQ(reportLine("", when, {0xC00000FDu, 0x10, "", 0}),
              "Vantaro Print Screen , 2026-12-10 13:18:05: exception 0xC00000FD at 0x10 in an "
              "unknown module");
}

}  // namespace
}  // namespace vps::crash
