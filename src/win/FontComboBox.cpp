#include "win/FontComboBox.h"

#include <algorithm>

#include "core/TextUtil.h"
#include "win/ComboBox.h"
#include "win/Gdi.h"
#include "win/WideText.h"

namespace win {

namespace {

constexpr int kSamplePoints = 14;
constexpr int kNameColumnWidth = 150;
constexpr int kDroppedWidth = 330;

int samplePixelHeight() {
    WindowDC screen(nullptr);
    return MulDiv(kSamplePoints, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
}

}  // namespace

FontComboBox::FontComboBox(Window& parent, const ControlDescription& description) : Control(parent, description) {
    Box bounds = description.bounds;
    bounds.height += 240;  // room for the list to drop down
    createStandard("COMBOBOX",
                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                       CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                   0, parent.handle(), bounds, "", controlId());
    finishCreation();
    // An owner-drawn box asks its parent for the item height while it is being created, before
    // this object can answer; so the heights are set here: the closed box keeps the height it
    // was given, the open list makes room for the 14-point samples.
    SendMessageW(handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                 description.bounds.height - 6);
    SendMessageW(handle(), CB_SETITEMHEIGHT, 0, samplePixelHeight() + 6);
    SendMessageW(handle(), CB_SETDROPPEDWIDTH, scaled(kDroppedWidth), 0);
}

void FontComboBox::setFonts(const std::vector<std::string>& names) {
    const std::string chosen = selectedFont();
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
    for (const auto& name : names) {
        SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(name).c_str()));
    }
    if (!chosen.empty()) setSelectedFont(chosen);
}

int FontComboBox::count() const {
    return static_cast<int>(SendMessageW(handle(), CB_GETCOUNT, 0, 0));
}

int FontComboBox::itemIndex() const {
    return static_cast<int>(SendMessageW(handle(), CB_GETCURSEL, 0, 0));
}

std::string FontComboBox::itemText(int index) const {
    return comboItemText(handle(), index);
}

std::string FontComboBox::selectedFont() const {
    const int index = itemIndex();
    return index < 0 ? std::string() : itemText(index);
}

void FontComboBox::setSelectedFont(const std::string& name) {
    int found = -1;
    for (int i = 0; i < count() && found < 0; ++i) {
        if (vps::equalsIgnoringAsciiCase(itemText(i), name)) found = i;
    }
    if (found == itemIndex()) return;
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(found), 0);
    selectionChanged();
}

void FontComboBox::setSampleText(const std::string& text) {
    sampleText_ = text;
    // The open list is a separate window; repaint it too when it is showing.
    COMBOBOXINFO info{sizeof info};
    if (GetComboBoxInfo(handle(), &info) && info.hwndList)
        InvalidateRect(info.hwndList, nullptr, TRUE);
    invalidate();
}

void FontComboBox::addSelectionListener(std::function<void()> listener) {
    listeners_.push_back(std::move(listener));
}

void FontComboBox::selectionChanged() {
    for (const auto& listener : listeners_) listener();
    if (OnChange) OnChange();
}

std::optional<PropertyAccess> FontComboBox::property(std::string_view name) {
    if (name != "SelectedFont") return std::nullopt;
    return stringProperty([this] { return selectedFont(); },
                          [this](const std::string& value) { setSelectedFont(value); });
}

std::optional<LRESULT> FontComboBox::handleReflected(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) {
        selectionChanged();
        return 0;
    }
    return std::nullopt;
}

void FontComboBox::drawItem(const DRAWITEMSTRUCT& item) {
    const HDC dc = item.hDC;
    RECT area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    FillRect(dc, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID != static_cast<UINT>(-1)) {
        const std::wstring name = wide(itemText(static_cast<int>(item.itemID)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(disabled   ? COLOR_GRAYTEXT
                                     : selected ? COLOR_HIGHLIGHTTEXT
                                                : COLOR_WINDOWTEXT));
        RECT nameArea = area;
        nameArea.left += 3;
        const bool inOpenList = (item.itemState & ODS_COMBOBOXEDIT) == 0;
        if (inOpenList) nameArea.right = std::min<LONG>(area.right, area.left + scaled(kNameColumnWidth));
        {
            SelectGuard useControlFont(dc, font());
            DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &nameArea,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        if (inOpenList && !sampleText_.empty()) {
            const Font sample(CreateFontW(
                -samplePixelHeight(), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, name.c_str()));
            SelectGuard useSample(dc, sample.get());
            RECT sampleArea = area;
            sampleArea.left = nameArea.right + 4;
            const std::wstring sampleText = wide(sampleText_);
            DrawTextW(dc, sampleText.c_str(), static_cast<int>(sampleText.size()), &sampleArea,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT))
        DrawFocusRect(dc, &area);
}

}  // namespace win
