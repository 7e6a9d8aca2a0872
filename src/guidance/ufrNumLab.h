// The numbered call-out frame TfrNumLab: a small yellow window shaped like a circled digit; the
// main window carries five of them, hidden.
#pragma once

#include <memory>

#include "win/Control.h"
#include "win/Gdi.h"
#include "win/Label.h"

namespace vps {

// A numbered call-out: a small yellow window cut to the shape of one character of the Wingdings
// font, a negative circled digit, whose digit is a hole in the disc. The hidden label only carries
// the character and the font that define the shape.
class TfrNumLab : public win::Control {
    win::Brush yellow_;

public:
    static constexpr COLORREF kYellow = RGB(255, 255, 0);

    // `symbol` is the character of the Wingdings font, e.g. 0x8C for the circled one.
    TfrNumLab(win::Window& parent, const win::ControlDescription& description, char symbol);

    std::unique_ptr<win::Label> Label1;

    void FrameResize();
    void FrameClick();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Cuts the window to the outline of the label's caption drawn in the label's font.
    void rebuildShape();
};

// The main window's five call-outs, numbered one to five; they stay hidden for the whole run.
class CallOuts {
public:
    explicit CallOuts(win::Window& mainWindow);

    TfrNumLab CallOut1;
    TfrNumLab CallOut2;
    TfrNumLab CallOut3;
    TfrNumLab CallOut4;
    TfrNumLab CallOut5;
};

}  // namespace vps
