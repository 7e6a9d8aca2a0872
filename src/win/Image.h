#pragma once

#include <functional>

#include "win/Bitmap.h"
#include "win/Control.h"

namespace win {

// Shows a picture at its own size from the top-left corner; the rest of the control shows the
// background colour. The picture doubles as a drawing surface: draw into picture().dc(), then
// refresh() the control.
class Image : public Control {
public:
    Image(Window& parent, const ControlSpec& description, COLORREF background);

    Bitmap& picture() { return picture_; }
    void setPicture(Bitmap&& picture);

    std::function<void()> OnClick;

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    Bitmap picture_;
    COLORREF background_;
    bool pressed_ = false;
};

}  // namespace win
