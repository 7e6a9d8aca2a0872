// The select button beside "Selected Area": draw a rectangle over the frozen screen.
#include "app/uPrintScreen.h"

namespace vps {

void TfmKestrelPrintScreen::buSelectClick() {}

}  // namespace vps
