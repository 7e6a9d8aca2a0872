#pragma once

#include <string>

#include "win/Button.h"
#include "win/DialogLayout.h"
#include "win/Form.h"

namespace vps {

// What the option dialogs have in common: one width, a fixed frame with the title bar's "?"
// button, rows of captioned fields between the margins, and OK and Cancel centred below a rule.
class OptionDialog : public win::Form {
public:
    static constexpr int kClientWidth = 321;
    static constexpr int kMargin = 8;

    // Captions start at the left margin, fields reach the right one.
    static constexpr win::LabelledRows rows(int labelWidth, int fieldLeft) {
        return {kMargin, labelWidth, fieldLeft, kClientWidth - kMargin - fieldLeft};
    }
    static constexpr win::Box ruleAt(int top) {
        return {kMargin, top, kClientWidth - 2 * kMargin, 2};
    }
    static constexpr win::Box okButtonAt(int top) {
        return win::centredButton(kClientWidth, 2, kButtonGap, 0, top);
    }
    static constexpr win::Box cancelButtonAt(int top) {
        return win::centredButton(kClientWidth, 2, kButtonGap, 1, top);
    }

protected:
    OptionDialog(const char* className, std::string name, std::string caption, int clientHeight,
                 HWND owner);

    // Enter presses OK and Escape Cancel; Cancel closes the dialog and stores nothing.
    void useButtons(win::PushButton& ok, win::PushButton& cancel);

private:
    static constexpr int kButtonGap = 15;
};

}  // namespace vps
