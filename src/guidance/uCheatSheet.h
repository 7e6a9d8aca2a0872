// The cheat-sheet card fmCheatSheet: the always-on-top card that explains the key and the four
// steps.
#pragma once

#include "win/Button.h"
#include "win/Form.h"
#include "win/Gdi.h"
#include "win/Image.h"
#include "win/Label.h"

namespace vps {

// The always-on-top card that explains the key and the four steps of a capture. It lives for the
// whole run, hidden or shown; the main menu's Options > Show Cheat Sheet says whether each
// activation shows it.
class TfmCheatSheet : public win::Form {
public:
    TfmCheatSheet();

    // Shows the card on top of every other window; a card that is already shown comes to the
    // front again. (Hides Form::show on purpose: every caller wants the card on top.)
    void show();

    // The texts first: they take no part in the tab order.
    win::Label Label3;
    win::Label Label1;
    win::Image Image1;
    win::Label Label2;
    // The buttons, in their tab order.
    win::PushButton buClose;
    win::PushButton buNoMore;
    win::PushButton buClose2;

    void buCloseClick();
    void buClose2Click();
    void buNoMoreClick();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormShow();

    win::Brush white_;
    bool pictureLoaded_ = false;
};

inline TfmCheatSheet* fmCheatSheet = nullptr;

}  // namespace vps
