#include "app/AppWindows.h"

#include <stdexcept>

#include "app/ContextHelp.h"
#include "app/TestAids.h"
#include "win/Application.h"
#include "win/StepTimes.h"

namespace vps {

namespace {

AppWindows* live = nullptr;

AppWindows& liveWindows() {
    if (!live) throw std::logic_error("The program's windows are not made yet.");
    return *live;
}

}  // namespace

TfmSelectedArea& selectionWindow() { return liveWindows().selectionWindow(); }

TfmCheatSheet& cheatSheet() { return liveWindows().cheatSheet(); }

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
        testaids::failStartUpOnRequest();
        live = this;
    } catch (...) {
        // The members would otherwise go in reverse order, the outline before the main window
        // that still stops it, and the process-wide pointers would outlive their windows.
        release();
        throw;
    }
}

AppWindows::~AppWindows() { release(); }

TfmSelectedArea& AppWindows::selectionWindow() {
    if (!selection_) {
        selection_ = std::make_unique<TfmSelectedArea>();
        fmSelectedArea = selection_.get();
        win::steptimes::stamp("selection window made");
    }
    return *selection_;
}

TfmCheatSheet& AppWindows::cheatSheet() {
    if (!card_) {
        card_ = std::make_unique<TfmCheatSheet>();
        fmCheatSheet = card_.get();
        win::steptimes::stamp("card made");
    }
    return *card_;
}

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
    if (live == this) live = nullptr;
}

}  // namespace vps
