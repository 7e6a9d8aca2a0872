// The program's entry: one resident copy per session. A later start only wakes that copy.
#include <windows.h>

#include <commctrl.h>

#include <exception>

#include "app/AppWindows.h"
#include "app/CrashReport.h"
#include "app/ResidentClaim.h"
#include "app/TestAids.h"
#include "app/Uninstall.h"
#include "settings/SettingsFile.h"
#include "win/Application.h"
#include "win/Dpi.h"
#include "win/StepTimes.h"

namespace {

// The exit code of a start that failed before the message loop ran.
constexpr int kStartFailed = 1;

void prepareUserInterface() {
    win::enableDpiAwareness();
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                        ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    win::Application::setTitle("Vantaro Print Screen");
    win::Application::setHelpFile("");
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    win::steptimes::stamp("start: entry");
    vps::installCrashReport();
    const vps::StackOverrunWatch stackWatch;
    vps::crashOnRequest();
    // Before the single-instance check: the removal ends the resident copy rather than waking it.
    if (vps::testaids::requested(vps::kUninstallSwitch)) {
        prepareUserInterface();
        return vps::uninstall();
    }
    // Kept until this copy ends: while it lives, a later start wakes it instead of staying.
    const vps::ResidentClaim claim = vps::ResidentClaim::decide();
    if (!claim.granted()) return 0;
    vps::testaids::slowStartUpOnRequest();
    prepareUserInterface();
    // Where the settings live is decided once, before any window reads them.
    vps::SettingsLocationOfThisRun();
    win::steptimes::stamp("start: settings located");

    try {
        vps::AppWindows windows;
        return win::Application::run();
    } catch (const std::exception& error) {
        // Handlers inside the loop show their own errors and go on; what arrives here ended the
        // start (or the loop itself), and a resident program that vanished without a word would
        // look like one still waiting for its key.
        win::Application::showException(error);
        return kStartFailed;
    }
}
