#pragma once

#include <array>
#include <string>

// The message that tells the user which Print Screen keys do not reach the program, and why.
namespace vps::hotkeys {

// The three keys in the order of their hot-key ids.
inline constexpr std::array<const char*, 3> kKeyNames = {"Print Screen", "Ctrl+Print Screen",
                                                         "Alt+Print Screen"};

struct KeyState {
    // A registration that failed: another program holds that key.
    std::array<bool, 3> refused{};
    // Windows' own "Use the Print screen key to open screen capture" is on: Print Screen opens
    // Windows' capture tool, whether or not our registration of it succeeded.
    bool windowsTakesPrintScreen = false;
};

struct Notice {
    bool show = false;
    std::string text;
    // Offer the button that turns Windows' setting off.
    bool offerWindowsSettingOff = false;
};

Notice noticeFor(const KeyState& state);

}  // namespace vps::hotkeys
