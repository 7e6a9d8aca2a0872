#pragma once

#include <memory>

#include "app/uPrintScreen.h"
#include "capture/uAnimatedRectangle.h"
#include "capture/uSelectArea.h"
#include "guidance/uCheatSheet.h"

namespace vps {

// The four long-lived windows. The main window comes first (its creation registers the hot keys
// and may post the first wake-up, which is handled only once the message loop runs, so the first
// activation finds the outline window in place). The selection window and the card are made at
// their first use instead: neither is seen before the main window, and making them at start held
// up its first showing by about 22 ms. They are reached through the process-wide instances
// fmKestrelPrintScreen, fmAnimatedRectangle, fmSelectedArea and fmCheatSheet while this object
// lives; the last two are null until made, so code that only asks about them (is a selection
// open? hide the card) needs no window made for it.
class AppWindows {
public:
    AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;
    ~AppWindows();

    TfmSelectedArea& selectionWindow();
    TfmCheatSheet& cheatSheet();

private:
    // Destroys whichever windows exist, in the order the main window's destruction needs.
    void release();

    std::unique_ptr<TfmKestrelPrintScreen> main_;
    std::unique_ptr<TfmAnimatedRectangle> outline_;
    std::unique_ptr<TfmSelectedArea> selection_;
    std::unique_ptr<TfmCheatSheet> card_;
};

// The selection window and the card of the live AppWindows, made now if not yet.
TfmSelectedArea& selectionWindow();
TfmCheatSheet& cheatSheet();

}  // namespace vps
