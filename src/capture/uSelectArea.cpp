#include "capture/uSelectArea.h"

namespace vps {

TfmSelectedArea::TfmSelectedArea()
    : Form({.className = "TfmSelectedArea",
            .name = "fmSelectedArea",
            .caption = "Select Area",
            .clientWidth = 0,
            .clientHeight = 0,
            .style = WS_POPUP,
            .exStyle = WS_EX_TOPMOST}) {
    setHelpContext(10000);
}

}  // namespace vps
