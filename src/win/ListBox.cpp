#include "win/ListBox.h"

#include <algorithm>

#include "win/WideText.h"

namespace win {

ListBox::ListBox(Window& parent, const ControlDescription& description) : Control(parent, description) {
    // Drawn by the control itself, so headings can be bold and topics indented; the strings are
    // still kept by the list box, so LB_GETTEXT answers as for any list.
    createStandard("LISTBOX",
                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                       LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
                   WS_EX_CLIENTEDGE, parent.handle(), description.bounds, "", controlId());
    finishCreation();
    fitItemHeight();
}

void ListBox::setItems(std::vector<ListItem> items) {
    items_ = std::move(items);
    SendMessageW(handle(), WM_SETREDRAW, FALSE, 0);
    SendMessageW(handle(), LB_RESETCONTENT, 0, 0);
    for (const ListItem& item : items_) {
        SendMessageW(handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item.text).c_str()));
    }
    SendMessageW(handle(), WM_SETREDRAW, TRUE, 0);
    invalidate();
}

int ListBox::count() const {
    return static_cast<int>(SendMessageW(handle(), LB_GETCOUNT, 0, 0));
}

int ListBox::itemIndex() const {
    return static_cast<int>(SendMessageW(handle(), LB_GETCURSEL, 0, 0));
}

void ListBox::setItemIndex(int index) {
    if (index < 0 || index >= count()) index = -1;
    SendMessageW(handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

HFONT ListBox::boldFont() const {
    if (boldMadeFrom_ != font()) {
        LOGFONTW look{};
        GetObjectW(font(), sizeof look, &look);
        look.lfWeight = FW_BOLD;
        bold_.reset(CreateFontIndirectW(&look));
        boldMadeFrom_ = font();
    }
    return bold_.get();
}

// The list asks its parent for the item height once, before this object can answer; the height
// is set here instead, from the font the items are drawn in.
void ListBox::fitItemHeight() {
    WindowDC dc(handle());
    SelectGuard select(dc.get(), boldFont());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    SendMessageW(handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(metrics.tmHeight + 4, 0));
}

void ListBox::drawItem(const DRAWITEMSTRUCT& draw) const {
    const HDC dc = draw.hDC;
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &draw.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (draw.itemID < items_.size()) {
        const ListItem& item = items_[draw.itemID];
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        SelectGuard select(dc, item.emphasised ? boldFont() : font());
        const int height = draw.rcItem.bottom - draw.rcItem.top;
        RECT text = draw.rcItem;
        text.left += 4 + item.indent * height;
        const std::wstring shown = wide(item.text);
        DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (draw.itemState & ODS_FOCUS) DrawFocusRect(dc, &draw.rcItem);
}

LRESULT ListBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = Control::handleMessage(message, wParam, lParam);
    if (message == WM_SETFONT) fitItemHeight();
    return result;
}

std::optional<LRESULT> ListBox::handleReflected(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message != WM_COMMAND) return std::nullopt;
    if (HIWORD(wParam) == LBN_SELCHANGE && OnChange) OnChange();
    if (HIWORD(wParam) == LBN_DBLCLK && OnDoubleClick) OnDoubleClick();
    return 0;
}

}  // namespace win
