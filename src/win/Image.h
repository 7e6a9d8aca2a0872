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
    // A picture in screen pixels (a capture's miniature) shows pixel for pixel; a picture drawn
    // for a 96-DPI screen (an illustration) is stretched to the control's DPI.
    enum class Units { Pixels, Design };
    void setPicture(Bitmap&& picture, Units units = Units::Pixels);

    std::function<void()> OnClick;

protected:
    void paint(HDC dc, const RECT& client) override;
    RECT opaqueArea() const override;
    HBRUSH background(HDC dc) override;
    void clicked() override;

private:
    SIZE shownSize() const;

    Bitmap picture_;
    Units units_ = Units::Pixels;
    Brush background_;
};

}  // namespace win
