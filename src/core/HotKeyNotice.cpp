#include "core/HotKeyNotice.h"

#include <vector>

namespace vps::hotkeys {

namespace {

// "A", "A and B", "A, B and C".
std::string listed(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0) text += (i + 1 == names.size()) ? " and " : ", ";
        text += names[i];
    }
    return text;
}

}  // namespace

Notice noticeFor(const KeyState& state) {
    std::vector<std::string> unreachable;
    std::vector<std::string> heldByPrograms;
    for (std::size_t i = 0; i < kKeyNames.size(); ++i) {
        const bool windowsHoldsIt = i == 0 && state.windowsTakesPrintScreen;
        if (windowsHoldsIt || state.refused[i]) unreachable.emplace_back(kKeyNames[i]);
        // Windows' setting explains Print Screen itself, so only the others are blamed on a
        // program.
        if (state.refused[i] && !windowsHoldsIt) heldByPrograms.emplace_back(kKeyNames[i]);
    }
    if (unreachable.empty()) return {};

    Notice notice{.show = true, .offerWindowsSettingOff = state.windowsTakesPrintScreen};
    notice.text =
        "These keys do not reach Vantaro Print Screen: " + listed(unreachable) + ".\r\n\r\n";
    if (state.windowsTakesPrintScreen) {
        notice.text +=
            "Print Screen is taken by Windows itself: its setting \"Use the Print screen key to "
            "open "
            "screen capture\" is on.\r\n";
    }
    if (!heldByPrograms.empty()) {
        notice.text += listed(heldByPrograms) + (heldByPrograms.size() == 1 ? " is" : " are") +
                       " held by another program.\r\n";
    }
    notice.text +=
        "\r\nVantaro Print Screen tries again each time it wakes and whenever Windows settings "
        "change, "
        "and takes a key as soon as it is free. Starting Vantaro Print Screen again (for example "
        "from a desktop shortcut) always wakes it.";
    if (state.windowsTakesPrintScreen) {
        notice.text +=
            "\r\n\r\nThe button below turns the Windows setting off for you. Windows may need you "
            "to "
            "sign out and in again before it lets go of the key.";
    }
    return notice;
}

}  // namespace vps::hotkeys
