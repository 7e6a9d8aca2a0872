// The select button beside "Selected Area": draw a rectangle over the frozen screen.
#include "app/uPrintScreen.h"
#include "capture/uSelectArea.h"

namespace vps {

void TfmKestrelPrintScreen::buSelectClick() {
    ScreenArea.setItemIndex(3);
    // After the choice, not before: a radio button that gains the focus unchecked clicks itself.
    SetFocus(ScreenArea.button(3));
    // Taken whatever it is: after a cancel, (0, 0, 0, 0) leaves the miniature without an outline
    // rather than showing an old rectangle as if it were still chosen.
    SelectedRect = fmSelectedArea->SelectArea(Snapshot);
    ScreenAreaClick();
}

}  // namespace vps
