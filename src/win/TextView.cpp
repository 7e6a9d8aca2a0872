#include "win/TextView.h"

#include <windowsx.h>

#include <algorithm>

#include "win/WideText.h"

namespace win {

namespace {

constexpr COLORREF kLinkColour = RGB(0, 0, 192);
constexpr UINT kWrap = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;

using Style = TextBlock::Style;

// Space above a block, in parts of a line, by what precedes it: related lines stay close,
// paragraphs and the title stand apart.
int gapBefore(Style previous, Style current, int lineHeight) {
    if (current == Style::Caption) return lineHeight;
    if (previous == Style::Title) return lineHeight * 2 / 3;
    if (previous == Style::Bullet && current == Style::Bullet) return lineHeight / 4;
    if (current == Style::Link) return lineHeight / 6;
    return lineHeight / 2;
}

std::string plainText(const std::vector<TextBlock>& blocks) {
    std::string text;
    for (const TextBlock& block : blocks) {
        if (!text.empty()) text += "\r\n";
        if (block.style == Style::Bullet) text += "- ";
        text += block.text;
    }
    return text;
}

}  // namespace

TextView::TextView(Window& parent, const ControlDescription& description, const TextViewOptions& options)
    // Drawn off screen first, so scrolling does not flicker.
    : PaintedControl(parent, description, {.doubleBuffered = true}), options_(options) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (options.scrollBar) style |= WS_VSCROLL;
    if (options.tabStop) style |= WS_TABSTOP;
    createOwn("VantaroTextView", CS_DBLCLKS, style, options.scrollBar ? WS_EX_CLIENTEDGE : 0,
              parent.handle(), description.bounds, "");
    finishCreation();
    relayout();
}

void TextView::setBlocks(std::vector<TextBlock> blocks) {
    blocks_ = std::move(blocks);
    pressedLink_.reset();
    setText(plainText(blocks_));
    scrollY_ = 0;
    relayout();
    invalidate();
}

SIZE TextView::measure(int maxWidth) const {
    const Layout layout = layoutFor(maxWidth);
    // One pixel of slack, so wrapping again at exactly this width breaks the lines the same way.
    return {layout.size.cx + 1, layout.size.cy};
}

void TextView::scrollTo(int y) {
    const int target = std::clamp(y, 0, maxScroll());
    if (target == scrollY_) return;
    scrollY_ = target;
    updateScrollBar();
    InvalidateRect(handle(), nullptr, FALSE);
}

HFONT TextView::fontOf(Style style) const {
    const HFONT base = font();
    if (fontsMadeFrom_ != base) {
        LOGFONTW look{};
        GetObjectW(base, sizeof look, &look);
        LOGFONTW bold = look;
        bold.lfWeight = FW_BOLD;
        bold_.reset(CreateFontIndirectW(&bold));
        LOGFONTW title = bold;
        title.lfHeight = look.lfHeight * 13 / 10;
        title_.reset(CreateFontIndirectW(&title));
        LOGFONTW underlined = look;
        underlined.lfUnderline = TRUE;
        underlined_.reset(CreateFontIndirectW(&underlined));
        fontsMadeFrom_ = base;
    }
    switch (style) {
        case Style::Title:
            return title_.get();
        case Style::Caption:
            return bold_.get();
        case Style::Link:
            return underlined_.get();
        case Style::Paragraph:
        case Style::Bullet:
            break;
    }
    return base;
}

TextView::Layout TextView::layoutFor(int width) const {
    Layout layout;
    WindowDC dc(handle());
    {
        SelectGuard select(dc.get(), fontOf(Style::Paragraph));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc.get(), &metrics);
        layout.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    }
    const int margin = options_.margin;
    const int indent = layout.lineHeight + 2;
    const int textWidth = std::max(width - 2 * margin, 1);
    int y = margin;
    int widest = 0;
    for (std::size_t i = 0; i < blocks_.size(); ++i) {
        const TextBlock& block = blocks_[i];
        if (i > 0) y += gapBefore(blocks_[i - 1].style, block.style, layout.lineHeight);
        const int left = block.style == Style::Bullet || block.style == Style::Link ? indent : 0;
        RECT extent{0, 0, std::max(textWidth - left, 1), 0};
        SelectGuard select(dc.get(), fontOf(block.style));
        const std::wstring shown = wide(block.text);
        DrawTextW(dc.get(), shown.c_str(), static_cast<int>(shown.size()), &extent,
                  kWrap | DT_CALCRECT);
        layout.placed.push_back(
            {i, {margin + left, y, margin + left + extent.right, y + extent.bottom}});
        widest = std::max<int>(widest, left + extent.right);
        y += extent.bottom;
    }
    layout.size = {widest + 2 * margin, y + margin};
    return layout;
}

void TextView::relayout() {
    layout_ = layoutFor(clientWidth());
    scrollY_ = std::clamp(scrollY_, 0, maxScroll());
    updateScrollBar();
}

int TextView::maxScroll() const {
    return std::max<int>(layout_.size.cy - clientHeight(), 0);
}

void TextView::updateScrollBar() {
    if (!options_.scrollBar) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    // Kept visible (greyed) when everything fits: a bar that came and went would change the
    // width, and with it the wrapping, and with that the need for the bar.
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = std::max<int>(layout_.size.cy - 1, 0);
    info.nPage = static_cast<UINT>(std::max(clientHeight(), 0));
    info.nPos = scrollY_;
    SetScrollInfo(handle(), SB_VERT, &info, TRUE);
}

void TextView::drawBullet(HDC dc, const RECT& text, COLORREF colour) const {
    const int radius = std::max(layout_.lineHeight / 7, 2);
    const int x = text.left - bulletIndent() / 2;
    const int y = text.top + layout_.lineHeight / 2;
    Brush brush(CreateSolidBrush(colour));
    SelectGuard selectBrush(dc, brush.get());
    SelectGuard selectPen(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, x - radius, y - radius, x + radius + 1, y + radius + 1);
}

HBRUSH TextView::background(HDC) {
    return GetSysColorBrush(options_.infoColours ? COLOR_INFOBK : COLOR_WINDOW);
}

void TextView::paint(HDC dc, const RECT& client) {
    SetBkMode(dc, TRANSPARENT);
    const COLORREF ink = GetSysColor(options_.infoColours ? COLOR_INFOTEXT : COLOR_WINDOWTEXT);
    for (const Placed& placed : layout_.placed) {
        RECT text = placed.text;
        OffsetRect(&text, 0, -scrollY_);
        if (text.bottom < client.top || text.top > client.bottom) continue;
        const TextBlock& block = blocks_[placed.block];
        SelectGuard selectFont(dc, fontOf(block.style));
        SetTextColor(dc, block.style == Style::Link ? kLinkColour : ink);
        const std::wstring shown = wide(block.text);
        DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text, kWrap);
        if (block.style == Style::Bullet) drawBullet(dc, text, ink);
    }
}

std::optional<int> TextView::linkAt(POINT client) const {
    client.y += scrollY_;
    for (const Placed& placed : layout_.placed) {
        const TextBlock& block = blocks_[placed.block];
        if (block.style == Style::Link && PtInRect(&placed.text, client)) return block.link;
    }
    return std::nullopt;
}

bool TextView::handleKey(const KeyEvent& key) {
    return !key.system && options_.scrollBar && scrollByKey(key.key);
}

bool TextView::scrollByKey(WPARAM key) {
    const int page = std::max(clientHeight() - layout_.lineHeight, layout_.lineHeight);
    switch (key) {
        case VK_UP:
            scrollTo(scrollY_ - layout_.lineHeight);
            return true;
        case VK_DOWN:
            scrollTo(scrollY_ + layout_.lineHeight);
            return true;
        case VK_PRIOR:
            scrollTo(scrollY_ - page);
            return true;
        case VK_NEXT:
        case VK_SPACE:
            scrollTo(scrollY_ + page);
            return true;
        case VK_HOME:
            scrollTo(0);
            return true;
        case VK_END:
            scrollTo(maxScroll());
            return true;
        default:
            return false;
    }
}

void TextView::scrollByBar(WORD request) {
    const int page = std::max(clientHeight() - layout_.lineHeight, layout_.lineHeight);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    switch (request) {
        case SB_LINEUP:
            scrollTo(scrollY_ - layout_.lineHeight);
            break;
        case SB_LINEDOWN:
            scrollTo(scrollY_ + layout_.lineHeight);
            break;
        case SB_PAGEUP:
            scrollTo(scrollY_ - page);
            break;
        case SB_PAGEDOWN:
            scrollTo(scrollY_ + page);
            break;
        case SB_TOP:
            scrollTo(0);
            break;
        case SB_BOTTOM:
            scrollTo(maxScroll());
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            // The message's own position has only 16 bits.
            GetScrollInfo(handle(), SB_VERT, &info);
            scrollTo(info.nTrackPos);
            break;
        default:
            break;
    }
}

LRESULT TextView::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE:
            relayout();
            InvalidateRect(handle(), nullptr, FALSE);
            break;
        case WM_SETFONT:
            PaintedControl::handleMessage(message, wParam, lParam);
            relayout();
            return 0;
        case WM_VSCROLL:
            scrollByBar(LOWORD(wParam));
            return 0;
        case WM_MOUSEWHEEL:
            scrollTo(scrollY_ -
                     GET_WHEEL_DELTA_WPARAM(wParam) * 3 * layout_.lineHeight / WHEEL_DELTA);
            return 0;
        case WM_GETDLGCODE:
            return options_.scrollBar ? DLGC_WANTARROWS : 0;
        case WM_LBUTTONDOWN:
            if (GetWindowLongW(handle(), GWL_STYLE) & WS_TABSTOP) SetFocus(handle());
            pressedLink_ = linkAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            break;
        case WM_LBUTTONUP: {
            const auto link = linkAt({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            const bool clicked = link && link == pressedLink_;
            pressedLink_.reset();
            // The handler may show other text in this view; this message is done with it first.
            PaintedControl::handleMessage(message, wParam, lParam);
            if (clicked && OnLinkClick) OnLinkClick(*link);
            return 0;
        }
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                POINT at{};
                GetCursorPos(&at);
                ScreenToClient(handle(), &at);
                if (linkAt(at)) {
                    SetCursor(LoadCursorW(nullptr, systemResource(IDC_HAND)));
                    return TRUE;
                }
            }
            break;
        default:
            break;
    }
    return PaintedControl::handleMessage(message, wParam, lParam);
}

}  // namespace win
