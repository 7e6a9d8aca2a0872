#pragma once

#include <string>
#include <vector>

#include "help/HelpLoader.h"
#include "help/HelpPlacement.h"
#include "win/Button.h"
#include "win/Form.h"
#include "win/TextView.h"

namespace vps {

using help::ContextNumber;
using help::Topic;
using layout::AnchorRight;
using layout::AnchorTop;
using layout::kAllEdges;

// One topic, with its "See also" links; Back returns along the topics shown before.
class TopicWindow : public win::Form {
public:
    TopicWindow()
        : Form({.className = "TfmHelpTopic",
                .name = "fmHelpTopic",
                .caption = "Help",
                .clientWidth = 480,
                .clientHeight = 520,
                .style = WS_OVERLAPPEDWINDOW,
                .minimumSize = {320, 240},
                .fontHeight = 15}),
          buContents(*this,
                     {.name = "buContents", .bounds = {8, 8, 85, 25}, .caption = "&Contents"}),
          buBack(*this, {.name = "buBack", .bounds = {101, 8, 85, 25}, .caption = "&Back"}),
          buClose(*this, {.name = "buClose",
                          .bounds = {387, 8, 85, 25},
                          .anchors = AnchorRight | AnchorTop,
                          .caption = "C&lose"}),
          tvTopic(*this, {.name = "tvTopic", .bounds = {8, 41, 464, 471}, .anchors = kAllEdges}) {
        setCancelButton(&buClose);
        buClose.OnClick = [this] { close(); };
        buBack.OnClick = [this] { goBack(); };
        buContents.OnClick = [this] { showContents(); };
        tvTopic.OnLinkClick = [this](int link) { open(static_cast<ContextNumber>(link)); };
        OnHelp = [this](const HELPINFO&) {
            if (file_ && file_->helpOnHelp()) open(file_->helpOnHelp()->context);
        };
        centreOnOwner();
    }

    void display(SharedHelp file, const std::string& path, ContextNumber context, bool onTop) {
        // Back leads through what the user read since the window was last opened.
        if (!visible() || !file_ || path != path_) {
            history_.clear();
        } else if (current_ != context) {
            history_.push_back(current_);
        }
        file_ = std::move(file);
        path_ = path;
        showTopic(context);
        bringToFront(*this, onTop);
        SetFocus(tvTopic.handle());
    }

private:
    void open(ContextNumber context) {
        if (context == current_ || !file_->find(context)) return;
        history_.push_back(current_);
        showTopic(context);
    }

    void goBack() {
        while (!history_.empty()) {
            const ContextNumber previous = history_.back();
            history_.pop_back();
            // The file is read again at every request, so an older topic may have gone.
            if (file_->find(previous)) {
                showTopic(previous);
                break;
            }
        }
        if (history_.empty()) SetFocus(tvTopic.handle());
        buBack.setEnabled(!history_.empty());
    }

    void showTopic(ContextNumber context) {
        current_ = context;
        setText(file_->title());
        tvTopic.setBlocks(blocksOf(*file_, *file_->find(context), true));
        buBack.setEnabled(!history_.empty());
    }

    void showContents();

    win::PushButton buContents;
    win::PushButton buBack;
    win::PushButton buClose;
    win::TextView tvTopic;
    SharedHelp file_;
    std::string path_;
    ContextNumber current_ = 0;
    std::vector<ContextNumber> history_;
};

}  // namespace vps
