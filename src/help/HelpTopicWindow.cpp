#include "help/HelpTopicWindow.h"

#include "help/HelpWindows.h"

namespace vps {

void TopicWindow::showContents() {
    HelpWindows::instance().showContents(file_, path_, staysOnTop(handle()));
}

}  // namespace vps
