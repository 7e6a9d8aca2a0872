#pragma once

#include <string>
#include <vector>

#include "win/Control.h"
#include "win/Gdi.h"

namespace vps {

// The panel that shows the credits: the product, its version and copyright, centred in raised
// letters on a pale blue ground.
class CreditsScroller : public win::Control {
public:
    CreditsScroller(win::Window& parent, const win::ControlSpec& spec);

    const std::vector<std::string>& lines() const { return lines_; }
    void setLines(std::vector<std::string> lines);

    bool active() const { return active_; }
    void setActive(bool active);

protected:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void paint(HDC dc);

    std::vector<std::string> lines_;
    bool active_ = false;
    win::Font font_;
};

}  // namespace vps
