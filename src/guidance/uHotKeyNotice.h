#pragma once

#include "core/HotKeyNotice.h"
#include "win/Button.h"
#include "win/CheckBox.h"
#include "win/Form.h"
#include "win/Label.h"

namespace vps {

// Tells the user, without stopping anything, which Print Screen keys do not reach the program
// and why; when Windows' own setting takes Print Screen it offers to turn that setting off.
class TfmHotKeyNotice : public win::Form {
public:
    explicit TfmHotKeyNotice(const hotkeys::Notice& notice);

    // The texts first: they take no part in the tab order.
    win::IconLabel imWarning;
    win::Label lbMessage;
    // The controls, in their tab order.
    win::CheckBox HotKeyNoticeOff;
    win::PushButton buTurnOffWindowsSetting;
    win::PushButton buOK;

    void HotKeyNoticeOffClick();
    void buTurnOffWindowsSettingClick();
    void buOKClick();
};

}  // namespace vps
