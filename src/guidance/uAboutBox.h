// The About box: program name, version and system facts, the scrolling credits and the web link.
#pragma once

#include <string>
#include <vector>

#include "guidance/CreditsScroller.h"
#include "guidance/WebLink.h"
#include "win/Button.h"
#include "win/Form.h"
#include "win/Panel.h"

namespace vps {

// The maker's web address, shown and opened by the About box.
inline constexpr const char* kMakerWebAddress = "https://www.vantaro.example/";

// The About box: a small monitor whose screen rolls the main window's credits, the maker's web
// address below it, and OK. Made for one showing and destroyed after it.
class TfmAboutBox : public win::Form {
public:
    TfmAboutBox(HWND owner, const std::vector<std::string>& credits);

    // The monitor drawing. Siblings that overlap are declared top first: the bezel and the foot
    // stand in front of the neck, the power switch and light in front of the link's line.
    win::Panel paMonitor;
    win::Panel Panel9;
    win::Panel Panel10;
    CreditsScroller Credits;
    win::PushButton buMonitorPower;
    win::Panel paMonitorIndicator;
    WebLink lbWebLink;
    win::Panel Panel12;
    win::Panel Panel8;
    win::PushButton OKButton;

    void OKButtonClick();

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate(const std::vector<std::string>& credits);
    void centreOnScreen();
};

}  // namespace vps
