#include "win/Edit.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/IniValues.h"
#include "win/Error.h"

namespace win {

Edit::Edit(Window& parent, const ControlDescription& description, DWORD extraStyle) : Control(parent, description) {
    createStandard("EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | extraStyle,
                   WS_EX_CLIENTEDGE, parent.handle(), description.bounds, description.caption, controlId());
    finishCreation();
}

std::optional<PropertyAccess> Edit::property(std::string_view name) {
    if (name != "Text") return std::nullopt;
    return stringProperty([this] { return text(); }, [this](const std::string& value) { setText(value); });
}

std::optional<LRESULT> Edit::handleReflected(UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND) return std::nullopt;
    if (HIWORD(wParam) == EN_CHANGE && OnChange) OnChange();
    if (HIWORD(wParam) == EN_KILLFOCUS && OnExit) OnExit();
    return 0;
}

SpinEdit::SpinEdit(Window& parent, const ControlDescription& description, int minimum, int maximum, int value)
    : Edit(parent, description, ES_NUMBER), minimum_(minimum), maximum_(maximum) {
    arrows_ = CreateWindowExW(
        0, UPDOWN_CLASSW, L"",
        WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
        0, 0, 0, 0, parent.handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!arrows_) raiseLastOSError();
    SendMessageW(arrows_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(handle()), 0);
    SendMessageW(arrows_, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
    setValue(value);
    OnExit = [this] { clampToRange(); };
}

SpinEdit::~SpinEdit() {
    if (arrows_ && IsWindow(arrows_)) DestroyWindow(arrows_);
}

int SpinEdit::value() const {
    // Enter on the default button leaves the focus here, so the range is kept on reading as well.
    const auto parsed = vps::ini::parseInteger(text());
    return parsed ? std::clamp(*parsed, minimum_, maximum_) : minimum_;
}

void SpinEdit::setValue(int value) { setText(std::to_string(value)); }

void SpinEdit::setEnabled(bool enabled) {
    Window::setEnabled(enabled);
    EnableWindow(arrows_, enabled);
}

void SpinEdit::clampToRange() {
    const auto parsed = vps::ini::parseInteger(text());
    if (!parsed) return;  // not a number: it counts as the minimum when read
    const int clamped = std::clamp(*parsed, minimum_, maximum_);
    if (clamped != *parsed) setValue(clamped);
}

std::optional<PropertyAccess> SpinEdit::property(std::string_view name) {
    if (name != "Value") return Edit::property(name);
    return integerProperty([this] { return value(); },
                           [this](std::int64_t v) { setValue(static_cast<int>(v)); });
}

}  // namespace win
