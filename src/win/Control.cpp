#include "win/Control.h"

#include <algorithm>

namespace win {

namespace {

// Control ids start above the dialog manager's IDOK..IDCONTINUE, so a control is never taken for
// the Enter or Escape command.
int nextControlId() {
    static int next = 1000;
    return next++;
}

}  // namespace

Control::Control(Window& parent, const ControlDescription& description)
    : Window(description.name, &parent), anchors_(description.anchors), designBounds_(description.bounds), id_(nextControlId()) {
    setHelpContext(description.helpContext);
    parent.children_.push_back(this);
}

Control::~Control() {
    if (Window* parent = parentWindow()) std::erase(parent->children_, this);
}

void Control::finishCreation() {
    SendMessageW(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    rememberPlace(scaled(designBounds_));
}

void Control::rememberPlace(const Box& bounds) {
    reference_ = bounds;
    referenceParentWidth_ = parentWindow()->clientWidth();
    referenceParentHeight_ = parentWindow()->clientHeight();
}

void Control::setBounds(const Box& b) {
    MoveWindow(handle(), b.left, b.top, b.width, b.height, TRUE);
    rememberPlace(b);
    placedByDescription_ = false;
}

void Control::dpiChanged(int oldDpi) {
    // A place from the description is scaled afresh from the design, so moving to a monitor
    // and back gives the very same pixels; a place set in pixels can only be converted.
    reference_ = placedByDescription_ ? scaled(designBounds_) : vps::dpi::rescale(reference_, oldDpi, dpi());
    referenceParentWidth_ = vps::dpi::rescale(referenceParentWidth_, oldDpi, dpi());
    referenceParentHeight_ = vps::dpi::rescale(referenceParentHeight_, oldDpi, dpi());
}

void Control::setAlign(Align align) {
    align_ = align;
    parentWindow()->layoutChildren();
}

void Control::followParent(int parentWidth, int parentHeight, const RECT& content) {
    Box target;
    if (align_ == Align::Client) {
        target = {content.left, content.top, std::max<int>(content.right - content.left, 0),
                  std::max<int>(content.bottom - content.top, 0)};
    } else {
        target = vps::layout::anchoredBounds(reference_, referenceParentWidth_, referenceParentHeight_,
                                             anchors_, parentWidth, parentHeight);
    }
    MoveWindow(handle(), target.left, target.top, target.width, target.height, TRUE);
}

}  // namespace win
