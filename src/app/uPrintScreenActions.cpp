// What OK does: cut the chosen area out of the frozen screen into a 24-bit copy, hand it to the
// chosen action, and hide the window once the action was carried out.
#include <stdexcept>
#include <string>

#include "app/uPrintScreen.h"
#include "core/CaptureChoices.h"
#include "core/FileNaming.h"
#include "core/MonitorGeometry.h"
#include "output/CaptureBitmap.h"
#include "output/Clipboard.h"
#include "output/EmailCapture.h"
#include "output/SaveCapture.h"
#include "output/PrintCapture.h"
#include "output/Printer.h"
#include "win/UniqueHandle.h"

namespace vps {

using options::ActionChoice;
using options::indexOf;
using options::ScreenAreaChoice;

const AreaRect& TfmKestrelPrintScreen::chosenArea() const {
    switch (ScreenArea.itemIndex()) {
        case indexOf(ScreenAreaChoice::WorkArea): return WorkAreaRect;
        case indexOf(ScreenAreaChoice::Foreground): return ForegroundRect;
        case indexOf(ScreenAreaChoice::Selected): return SelectedRect;
        default: return AllRect;
    }
}

void TfmKestrelPrintScreen::buOKClick() {
    // A second click queued behind the one that carried the action out arrives after the hide,
    // when the snapshot is gone: the capture it was meant for has been handled.
    if (!visible()) return;
    if (ActionBusy) {
        MessageBeep(0);
        return;
    }
    ActionBusy = true;
    // Cleared on every way out of the handler, an error included.
    const win::ScopeExit notBusy([this] { ActionBusy = false; });

    // A selection kept from an activation over another monitor counts only where it overlaps
    // this capture; the crop is in the snapshot's own pixels.
    const AreaRect area = clipToArea(chosenArea(), AllRect);
    // A foreground window lying wholly off the captured screen leaves nothing to capture.
    if (area.isInverted()) {
        const bool foreground = ScreenArea.itemIndex() == indexOf(ScreenAreaChoice::Foreground);
        throw std::runtime_error(std::string(foreground ? "The window that was in front" : "The selected area") +
                                 " lies outside the captured screen, so there is nothing to capture.\r\n"
                                 "Please choose another screen area.");
    }
    bool done = false;
    {
        const CaptureBitmap capture(Snapshot, toSnapshot(area, AllRect));
        done = runAction(capture);
    }
    if (done) HideCapture();
}

std::string TfmKestrelPrintScreen::saveBaseName() const {
    if (ScreenArea.itemIndex() != indexOf(ScreenAreaChoice::Foreground)) return std::string(kDefaultBaseName);
    return ProposedBaseName(ForegroundTitle);
}

bool TfmKestrelPrintScreen::runAction(const CaptureBitmap& capture) {
    switch (Action.itemIndex()) {
        case indexOf(ActionChoice::PrintToDefaultPrinter):
            PrintCapture(capture, PrintTarget::DefaultPrinter);
            return true;
        case indexOf(ActionChoice::PrintToSelectedPrinter):
            if (!ShowPrintDialog(handle())) return false;
            PrintCapture(capture, PrintTarget::SelectedPrinter);
            return true;
        case indexOf(ActionChoice::CopyToClipboard):
            copyToClipboard(handle(), capture);
            return true;
        case indexOf(ActionChoice::SaveAsFile):
            return !SaveCapture(handle(), SaveDialog, capture, FileFormat.itemIndex(), JPEGQuality.position(),
                                saveBaseName(), /*offerPng=*/true)
                        .empty();
        case indexOf(ActionChoice::EmailAsJpeg): {
            const std::string saved =
                SaveMailJpeg(handle(), SaveDialog, capture, EmailJPEGQuality.position(), saveBaseName());
            if (saved.empty()) return false;
            // The mail reports its own failures; the action is done whatever its outcome.
            EmailCapture(handle(), saved);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace vps
