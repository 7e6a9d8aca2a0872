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

// Makes the window at the first ask and publishes it as its process-wide instance.
template <typename Window>
Window& madeOnce(std::unique_ptr<Window>& window, Window*& instance, const char* step) {
    if (!window) {
        window = std::make_unique<Window>();
        instance = window.get();
        win::steptimes::stamp(step);
    }
    return *window;
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
    return madeOnce(selection_, fmSelectedArea, "selection window made");
}

TfmCheatSheet& AppWindows::cheatSheet() { return madeOnce(card_, fmCheatSheet, "card made"); }

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
