#pragma once

#include <string>
#include <vector>

#include "help/HelpLoader.h"
#include "help/HelpPlacement.h"
#include "win/Button.h"
#include "win/Form.h"
#include "win/Label.h"
#include "win/ListBox.h"

namespace vps {

using help::ContextNumber;
using help::Topic;
using layout::AnchorBottom;
using layout::AnchorLeft;
using layout::AnchorRight;
using layout::AnchorTop;
using layout::kAllEdges;

// The list of all topics under their headings.
class ContentsWindow : public win::Form {
public:
    ContentsWindow()
        : Form({.className = "TfmHelpContents",
                .name = "fmHelpContents",
                .caption = "Help",
                .clientWidth = 380,
                .clientHeight = 460,
                .style = WS_OVERLAPPEDWINDOW,
                .minimumSize = {280, 240},
                .fontHeight = 15}),
          lbHint(*this, {.name = "lbHint",
                         .bounds = {8, 8, 364, 18},
                         .anchors = AnchorLeft | AnchorTop | AnchorRight,
                         .caption = "Double-click a topic to read it."}),
          lbTopics(*this, {.name = "lbTopics", .bounds = {8, 30, 364, 386}, .anchors = kAllEdges}),
          buDisplay(*this,
                    {.name = "buDisplay",
                     .bounds = {194, 426, 85, 25},
                     .anchors = AnchorRight | AnchorBottom,
                     .caption = "&Display"},
                    {.isDefault = true}),
          buClose(*this, {.name = "buClose",
                          .bounds = {287, 426, 85, 25},
                          .anchors = AnchorRight | AnchorBottom,
                          .caption = "C&lose"}) {
        setDefaultButton(&buDisplay);
        setCancelButton(&buClose);
        buDisplay.OnClick = [this] { displaySelected(); };
        lbTopics.OnDoubleClick = [this] { displaySelected(); };
        buClose.OnClick = [this] { close(); };
        OnHelp = [this](const HELPINFO&) { showHelpOnHelp(); };
        centreOnOwner();
    }

    void display(SharedHelp file, const std::string& path, bool onTop) {
        const bool sameFile = file_ && path == path_;
        const int previous = lbTopics.itemIndex();
        file_ = std::move(file);
        path_ = path;
        setText(file_->title() + " - Contents");
        fill();
        lbTopics.setItemIndex(
            sameFile && previous >= 0 && previous < lbTopics.count() ? previous : firstTopic_);
        bringToFront(*this, onTop);
        SetFocus(lbTopics.handle());
    }

private:
    void fill() {
        std::vector<win::ListItem> items;
        contexts_.clear();
        firstTopic_ = -1;
        for (const help::ContentsGroup& group : file_->contents()) {
            const bool headed = !group.heading.empty();
            if (headed) {
                // A heading opens the first topic under it.
                items.push_back({group.heading, 0, true});
                contexts_.push_back(file_->topics()[group.topics.front()].context);
            }
            for (const std::size_t index : group.topics) {
                const Topic& topic = file_->topics()[index];
                if (firstTopic_ < 0) firstTopic_ = static_cast<int>(items.size());
                items.push_back({topic.title, headed ? 1 : 0, false});
                contexts_.push_back(topic.context);
            }
        }
        lbTopics.setItems(std::move(items));
    }

    void displaySelected();
    void showHelpOnHelp();

    win::Label lbHint;
    win::ListBox lbTopics;
    win::PushButton buDisplay;
    win::PushButton buClose;
    SharedHelp file_;
    std::string path_;
    std::vector<ContextNumber> contexts_;  // the topic each item opens
    int firstTopic_ = -1;
};

}  // namespace vps
