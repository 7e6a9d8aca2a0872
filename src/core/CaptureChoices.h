#pragma once

#include <array>
#include <optional>
#include <string_view>

// The choices of one capture and how the options panel presents them.
namespace vps::options {

// The choices as the option controls index them; the indices are also what the settings file
// stores, so their values never change.
enum class ScreenAreaChoice { All = 0, WorkArea = 1, Foreground = 2, Selected = 3 };
enum class ActionChoice {
    PrintToDefaultPrinter = 0,
    PrintToSelectedPrinter = 1,
    SaveAsFile = 2,
    CopyToClipboard = 3,
    EmailAsJpeg = 4,
};
enum class FileFormatChoice { Bmp = 0, Jpg = 1 };
// Which screen an activation freezes: the primary one (what a single-monitor desk has), the one
// the pointer is on (where the user is looking), or every monitor at once.
enum class ScreenToCaptureChoice { Primary = 0, UnderPointer = 1, AllScreens = 2 };

// The control index of a choice.
template <typename Choice>
constexpr int indexOf(Choice choice) {
    return static_cast<int>(choice);
}

// The label under the quality track bar, for positions 0..4.
inline constexpr std::array<std::string_view, 5> QualityTexts = {
    "Very Poor (Very Small File)", "Poor (Small File)", "Good", "Very Good", "Excellent"};

// The label for the colour-depth positions 1..6 (index 0 unused).
inline constexpr std::array<std::string_view, 7> ColourTexts = {
    "", "Monochrome", "16 Color", "256 Color", "High Color (16 bit)", "True Color (24 bit)",
    "True Color (32 bit)"};

// The JPEG encoder's quality (on its 1..100 scale) for each quality position 0..4.
inline constexpr std::array<int, 5> JpegQualityTable = {10, 25, 50, 75, 90};

std::string_view qualityText(int position);
std::string_view colourText(int position);

// Which controls the panel shows and enables for an action and a file format.
struct PanelState {
    bool fileFormatEnabled;
    bool jpegQualityShown;
    bool jpegQualityEnabled;
    bool emailQualityShown;
    bool labelEnabled;
    bool labelFollowsEmailQuality;  // else it shows the saving quality's text
    friend constexpr bool operator==(const PanelState&, const PanelState&) = default;
};

// No state for an index outside the actions (no action chosen): the panel is left as it is.
std::optional<PanelState> panelStateFor(int action, int fileFormat);

}  // namespace vps::options
