#include "guidance/uCheatSheet.h"

namespace vps {

TfmCheatSheet::TfmCheatSheet()
    : Form({.className = "TfmCheatSheet",
            .name = "fmCheatSheet",
            .caption = "\"Cheat Sheet\"",
            .clientWidth = 446,
            .clientHeight = 426,
            .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
            .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
            .fontHeight = 13}) {
    setScreenBounds({0, 0, 454, 450});
}

}  // namespace vps
