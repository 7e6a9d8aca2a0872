#include "win/FontSizeComboBox.h"

#include <commctrl.h>

#include <string>

#include "core/IniValues.h"
#include "win/WideText.h"

namespace win {

namespace {

// Every font the lists offer is scalable, so each offers the same customary sizes.
constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

bool withinRange(int size) {
    return size > 0 && size < 1000;
}

}  // namespace

FontSizeComboBox::FontSizeComboBox(Window& parent, const ControlDescription& description, FontComboBox& fontList)
    : Control(parent, description), fontList_(fontList) {
    Box bounds = description.bounds;
    bounds.height += 200;  // room for the list to drop down
    createStandard("COMBOBOX",
                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                   0, parent.handle(), bounds, "", controlId());
    finishCreation();
    COMBOBOXINFO info{sizeof info};
    if (GetComboBoxInfo(handle(), &info)) edit_ = info.hwndItem;
    if (edit_) SetWindowSubclass(edit_, digitsOnly, 1, 0);
    fontList_.addSelectionListener([this] { followFontList(); });
    followFontList();
}

FontSizeComboBox::~FontSizeComboBox() {
    if (edit_ && IsWindow(edit_)) RemoveWindowSubclass(edit_, digitsOnly, 1);
}

LRESULT CALLBACK FontSizeComboBox::digitsOnly(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR) {
    // Control characters pass: backspace and the clipboard's Ctrl+C, Ctrl+V, Ctrl+X.
    if (message == WM_CHAR && wParam >= ' ' && (wParam < '0' || wParam > '9')) {
        MessageBeep(0);
        return 0;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

int FontSizeComboBox::count() const {
    return static_cast<int>(SendMessageW(handle(), CB_GETCOUNT, 0, 0));
}

int FontSizeComboBox::fontSize() const {
    return vps::ini::parseInteger(text()).value_or(-1);
}

void FontSizeComboBox::setFontSize(int size) {
    if (!enabled()) return;
    if (!withinRange(size)) size = kDefaultSize;
    const std::string shown = std::to_string(size);
    const auto index = SendMessageW(handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(wide(shown).c_str()));
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (index == CB_ERR) setText(shown);
}

void FontSizeComboBox::followFontList() {
    const bool hasFont = fontList_.itemIndex() >= 0;
    if (!hasFont) {
        SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
        setText("");
        setEnabled(false);
        return;
    }
    // Refilling the list empties the box; the size stays what it was.
    const std::string size = text();
    if (count() == 0) {
        for (int s : kSizes) {
            const std::string item = std::to_string(s);
            SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
        }
    }
    setEnabled(true);
    if (size.empty()) {
        setFontSize(kDefaultSize);
    } else if (text() != size) {
        setText(size);
    }
}

void FontSizeComboBox::keepWithinRange() {
    if (!enabled()) return;
    const int size = fontSize();
    if (!withinRange(size)) setFontSize(kDefaultSize);
}

std::optional<PropertyAccess> FontSizeComboBox::property(std::string_view name) {
    if (name != "FontSize") return std::nullopt;
    return integerProperty(
        [this] { return fontSize(); },
        [this](std::int64_t size) {
            // Compared before narrowing, so a huge stored number is no size.
            setFontSize(size > 0 && size < 1000 ? static_cast<int>(size) : kDefaultSize);
        });
}

std::optional<LRESULT> FontSizeComboBox::handleReflected(UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_KILLFOCUS) {
        keepWithinRange();
        return 0;
    }
    return std::nullopt;
}

}  // namespace win
