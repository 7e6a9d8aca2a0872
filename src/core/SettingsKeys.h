#pragma once
// Every value the program keeps in its settings file, in one table: section, key, and the value
// a reader without a control of its own falls back to. The dialogs that write a value and the
// code that reads it both name the entry here, so renaming a control can never cut the link.

#include <array>
#include <string_view>

namespace vps::settings {

struct Setting {
    std::string_view section;
    std::string_view key;
    // What the printed page, the reset policy and the like use when the key is missing; a
    // dialog's control keeps its own design value instead.
    std::string_view designValue;
};

// The main window's choices and the Defaults dialog (the dialog writes the qualities from its
// combo boxes' ItemIndex under the sliders' key Position).
inline constexpr Setting ScreenArea{"ScreenArea", "ItemIndex", "0"};
inline constexpr Setting Action{"Action", "ItemIndex", "2"};
inline constexpr Setting FileFormat{"FileFormat", "ItemIndex", "0"};
inline constexpr Setting JPEGQuality{"JPEGQuality", "Position", "2"};
inline constexpr Setting EmailJPEGQuality{"EmailJPEGQuality", "Position", "2"};
// The reset policy as text: "" (missing) acts as Restart.
inline constexpr Setting ResetToDefaultsAfter{"ResetToDefaultsAfter", "ItemIndex", ""};
inline constexpr Setting SpecifiedTime{"SpecifiedTime", "Value", ""};
inline constexpr Setting ShowCheatSheet{"ShowCheatSheet1", "Checked", "1"};

// The General Options dialog and the message about held Print Screen keys.
inline constexpr Setting HotKeyNoticeOff{"HotKeyNoticeOff", "Checked", "0"};
// Which screen an activation captures: 0 the primary one, as on a desk with one monitor.
inline constexpr Setting ScreenToCapture{"ScreenToCapture", "ItemIndex", "0"};

// The printed page, written by the Printing Options dialog.
inline constexpr Setting ReportTitle{"ReportTitle", "Text", "Print Screen"};
inline constexpr Setting PrintTitle{"PrintTitle", "Checked", "1"};
inline constexpr Setting PrintTime{"PrintTime", "Checked", "1"};
inline constexpr Setting PrintDate{"PrintDate", "Checked", "1"};
inline constexpr Setting PrintUserName{"PrintUserName", "Checked", "1"};
inline constexpr Setting ReportFont{"ReportFont", "SelectedFont", "Arial"};
inline constexpr Setting ReportFontSize{"ReportFontSize", "FontSize", "12"};
inline constexpr Setting ReportTitleFont{"ReportTitleFont", "SelectedFont", "Arial"};
inline constexpr Setting ReportTitleFontSize{"ReportTitleFontSize", "FontSize", "12"};
inline constexpr Setting DefaultPrinter{"DefaultPrinter", "Text", ""};
inline constexpr Setting WindowsDefaultPrinter{"WindowsDefaultPrinter", "Checked", "1"};
inline constexpr Setting Orientation{"Orientation", "ItemIndex", "0"};

// The file type last chosen in the Save dialog: "bmp", "jpg" or "png"; empty, the action's own.
inline constexpr Setting SaveDialogFileType{"SaveDialog", "FileType", ""};

// The main window's form storage.
inline constexpr Setting FormVersion{"TfmKestrelPrintScreen", "FormVersion", "0"};
inline constexpr Setting SaveDialogFolder{"TfmKestrelPrintScreen", "SaveDialog_InitialDir", ""};

inline constexpr std::array All = {
    ScreenArea,       Action,         FileFormat,      JPEGQuality,    EmailJPEGQuality,
    ResetToDefaultsAfter, SpecifiedTime, ShowCheatSheet, ReportTitle,  PrintTitle,
    PrintTime,        PrintDate,      PrintUserName,   ReportFont,     ReportFontSize,
    ReportTitleFont,  ReportTitleFontSize, DefaultPrinter, WindowsDefaultPrinter, Orientation,
    FormVersion,      SaveDialogFolder, HotKeyNoticeOff, SaveDialogFileType, ScreenToCapture,
};

}  // namespace vps::settings
