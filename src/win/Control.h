#pragma once

#include <string>

#include "win/Window.h"

namespace win {

// What every control's description holds, in the order the window tables give it.
struct ControlDescription {
    std::string name;
    Box bounds;  // in design pixels, for a 96-DPI screen
    Anchors anchors = vps::layout::kLeftTop;
    int helpContext = 0;
    std::string caption;
};

enum class Align {
    None,
    Client,  // fills the parent's content area
};

// A child window placed by its description and kept in place by its anchors when the parent's
// size changes.
class Control : public Window {
public:
    ~Control() override;

    Anchors anchors() const { return anchors_; }
    // Where the description put it, for a 96-DPI screen.
    const Box& designBounds() const { return designBounds_; }
    void setAlign(Align align);

    // Moves the control, in pixels; the new place becomes the reference its anchors keep.
    void setBounds(const Box& bounds);

protected:
    Control(Window& parent, const ControlDescription& description);
    void dpiChanged(int oldDpi) override;

    // Called by each control once its window exists.
    void finishCreation();
    int controlId() const { return id_; }

private:
    friend class Window;
    void followParent(int parentWidth, int parentHeight, const RECT& content);
    void rememberPlace(const Box& bounds);

    Anchors anchors_;
    Align align_ = Align::None;
    Box designBounds_;  // from the description, for 96 DPI
    bool placedByDescription_ = true;
    // The place the anchors keep, in pixels, and the parent's client size it was measured in.
    Box reference_;
    int referenceParentWidth_ = 0;
    int referenceParentHeight_ = 0;
    int id_;
};

}  // namespace win
