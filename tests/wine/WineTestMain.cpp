#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "TestWatchdog.h"
#include "settings/SettingsFile.h"
#include "win/Application.h"
#include "win/Dpi.h"

int main(int argc, char** argv) {
    // As the program does: the tests measure windows scaled to the screen's DPI.
    win::enableDpiAwareness();
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    win::Application::setTitle("Vantaro Print Screen");
    // Decided before any test plays with the Windows directory's file, as the program does at start.
    vps::SettingsLocationOfThisRun();
    testing::InitGoogleTest(&argc, argv);
    // Owned by GoogleTest's listener list from here on, which deletes it at exit.
    testing::UnitTest::GetInstance()->listeners().Append(
        new TestWatchdog(TestWatchdog::limitFromEnvironment(std::chrono::seconds(120))));
    return RUN_ALL_TESTS();
}
