#pragma once

#include <memory>

#include "app/uPrintScreen.h"
#include "capture/uAnimatedRectangle.h"
#include "capture/uSelectArea.h"
#include "guidance/uCheatSheet.h"

namespace vps {

// The four long-lived windows, created in their fixed order: the main window first (its creation
// registers the hot keys and may post the first wake-up, which is handled only once the message
// loop runs, so the first activation finds all four in place). They are reached through the
// process-wide instances fmKestrelPrintScreen, fmAnimatedRectangle, fmSelectedArea and
// fmCheatSheet while this object lives.
class AppWindows {
public:
    AppWindows();
    AppWindows(const AppWindows&) = delete;
    AppWindows& operator=(const AppWindows&) = delete;
    ~AppWindows();

private:
    // Destroys whichever windows exist, in the order the main window's destruction needs.
    void release();

    std::unique_ptr<TfmKestrelPrintScreen> main_;
    std::unique_ptr<TfmAnimatedRectangle> outline_;
    std::unique_ptr<TfmSelectedArea> selection_;
    std::unique_ptr<TfmCheatSheet> card_;
};

}  // namespace vps
