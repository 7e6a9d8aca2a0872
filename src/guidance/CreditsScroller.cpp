#include "guidance/CreditsScroller.h"

namespace vps {

namespace {
constexpr COLORREF kBackground = RGB(240, 251, 255);
}

CreditsScroller::CreditsScroller(win::Window& parent, const win::ControlSpec& spec)
    : Control(parent, spec),
      font_(CreateFontA(-13, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial")) {
    createOwn("VantaroCredits", 0, WS_CHILD | WS_CLIPSIBLINGS, 0, parent.handle(), spec.bounds, "");
    finishCreation();
}

void CreditsScroller::setLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    invalidate();
}

void CreditsScroller::setActive(bool active) {
    active_ = active;
    invalidate();
}

void CreditsScroller::paint(HDC dc) {
    RECT client{0, 0, clientWidth(), clientHeight()};
    win::Brush background(CreateSolidBrush(kBackground));
    FillRect(dc, &client, background.get());

    win::SelectGuard selectFont(dc, font_.get());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading + 1;
    const int textHeight = static_cast<int>(lines_.size()) * lineHeight;
    int top = (client.bottom - textHeight) / 2;
    SetBkMode(dc, TRANSPARENT);
    for (const auto& line : lines_) {
        RECT row{0, top, client.right, top + lineHeight};
        // Raised letters: a light copy up-left, a shadow down-right, the text between.
        const std::pair<POINT, COLORREF> layers[] = {
            {{-1, -1}, GetSysColor(COLOR_BTNHIGHLIGHT)},
            {{1, 1}, GetSysColor(COLOR_BTNSHADOW)},
            {{0, 0}, GetSysColor(COLOR_WINDOWTEXT)},
        };
        for (const auto& [offset, colour] : layers) {
            RECT shifted = row;
            OffsetRect(&shifted, offset.x, offset.y);
            SetTextColor(dc, colour);
            DrawTextA(dc, line.c_str(), -1, &shifted, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        top += lineHeight;
    }
}

LRESULT CreditsScroller::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            win::PaintDC dc(handle());
            paint(dc.get());
            return 0;
        }
        default:
            return Control::handleMessage(message, wParam, lParam);
    }
}

}  // namespace vps
