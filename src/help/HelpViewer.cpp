#include "help/HelpViewer.h"

#include "help/HelpLoader.h"
#include "help/HelpPlacement.h"
#include "help/HelpWindows.h"
#include "win/Application.h"
#include "win/MessageDialog.h"

namespace vps {

namespace {

using help::ContextNumber;
using help::HelpFile;
using help::Topic;

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
