#pragma once

#include <optional>

#include "win/Control.h"
#include "win/Gdi.h"

namespace win {

enum class Bevel { None, Raised, Lowered };

struct PanelLook {
    Bevel outer = Bevel::Raised;
    Bevel inner = Bevel::None;
    int bevelWidth = 1;
    std::optional<COLORREF> color;  // the system's button face when not given
};

// A flat area with optional 3-D bevels that holds other controls.
class Panel : public Control {
public:
    Panel(Window& parent, const ControlDescription& description, const PanelLook& look = {});

    COLORREF color() const;
    void setColor(COLORREF color);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    RECT contentRect() const override;

private:
    void paint(HDC dc) const;
    int bevelExtent() const;

    PanelLook look_;
    Brush brush_;
};

}  // namespace win
