#pragma once

// Windows 11's "Use the Print screen key to open screen capture", a per-user setting: while it
// is on, Print Screen opens Windows' own capture tool and never reaches this program.
namespace vps {

bool windowsTakesPrintScreen();

// Turns the setting off for this user. Windows may keep the key until the user signs out.
void turnOffWindowsPrintScreen();

}  // namespace vps
