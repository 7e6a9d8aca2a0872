#include "help/HelpContentsWindow.h"

#include "help/HelpWindows.h"

namespace vps {

void ContentsWindow::displaySelected() {
    const int index = lbTopics.itemIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= contexts_.size()) return;
    const bool onTop = staysOnTop(handle());
    hide();
    HelpWindows::instance().showTopic(file_, path_, contexts_[static_cast<std::size_t>(index)],
                                      onTop);
}

void ContentsWindow::showHelpOnHelp() {
    if (const Topic* topic = file_ ? file_->helpOnHelp() : nullptr) {
        HelpWindows::instance().showTopic(file_, path_, topic->context, staysOnTop(handle()));
    }
}

}  // namespace vps
