#pragma once

#include <windows.h>

#include "win/Label.h"
#include "win/Window.h"

// Sizes the program's dialogs share, in pixels: like the forms, they do not scale with the font.
namespace win {

// A dialog has a fixed size: a caption and a close box, no sizing frame, nothing to minimise.
inline constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

inline constexpr int kButtonWidth = 75;
inline constexpr int kButtonHeight = 25;
inline constexpr int kFieldHeight = 21;  // an edit, or a combo box while closed
inline constexpr int kCheckBoxHeight = 17;
inline constexpr int kLabelHeight = 14;
// A label stands this much lower than a field on the same row, so both texts share one line.
inline constexpr int kLabelDrop = 4;

constexpr int buttonRowWidth(int count, int gap, int buttonWidth = kButtonWidth) {
    return count * buttonWidth + (count - 1) * gap;
}

// The button at `index` of a row of `count` buttons, `gap` apart, centred in a client area
// `clientWidth` wide.
constexpr Box centredButton(int clientWidth, int count, int gap, int index, int top,
                            int buttonWidth = kButtonWidth) {
    const int left = (clientWidth - buttonRowWidth(count, gap, buttonWidth)) / 2;
    return {left + index * (buttonWidth + gap), top, buttonWidth, kButtonHeight};
}

// A label level with the fields of the row whose top is `rowTop`.
constexpr Box labelOnRow(int left, int rowTop, int width) {
    return {left, rowTop + kLabelDrop, width, kLabelHeight};
}

// A dialog laid out in rows: on the left a caption column, on the right the field each caption
// names. A row is placed by its top alone, so label and field cannot drift apart.
struct LabelledRows {
    int labelLeft;
    int labelWidth;
    int fieldLeft;
    int fieldWidth;  // of a field that fills its column

    constexpr Box label(int rowTop) const { return labelOnRow(labelLeft, rowTop, labelWidth); }
    constexpr Box field(int rowTop) const { return field(rowTop, fieldWidth); }
    constexpr Box field(int rowTop, int width) const {
        return {fieldLeft, rowTop, width, kFieldHeight};
    }
    constexpr Box checkBox(int rowTop) const {
        return {fieldLeft, rowTop, fieldWidth, kCheckBoxHeight};
    }
};

// The caption of a row, flush against the field it names.
class RowLabel : public Label {
public:
    RowLabel(Window& parent, const ControlDescription& description)
        : Label(parent, description, TextAlign::Right) {}
};

}  // namespace win
