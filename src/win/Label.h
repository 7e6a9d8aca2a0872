#pragma once

#include "win/Control.h"

namespace win {

enum class TextAlign { Left, Centre, Right };

// A standard static text.
class Label : public Control {
public:
    Label(Window& parent, const ControlDescription& description, TextAlign align = TextAlign::Left);
};

// A standard static showing one of the system's icons (IDI_WARNING, ...).
class IconLabel : public Control {
public:
    IconLabel(Window& parent, const ControlDescription& description, const char* systemIcon);
};

}  // namespace win
