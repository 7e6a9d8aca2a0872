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
    SendMessageA(handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    rememberPlace(designBounds_);
}

void Control::rememberPlace(const Box& bounds) {
    designBounds_ = bounds;
    designParentWidth_ = parentWindow()->clientWidth();
    designParentHeight_ = parentWindow()->clientHeight();
}

void Control::setBounds(const Box& b) {
    MoveWindow(handle(), b.left, b.top, b.width, b.height, TRUE);
    rememberPlace(b);
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
        target = vps::layout::anchoredBounds(designBounds_, designParentWidth_, designParentHeight_,
                                             anchors_, parentWidth, parentHeight);
    }
    MoveWindow(handle(), target.left, target.top, target.width, target.height, TRUE);
}

}  // namespace win
