// The cheat-sheet card fmCheatSheet: the always-on-top card that explains the key and the four
// steps.
#include "guidance/uCheatSheet.h"

#include "guidance/ResourcePicture.h"
#include "win/Application.h"
#include "win/Menu.h"

namespace vps {

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr const char* kSwitchItem = "ShowCheatSheet1";

constexpr const char* kPressTheKey =
    "Press the [PrintScreen] key on your keyboard to activate this utility.";
constexpr const char* kWhereTheKeyIs =
    "This key is sometimes labeled [PrtScr] and is usually just above the [Insert] (or [Ins]) "
    "key.  Once activated, follow the steps below.  The display may look a little different "
    "(larger) depending on your screen resolution, but the options (at the bottom) will be the "
    "same.";
constexpr const char* kTip =
    "(Tip:  Pressing the [PrintScreen] key a second time is the same as clicking the \"OK\" "
    "button.)";

}  // namespace

TfmCheatSheet::TfmCheatSheet()
    : Form({.className = "TfmCheatSheet",
            .name = "fmCheatSheet",
            .caption = "\"Cheat Sheet\"",
            .clientWidth = 446,
            .clientHeight = 426,
            .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
            .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
            .fontHeight = 13}),
      Label3(*this, {.name = "Label3", .bounds = {8, 16, 433, 17}, .caption = kPressTheKey}),
      Label1(*this, {.name = "Label1", .bounds = {8, 32, 433, 73}, .caption = kWhereTheKeyIs}),
      Image1(*this, {.name = "Image1", .bounds = {7, 104, 432, 239}}, kWhite),
      Label2(*this, {.name = "Label2", .bounds = {8, 344, 433, 33}, .caption = kTip}),
      buClose(*this,
              {.name = "buClose", .bounds = {274, 384, 105, 25}, .caption = "Close this card"}),
      buNoMore(*this, {.name = "buNoMore",
                       .bounds = {66, 384, 201, 25},
                       .caption = "Do not show this card again"}),
      buClose2(*this, {.name = "buClose2", .bounds = {8, 384, 33, 25}}, {.isDefault = true}),
      white_(CreateSolidBrush(kWhite)) {
    Label3.setFont(win::FontDescription{.face = "Arial", .height = 13, .weight = FW_BOLD});
    // The first line is one line: what does not fit is cut off rather than wrapped.
    SetWindowLongW(Label3.handle(), GWL_STYLE,
                   (GetWindowLongW(Label3.handle(), GWL_STYLE) & ~SS_TYPEMASK) | SS_LEFTNOWORDWRAP);
    // Enter presses the invisible buClose2 (IDOK below) while a click on a visible button
    // presses that one; the focus starts on the first button in the tab order, "Close this card".
    setCancelButton(&buClose);
    buClose.OnClick = [this] { buCloseClick(); };
    buClose2.OnClick = [this] { buClose2Click(); };
    buNoMore.OnClick = [this] { buNoMoreClick(); };
    OnShow = [this] { FormShow(); };
    // The designed outer size; the client size above is what it leaves inside the frame.
    SetWindowPos(handle(), nullptr, 0, 0, scaled(454), scaled(450), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FormCreate();
}

void TfmCheatSheet::FormCreate() {
    setScreenBounds({0, 0, bounds().width, bounds().height});
    const win::Box hidden = buClose2.bounds();
    buClose2.setBounds({hidden.left, hidden.top, 0, hidden.height});
}

void TfmCheatSheet::show() {
    Form::show();
    // FormShow ran only if the card was hidden; a shown card is raised here.
    SetWindowPos(handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TfmCheatSheet::FormShow() {
    // Decoded at the first showing rather than at start: the decoder comes up through OLE, which
    // the start would wait for before the main window can appear.
    if (!pictureLoaded_) {
        pictureLoaded_ = true;  // a picture that failed once is not asked for again
        try {
            Image1.setPicture(loadResourcePicture("CHEATSHEET"), win::Image::Units::Design);
        } catch (const std::exception& error) {
            // The card still explains the key and the steps in words.
            win::Application::showException(error);
        }
    }
    SetWindowPos(handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TfmCheatSheet::buCloseClick() {
    hide();
}

void TfmCheatSheet::buClose2Click() {
    hide();
}

void TfmCheatSheet::buNoMoreClick() {
    // The switch lives in the main window's menu; its own click turns it off and stores that.
    if (win::Form* main = win::Application::mainForm(); main && main->menu()) {
        win::MenuItem& item = main->menu()->item(kSwitchItem);
        item.setChecked(true);
        item.click();
    }
    hide();
}

LRESULT TfmCheatSheet::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client{0, 0, clientWidth(), clientHeight()};
            FillRect(reinterpret_cast<HDC>(wParam), &client, white_.get());
            return 1;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetBkColor(reinterpret_cast<HDC>(wParam), kWhite);
            return reinterpret_cast<LRESULT>(white_.get());
        case WM_COMMAND:
            // Enter, from the dialog manager: the invisible default button.
            if (LOWORD(wParam) == IDOK && lParam == 0) {
                if (buClose2.enabled()) buClose2.click();
                return 0;
            }
            break;
        case DM_GETDEFID:
            return MAKELRESULT(GetDlgCtrlID(buClose2.handle()), DC_HASDEFID);
        default:
            break;
    }
    return Form::handleMessage(message, wParam, lParam);
}

}  // namespace vps
