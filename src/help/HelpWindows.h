#pragma once

#include <memory>
#include <string>

#include "help/HelpContentsWindow.h"
#include "help/HelpPopup.h"
#include "help/HelpTopicWindow.h"

namespace vps {

// The process's help windows, made when first needed. Never destroyed: they are top-level
// windows of their own and end with the process.
class HelpWindows {
public:
    static HelpWindows& instance() {
        static HelpWindows* windows = new HelpWindows;
        return *windows;
    }

    void showTopic(SharedHelp file, const std::string& path, ContextNumber context, bool onTop) {
        if (!topic_) topic_ = std::make_unique<TopicWindow>();
        topic_->display(std::move(file), path, context, onTop);
    }

    void showContents(SharedHelp file, const std::string& path, bool onTop) {
        if (!contents_) contents_ = std::make_unique<ContentsWindow>();
        contents_->display(std::move(file), path, onTop);
    }

    void showPopup(const HelpFile& file, const Topic& topic, POINT at, HWND returnFocusTo) {
        // A new window each time: with some window systems, news of the previous pop-up's
        // closing can arrive after it has been shown again and would close it at once.
        if (popup_) popup_->dismiss(false);
        popup_ = std::make_unique<HelpPopup>();
        popup_->popUp(file, topic, at, returnFocusTo);
    }

    void hideAll() {
        if (popup_) popup_->dismiss(false);
        if (topic_) topic_->hide();
        if (contents_) contents_->hide();
    }

private:
    std::unique_ptr<TopicWindow> topic_;
    std::unique_ptr<ContentsWindow> contents_;
    std::unique_ptr<HelpPopup> popup_;
};

}  // namespace vps
