#pragma once

#include <vector>

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
    win::PushButton buOK;
    win::PushButton buCancel;

    void FormShow();
    void buOKClick();

private:
    std::vector<StoredProperty> storedProperties();
};

}  // namespace vps
