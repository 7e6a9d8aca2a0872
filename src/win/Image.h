#pragma once

#include <functional>

#include "win/Bitmap.h"
#include "win/Gdi.h"
#include "win/PaintedControl.h"

namespace win {

// Shows a picture at its own size from the top-left corner; the rest of the control shows the
// background colour. The picture doubles as a drawing surface: draw into picture().dc(), then
// refresh() the control.
class Image : public PaintedControl {
public:
    Image(Window& parent, const ControlDescription& description, COLORREF background);

    Bitmap& picture() { return picture_; }
    const Bitmap& picture() const { return picture_; }
    void setPicture(Bitmap&& picture);

    std::function<void()> OnClick;

protected:
    void paint(HDC dc, const RECT& client) override;
    RECT opaqueArea() const override;
    HBRUSH background(HDC dc) override;
    void clicked() override;

private:
    Bitmap picture_;
    Brush background_;
};

}  // namespace win
