#include "capture/uAnimatedRectangle.h"

namespace vps {

TfmAnimatedRectangle::TfmAnimatedRectangle()
    : Form({.className = "TfmAnimatedRectangle",
            .name = "fmAnimatedRectangle",
            .caption = "fmAnimatedRectangle",
            .clientWidth = 0,
            .clientHeight = 0,
            .style = WS_POPUP,
            .exStyle = WS_EX_TOOLWINDOW,
            .dialogKeys = false}) {}

}  // namespace vps
