#pragma once

#include <functional>

#include "win/Control.h"
#include "win/FontComboBox.h"

namespace win {

// A font size in points, typed or picked from the sizes of the font chosen in the linked font
// list. Only digits can be typed; other keys beep. While the font list has no font chosen the
// box is empty and takes no input.
class FontSizeComboBox : public Control {
public:
    static constexpr int kDefaultSize = 10;

    FontSizeComboBox(Window& parent, const ControlDescription& description, FontComboBox& fontList);
    ~FontSizeComboBox() override;

    // The text as a number; -1 when the box holds no number.
    int fontSize() const;
    // Shows the size and picks its entry when the list has one. A size below 1 or above 999
    // shows the default size. Ignored while no font is chosen.
    void setFontSize(int size);
    int count() const;

    std::optional<PropertyAccess> property(std::string_view name) override;

protected:
    std::optional<LRESULT> handleReflected(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void followFontList();
    void keepWithinRange();
    static LRESULT CALLBACK digitsOnly(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR);

    FontComboBox& fontList_;
    HWND edit_ = nullptr;
};

}  // namespace win
