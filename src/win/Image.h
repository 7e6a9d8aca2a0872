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
    // Runs as a paint begins, before anything is drawn: the last moment to finish a picture
    // that was being made while its window appeared (a window being shown paints inside
    // ShowWindow under Wine, and from the message loop after it on Windows).
    std::function<void()> OnBeforePaint;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
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
