#include "win/Label.h"

namespace win {

Label::Label(Window& parent, const ControlDescription& description, TextAlign align) : Control(parent, description) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOPREFIX;
    style |= align == TextAlign::Centre ? SS_CENTER : align == TextAlign::Right ? SS_RIGHT : SS_LEFT;
    createStandard("STATIC", style, 0, parent.handle(), description.bounds, description.caption, controlId());
    finishCreation();
}

IconLabel::IconLabel(Window& parent, const ControlDescription& description, const char* systemIcon)
    : Control(parent, description) {
    createStandard("STATIC", WS_CHILD | WS_VISIBLE | SS_ICON, 0, parent.handle(), description.bounds, "",
                   controlId());
    SendMessageW(handle(), STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconW(nullptr, systemResource(systemIcon))), 0);
    finishCreation();
}

}  // namespace win
