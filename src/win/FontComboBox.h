#pragma once

#include <functional>
#include <string>
#include <vector>

#include "win/Control.h"

namespace win {

// A drop-down list of font names. Each entry of the open list shows the name and, beside it, a
// sample text drawn in that font at 14 points, so the user sees the font before choosing it.
class FontComboBox : public Control {
public:
    FontComboBox(Window& parent, const ControlDescription& description);

    // Replaces the offered fonts; the selection is kept when the new list holds its name.
    void setFonts(const std::vector<std::string>& names);
    int count() const;
    std::string itemText(int index) const;
    int itemIndex() const;

    // The chosen font's name; empty while none is chosen.
    std::string selectedFont() const;
    // Chooses the entry whose name matches without regard to case, or none when there is none.
    void setSelectedFont(const std::string& name);

    const std::string& sampleText() const { return sampleText_; }
    void setSampleText(const std::string& text);

    std::optional<PropertyAccess> property(std::string_view name) override;

    // Runs after every change of the chosen font, by the user or by the program.
    std::function<void()> OnChange;
    // For a control that follows this one (the linked size box); runs before OnChange.
    void addSelectionListener(std::function<void()> listener);

protected:
    std::optional<LRESULT> handleReflected(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void selectionChanged();
    void drawItem(const DRAWITEMSTRUCT& item);

    std::string sampleText_ = "Abc";
    std::vector<std::function<void()>> listeners_;
};

}  // namespace win
