#include "app/HelpViewer.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/HelpFile.h"
#include "core/PopupPlacement.h"
#include "core/SystemErrorText.h"
#include "win/Application.h"
#include "win/Button.h"
#include "win/Error.h"
#include "win/Form.h"
#include "win/KernelHandle.h"
#include "win/Label.h"
#include "win/ListBox.h"
#include "win/MessageDialog.h"
#include "win/TextView.h"

namespace vps {

namespace {

using help::ContextNumber;
using help::HelpFile;
using help::Topic;
using SharedHelp = std::shared_ptr<const HelpFile>;
using Style = win::TextBlock::Style;
using layout::AnchorBottom;
using layout::AnchorLeft;
using layout::AnchorRight;
using layout::AnchorTop;
using layout::Box;
using layout::kAllEdges;

// A help file is a few dozen kilobytes; anything this large is something else.
constexpr LONGLONG kLargestHelpFile = 4 * 1024 * 1024;
// About 55 characters of the pop-up's font: short lines are read at a glance.
constexpr int kPopupTextWidth = 360;

// Why the help cannot be shown, in words for the user.
class HelpUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void cannotRead(const std::string& path, const std::string& reason) {
    throw HelpUnavailable("Cannot read the help file " + path + ": " + reason);
}

std::string readHelpText(const std::string& path) {
    const win::FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || path.empty()) {
            throw HelpUnavailable("Help file not found: " + path);
        }
        cannotRead(path, tidySystemText(win::systemText(code)));
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        cannotRead(path, tidySystemText(win::systemText(GetLastError())));
    }
    if (size.QuadPart > kLargestHelpFile) cannotRead(path, "it is too large to be a help file");
    std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) {
        cannotRead(path, tidySystemText(win::systemText(GetLastError())));
    }
    text.resize(read);
    return text;
}

SharedHelp loadHelp(const std::string& path) {
    const std::string text = readHelpText(path);
    try {
        return std::make_shared<const HelpFile>(help::parseHelpFile(text));
    } catch (const help::HelpFileError& error) {
        cannotRead(path, error.what());
    }
}

const Topic& topicIn(const HelpFile& file, ULONG_PTR context, const std::string& path) {
    const Topic* topic =
        context <= UINT32_MAX ? file.find(static_cast<ContextNumber>(context)) : nullptr;
    if (!topic) throw HelpUnavailable("No help topic " + std::to_string(context) + " in " + path);
    return *topic;
}

std::vector<win::TextBlock> blocksOf(const HelpFile& file, const Topic& topic, bool withLinks) {
    std::vector<win::TextBlock> blocks{{Style::Title, topic.title}};
    for (const help::Block& block : topic.body) {
        blocks.push_back(
            {block.kind == help::Block::Kind::Bullet ? Style::Bullet : Style::Paragraph,
             block.text});
    }
    if (withLinks && !topic.seeAlso.empty()) {
        blocks.push_back({Style::Caption, "See also"});
        for (const ContextNumber target : topic.seeAlso) {
            if (const Topic* linked = file.find(target)) {
                blocks.push_back({Style::Link, linked->title, static_cast<int>(target)});
            }
        }
    }
    return blocks;
}

// Help asked for from a window that stays on top (the area selection covers the whole screen)
// must stay on top as well, or it would open out of sight behind that window.
bool staysOnTop(HWND window) {
    const HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
    return root && (GetWindowLongA(root, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void bringToFront(win::Form& form, bool onTop) {
    if (IsIconic(form.handle())) ShowWindow(form.handle(), SW_RESTORE);
    form.show();
    SetWindowPos(form.handle(), onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(form.handle());
}

Box workAreaAt(POINT point) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& r = monitor.rcWork;
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

class HelpWindows;

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

// A topic's text beside the control asked about; gone at the next key or click.
class HelpPopup : public win::Form {
public:
    HelpPopup()
        : Form({.className = "TfmHelpPopup",
                .name = "fmHelpPopup",
                .caption = "",
                .clientWidth = kPopupTextWidth,
                .clientHeight = 80,
                .style = WS_POPUP | WS_BORDER,
                .exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                .fontHeight = 14,
                // Every key closes the pop-up, Tab and Escape included: none of them may be
                // taken for moving between controls.
                .dialogKeys = false}),
          tvText(*this, {.name = "tvText", .bounds = {0, 0, kPopupTextWidth, 80}},
                 {.scrollBar = false, .infoColours = true, .tabStop = false}) {
        tvText.setAlign(win::Align::Client);
        // A fresh press closes it; the key that asked for help, still held, repeats in here.
        tvText.OnKeyDown = [this](const win::KeyEvent& key) {
            if (!key.repeated) dismiss(true);
        };
        tvText.OnMouseDown = [this](const win::MouseEvent&) { dismiss(true); };
        // F1 reaches the form as a help request rather than as a key.
        OnHelp = [this](const HELPINFO&) { dismiss(true); };
        onMessage(WM_ACTIVATE, [this](WPARAM wParam, LPARAM) {
            if (LOWORD(wParam) == WA_INACTIVE) {
                dismiss(false);
            } else {
                SetFocus(tvText.handle());
            }
            return LRESULT{0};
        });
    }

    void popUp(const HelpFile& file, const Topic& topic, POINT at, HWND returnFocusTo) {
        returnFocusTo_ = returnFocusTo;
        tvText.setBlocks(blocksOf(file, topic, false));
        const Box area = workAreaAt(at);
        SIZE text = tvText.measure(std::min(kPopupTextWidth, area.width));
        // A long text gets wider rather than cut off at the bottom of the screen.
        if (text.cy > area.height) text = tvText.measure(area.width);
        const DWORD style = static_cast<DWORD>(GetWindowLongA(handle(), GWL_STYLE));
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(handle(), GWL_EXSTYLE));
        RECT outer{0, 0, text.cx, text.cy};
        AdjustWindowRectEx(&outer, style, FALSE, exStyle);
        const Box placed = layout::placePopup(at.x, at.y, outer.right - outer.left,
                                              outer.bottom - outer.top, area);
        SetWindowPos(handle(), HWND_TOPMOST, placed.left, placed.top, placed.width, placed.height,
                     SWP_NOACTIVATE);
        tvText.invalidate();
        show();
        SetForegroundWindow(handle());
        SetFocus(tvText.handle());
    }

    void dismiss(bool returnFocus) {
        if (dismissing_ || !visible()) return;
        dismissing_ = true;
        const HWND back = std::exchange(returnFocusTo_, nullptr);
        hide();
        // Back to where the user asked for help, so the next key goes where it went before.
        if (returnFocus && back && IsWindow(back)) {
            const HWND root = GetAncestor(back, GA_ROOT);
            if (IsWindowVisible(root) && IsWindowEnabled(root)) {
                SetForegroundWindow(root);
                SetFocus(back);
            }
        }
        dismissing_ = false;
    }

private:
    win::TextView tvText;
    HWND returnFocusTo_ = nullptr;
    bool dismissing_ = false;
};

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

void TopicWindow::showContents() {
    HelpWindows::instance().showContents(file_, path_, staysOnTop(handle()));
}

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

void reportUnavailable(HWND owner, const std::string& message) {
    const std::string& title = win::Application::title();
    win::showMessageDialog(owner, {.text = message,
                                   .caption = title.empty() ? "Help" : title,
                                   .kind = win::DialogKind::Error,
                                   .buttons = {{"OK", IDOK}},
                                   .defaultResult = IDOK,
                                   .cancelResult = IDOK});
}

}  // namespace

bool showHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data,
              std::optional<POINT> popupAt) {
    HelpWindows& windows = HelpWindows::instance();
    // Read before anything can move the focus: a pop-up gives it back here when it closes.
    const HWND focus = GetFocus();
    try {
        switch (command) {
            case HELP_CONTEXT: {
                SharedHelp file = loadHelp(helpFile);
                const ContextNumber context = topicIn(*file, data, helpFile).context;
                windows.showTopic(std::move(file), helpFile, context, staysOnTop(owner));
                return true;
            }
            case HELP_HELPONHELP: {
                SharedHelp file = loadHelp(helpFile);
                const Topic* topic = file->helpOnHelp();
                if (!topic) {
                    throw HelpUnavailable("No help topic on how to use help in " + helpFile);
                }
                const ContextNumber context = topic->context;
                windows.showTopic(std::move(file), helpFile, context, staysOnTop(owner));
                return true;
            }
            case HELP_FINDER:
                windows.showContents(loadHelp(helpFile), helpFile, staysOnTop(owner));
                return true;
            case HELP_CONTEXTPOPUP: {
                const SharedHelp file = loadHelp(helpFile);
                const Topic& topic = topicIn(*file, data, helpFile);
                POINT at{};
                if (popupAt) {
                    at = *popupAt;
                } else {
                    GetCursorPos(&at);
                }
                windows.showPopup(*file, topic, at, focus);
                return true;
            }
            case HELP_QUIT:
                windows.hideAll();
                return true;
            default:
                return false;
        }
    } catch (const HelpUnavailable& error) {
        reportUnavailable(owner, error.what());
        return false;
    }
}

}  // namespace vps
