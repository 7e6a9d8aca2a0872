#pragma once

#include <vector>

#include "core/StartWithWindows.h"
#include "settings/OptionDialog.h"
#include "settings/uIni.h"
#include "win/Button.h"
#include "win/CheckBox.h"
#include "win/DialogLayout.h"
#include "win/GroupBox.h"
#include "win/RadioGroup.h"

namespace vps {

// Choices about how the program meets the rest of the desktop. Each choice is a group of its
// own, stacked top to bottom above the rule.
class TfmGeneralOptions : public OptionDialog {
public:
    explicit TfmGeneralOptions(HWND owner);

    win::HorizontalRule Bevel1;
    // The controls, in their tab order.
    win::RadioGroup ScreenToCapture;
    win::GroupBox gbHotKeyNotice;
    win::CheckBox HotKeyNoticeOff;
    win::GroupBox gbStartWithWindows;
    // Not kept in the settings file: it shows, and changes, the per-user Run value itself.
    win::CheckBox StartWithWindows;
    win::PushButton buOK;
    win::PushButton buCancel;

    void FormShow();
    void buOKClick();

private:
    std::vector<StoredProperty> storedProperties();
    // Reads the Run value, offers to point a moved program's value here, and sets the box.
    void showStartWithWindows();

    // What the Run value said when the dialog opened (after the offer to update it).
    startup::RunEntry RunEntryFound = startup::RunEntry::Missing;
};

}  // namespace vps
