#pragma once

#include <string>

#include "win/Gdi.h"
#include "win/PaintedControl.h"

namespace vps {

// A centred line of blue, underlined text that opens a web address in the user's browser when
// clicked. If the system cannot open it, the text stops being a link and shows as disabled text
// from then on.
class WebLink : public win::PaintedControl {
public:
    WebLink(win::Window& parent, const win::ControlDescription& description, std::string address);

    const std::string& address() const { return address_; }
    void setAddress(std::string address);
    bool isLink() const { return enabled(); }

    void click();

protected:
    void paint(HDC dc, const RECT& client) override;
    void clicked() override { click(); }
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string address_;
    win::Font font_;
};

}  // namespace vps
