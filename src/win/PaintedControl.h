#pragma once

#include "win/Control.h"

namespace win {

struct PaintOptions {
    bool doubleBuffered = false;  // drawn off screen and copied in one go, for content that moves
    bool clickable = false;       // a press captures the mouse; a release over it calls clicked()
};

// A control that draws itself. Each paint fills the background, leaving out what the control
// covers with pixels of its own, and then calls paint(). The background is never erased on its
// own beforehand, so nothing flashes between the two.
class PaintedControl : public Control {
protected:
    PaintedControl(Window& parent, const ControlDescription& description,
                   const PaintOptions& options = {});

    // Draws the content over the background; client is the whole client area.
    virtual void paint(HDC dc, const RECT& client) = 0;
    // What paint() covers with opaque pixels; the background leaves it alone.
    virtual RECT opaqueArea() const { return {}; }
    // The brush for the background. By default the parent's background shows through: a panel
    // answers WM_CTLCOLORSTATIC with its brush.
    virtual HBRUSH background(HDC dc);
    // The left button pressed and released over a clickable control.
    virtual void clicked() {}

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paintWindow();
    void paintOn(HDC dc, const RECT& client);
    bool trackClick(UINT message, LPARAM lParam);

    PaintOptions options_;
    bool pressed_ = false;
};

}  // namespace win
