#pragma once

#include <string>
#include <vector>

#include <algorithm>
#include <utility>

#include "core/PopupPlacement.h"
#include "help/HelpLoader.h"
#include "help/HelpPlacement.h"
#include "win/Button.h"
#include "win/Form.h"
#include "win/TextView.h"

namespace vps {

using help::HelpFile;
using help::Topic;
using layout::Box;

// About 55 characters of the pop-up's font: short lines are read at a glance.
constexpr int kPopupTextWidth = 360;

// A topic's text beside the control asked about; gone at the next key or click.
class HelpPopup : public win::Form {
public:
    HelpPopup()
        : Form({.className = "TfmHelpPopup",
                .name = "fmHelpPopup",
                .caption = "",
                .clientWidth = kPopupTextWidth,
                .clientHeight = 80,
                .style = WS_POPUP | WS_BORDER,
                .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                .fontHeight = 14,
                // Every key closes the pop-up, Tab and Escape included: none of them may be
                // taken for moving between controls.
                .dialogKeys = false}),
          tvText(*this, {.name = "tvText", .bounds = {0, 0, kPopupTextWidth, 80}},
                 {.scrollBar = false, .infoColours = true, .tabStop = false}) {
        tvText.setAlign(win::Align::Client);
        // A fresh press closes it; the key that asked for help, still held, repeats in here.
        tvText.OnKeyDown = [this](const win::KeyEvent& key) {
            if (!key.repeated) dismiss(true);
        };
        tvText.OnMouseDown = [this](const win::MouseEvent&) { dismiss(true); };
        // F1 reaches the form as a help request rather than as a key.
        OnHelp = [this](const HELPINFO&) { dismiss(true); };
        onMessage(WM_ACTIVATE, [this](WPARAM wParam, LPARAM) {
            if (LOWORD(wParam) == WA_INACTIVE) {
                dismiss(false);
            } else {
                SetFocus(tvText.handle());
            }
            return LRESULT{0};
        });
    }

    void popUp(const HelpFile& file, const Topic& topic, POINT at, HWND returnFocusTo) {
        returnFocusTo_ = returnFocusTo;
        tvText.setBlocks(blocksOf(file, topic, false));
        const Box area = workAreaAt(at);
        SIZE text = tvText.measure(std::min(kPopupTextWidth, area.width));
        // A long text gets wider rather than cut off at the bottom of the screen.
        if (text.cy > area.height) text = tvText.measure(area.width);
        const DWORD style = static_cast<DWORD>(GetWindowLongW(handle(), GWL_STYLE));
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(handle(), GWL_EXSTYLE));
        RECT outer{0, 0, text.cx, text.cy};
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
        const Box placed = layout::placePopup(at.x, at.y, outer.right - outer.left,
                                              outer.bottom - outer.top, area);
        SetWindowPos(handle(), HWND_TOPMOST, placed.left, placed.top, placed.width, placed.height,
                     SWP_NOACTIVATE);
        tvText.invalidate();
        show();
        SetForegroundWindow(handle());
        SetFocus(tvText.handle());
    }

    void dismiss(bool returnFocus) {
        if (dismissing_ || !visible()) return;
        dismissing_ = true;
        const HWND back = std::exchange(returnFocusTo_, nullptr);
        hide();
        // Back to where the user asked for help, so the next key goes where it went before.
        if (returnFocus && back && IsWindow(back)) {
            const HWND root = GetAncestor(back, GA_ROOT);
            if (IsWindowVisible(root) && IsWindowEnabled(root)) {
                SetForegroundWindow(root);
                SetFocus(back);
            }
        }
        dismissing_ = false;
    }

private:
    win::TextView tvText;
    HWND returnFocusTo_ = nullptr;
    bool dismissing_ = false;
};

}  // namespace vps
