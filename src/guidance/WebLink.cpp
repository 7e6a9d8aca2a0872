#include "guidance/WebLink.h"

#include <shellapi.h>

#include "win/WideText.h"

namespace vps {

namespace {

constexpr COLORREF kLinkBlue = RGB(0, 0, 255);

// 8 points at the 96 pixels per inch the layout is designed for.
constexpr int kFontHeight = 11;

}  // namespace

WebLink::WebLink(win::Window& parent, const win::ControlDescription& description, std::string address)
    : PaintedControl(parent, description, {.clickable = true}),
      address_(std::move(address)),
      font_(win::createFont({.face = "MS Sans Serif", .height = kFontHeight, .underline = true}, dpi())) {
    createOwn("VantaroWebLink", 0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, parent.handle(),
              description.bounds, address_);
    finishCreation();
    setFont(font_.get());
}

void WebLink::setAddress(std::string address) {
    address_ = std::move(address);
    setText(address_);
    invalidate();
}

void WebLink::click() {
    if (!isLink()) return;
    const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(parentWindow()->handle(), L"open",
                                                                win::wide(address_).c_str(),
                                                                nullptr, nullptr, SW_SHOWNORMAL));
    // ShellExecute answers a value above 32 on success.
    if (result <= 32) {
        setEnabled(false);
        invalidate();
    }
}

void WebLink::paint(HDC dc, const RECT& client) {
    win::SelectGuard selectFont(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    const std::wstring caption = win::wide(text());
    const int length = static_cast<int>(caption.size());
    RECT box = client;
    const UINT flags = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (isLink()) {
        SetTextColor(dc, kLinkBlue);
        DrawTextW(dc, caption.c_str(), length, &box, flags);
        return;
    }
    // Disabled text: engraved, a light copy below right of the grey.
    RECT light = box;
    OffsetRect(&light, 1, 1);
    SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, caption.c_str(), length, &light, flags);
    SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawTextW(dc, caption.c_str(), length, &box, flags);
}

LRESULT WebLink::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR && isLink()) {
        SetCursor(LoadCursorW(nullptr, win::systemResource(IDC_HAND)));
        return TRUE;
    }
    return PaintedControl::handleMessage(message, wParam, lParam);
}

}  // namespace vps
