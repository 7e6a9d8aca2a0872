#include "app/AppWindows.h"

#include "app/ContextHelp.h"
#include "app/TestAids.h"
#include "win/Application.h"
#include "win/StepTimes.h"

namespace vps {

AppWindows::AppWindows() {
    try {
        installContextHelp();
        ShutDownRequested = false;
        Destroying = false;
        main_ = std::make_unique<TfmKestrelPrintScreen>();
        fmKestrelPrintScreen = main_.get();
        win::steptimes::stamp("start: main window made");
        win::Application::setMainForm(main_.get());
        outline_ = std::make_unique<TfmAnimatedRectangle>();
        fmAnimatedRectangle = outline_.get();
        win::steptimes::stamp("start: outline window made");
        selection_ = std::make_unique<TfmSelectedArea>();
        fmSelectedArea = selection_.get();
        win::steptimes::stamp("start: selection window made");
        testaids::failStartUpOnRequest();
        card_ = std::make_unique<TfmCheatSheet>();
        fmCheatSheet = card_.get();
        win::steptimes::stamp("start: card made");
    } catch (...) {
        // The members would otherwise go in reverse order, the outline before the main window
        // that still stops it, and the process-wide pointers would outlive their windows.
        release();
        throw;
    }
}

AppWindows::~AppWindows() { release(); }

void AppWindows::release() {
    // The main window goes first: its destruction may still reach the other three.
    main_.reset();
    fmKestrelPrintScreen = nullptr;
    win::Application::setMainForm(nullptr);
    card_.reset();
    fmCheatSheet = nullptr;
    selection_.reset();
    fmSelectedArea = nullptr;
    outline_.reset();
    fmAnimatedRectangle = nullptr;
}

}  // namespace vps
