#include "win/RadioGroup.h"

#include <algorithm>
#include <stdexcept>

#include "win/Error.h"
#include "win/Gdi.h"
#include "win/WideText.h"

namespace win {

RadioGroup::RadioGroup(Window& parent, const ControlDescription& description, const std::vector<std::string>& items,
                       int itemIndex)
    : GroupBox(parent, description) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_RADIOBUTTON;
        if (i == 0) style |= WS_GROUP;
        HWND button =
            CreateWindowExW(0, L"BUTTON", wide(items[i]).c_str(), style, 0, 0, 0, 0, handle(),
                            reinterpret_cast<HMENU>(i + 1), GetModuleHandleW(nullptr), nullptr);
        if (!button) raiseLastOSError();
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
        buttons_.push_back(button);
    }
    layoutChildren();
    itemIndex_ = std::clamp(itemIndex, -1, count() - 1);
    if (itemIndex_ >= 0) SendMessageW(button(itemIndex_), BM_SETCHECK, BST_CHECKED, 0);
    updateTabStop();
}

void RadioGroup::updateTabStop() {
    // Tab enters the group at its checked button, or at the first when none is checked.
    const int entry = std::max(itemIndex_, 0);
    for (int i = 0; i < count(); ++i) {
        const LONG style = GetWindowLongW(button(i), GWL_STYLE);
        SetWindowLongW(button(i), GWL_STYLE, i == entry ? style | WS_TABSTOP : style & ~WS_TABSTOP);
    }
}

void RadioGroup::layoutChildren() {
    GroupBox::layoutChildren();
    if (buttons_.empty()) return;
    // One column, the items spread evenly below the caption.
    TEXTMETRICW metrics{};
    {
        WindowDC dc(handle());
        SelectGuard select(dc.get(), font());
        GetTextMetricsW(dc.get(), &metrics);
    }
    const int room = clientHeight() - metrics.tmHeight - scaled(5);
    const int rowHeight = room / count();
    const int topMargin = metrics.tmHeight + scaled(1) + (room % count()) / 2;
    for (int i = 0; i < count(); ++i) {
        MoveWindow(button(i), scaled(8), topMargin + i * rowHeight, clientWidth() - scaled(10), rowHeight, TRUE);
    }
}

void RadioGroup::setItemIndex(int index) {
    index = std::clamp(index, -1, count() - 1);
    if (index == itemIndex_) return;
    if (itemIndex_ >= 0) SendMessageW(button(itemIndex_), BM_SETCHECK, BST_UNCHECKED, 0);
    itemIndex_ = index;
    if (index >= 0) SendMessageW(button(index), BM_SETCHECK, BST_CHECKED, 0);
    updateTabStop();
    if (index >= 0 && OnClick) OnClick();
}

std::optional<PropertyAccess> RadioGroup::property(std::string_view name) {
    if (name != "ItemIndex") return std::nullopt;
    return integerProperty([this] { return itemIndex(); },
                           [this](std::int64_t index) {
                               if (index < 0 && !noChoiceStored_) {
                                   throw std::out_of_range(componentName() + " needs a choice.");
                               }
                               setItemIndex(static_cast<int>(std::clamp<std::int64_t>(index, -1, count())));
                           });
}

LRESULT RadioGroup::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        const auto clicked = std::ranges::find(buttons_, reinterpret_cast<HWND>(lParam));
        if (clicked != buttons_.end()) {
            SetFocus(*clicked);
            setItemIndex(static_cast<int>(clicked - buttons_.begin()));
            return 0;
        }
    }
    if (message == WM_ENABLE) {
        for (HWND button : buttons_) EnableWindow(button, static_cast<BOOL>(wParam));
    }
    if (message == WM_SETFONT) {
        for (HWND button : buttons_) SendMessageW(button, WM_SETFONT, wParam, lParam);
    }
    return GroupBox::handleMessage(message, wParam, lParam);
}

}  // namespace win
