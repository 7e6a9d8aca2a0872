// The About box: program name, version and system facts, the scrolling credits and the web link.
#include "guidance/uAboutBox.h"

namespace vps {

namespace {

using namespace vps::layout;

constexpr COLORREF kScreenGrey = RGB(128, 128, 128);
constexpr COLORREF kPowerLight = RGB(255, 0, 0);

}  // namespace

TfmAboutBox::TfmAboutBox(HWND owner, const std::vector<std::string>& credits)
    : Form({.className = "TfmAboutBox",
            .name = "AboutBox",
            .caption = "About",
            .clientWidth = 435,
            .clientHeight = 293,
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
            .exStyle = WS_EX_DLGMODALFRAME,
            .owner = owner}),
      paMonitor(*this, {.name = "paMonitor", .bounds = {14, 2, 408, 263}, .anchors = kAllEdges},
                {.outer = win::Bevel::None}),
      Panel9(paMonitor, {.name = "Panel9", .bounds = {0, 0, 404, 247}},
             {.outer = win::Bevel::Raised, .inner = win::Bevel::Raised, .bevelWidth = 2}),
      Panel10(Panel9, {.name = "Panel10", .bounds = {14, 14, 376, 213}},
              {.outer = win::Bevel::Lowered, .inner = win::Bevel::Lowered, .color = kScreenGrey}),
      Credits(Panel10, {.name = "Credits"}),
      buMonitorPower(Panel9,
                     {.name = "buMonitorPower", .bounds = {358, 231, 15, 8}, .caption = " "},
                     {.tabStop = false}),
      paMonitorIndicator(Panel9, {.name = "paMonitorIndicator", .bounds = {375, 232, 6, 6}},
                         {.outer = win::Bevel::Lowered, .color = kPowerLight}),
      lbWebLink(Panel9, {.name = "lbWebLink", .bounds = {0, 228, 409, 15}}, kMakerWebAddress),
      Panel12(paMonitor, {.name = "Panel12", .bounds = {54, 251, 296, 6}}),
      Panel8(paMonitor, {.name = "Panel8", .bounds = {175, 242, 50, 12}}),
      OKButton(*this, {.name = "OKButton", .bounds = {180, 266, 75, 25}, .caption = "OK"},
               {.isDefault = true}) {
    Credits.setAlign(win::Align::Client);
    Credits.setVisible(true);
    setDefaultButton(&OKButton);
    OKButton.OnClick = [this] { OKButtonClick(); };
    buMonitorPower.OnClick = [this] { OKButtonClick(); };
    // However the box closes, its credits stop rolling before it goes.
    OnClose = [this] { Credits.setActive(false); };
    centreOnScreen();
    FormCreate(credits);
}

void TfmAboutBox::FormCreate(const std::vector<std::string>& credits) {
    Credits.setLines(credits);
    Credits.setActive(true);
}

void TfmAboutBox::OKButtonClick() {
    Credits.setActive(false);
    setModalResult(IDOK);
}

void TfmAboutBox::centreOnScreen() {
    const win::Box outer = bounds();
    setScreenBounds({(GetSystemMetrics(SM_CXSCREEN) - outer.width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - outer.height) / 2, outer.width,
                     outer.height});
}

LRESULT TfmAboutBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Escape closes the box as its close box does; it has no Cancel button to press.
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL && lParam == 0) {
        close();
        return 0;
    }
    return Form::handleMessage(message, wParam, lParam);
}

}  // namespace vps
