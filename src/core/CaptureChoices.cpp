#include "core/CaptureChoices.h"

namespace vps::options {

std::string_view qualityText(int position) {
    return position >= 0 && position < static_cast<int>(QualityTexts.size()) ? QualityTexts[position] : "";
}

std::string_view colourText(int position) {
    return position >= 1 && position < static_cast<int>(ColourTexts.size()) ? ColourTexts[position] : "";
}

std::optional<PanelState> panelStateFor(int action, int fileFormat) {
    switch (action) {
        case indexOf(ActionChoice::PrintToDefaultPrinter):
        case indexOf(ActionChoice::PrintToSelectedPrinter):
        case indexOf(ActionChoice::CopyToClipboard):
            // Greyed, but the quality stays in view so the panel does not jump about.
            return PanelState{false, true, false, false, false, false};
        case indexOf(ActionChoice::SaveAsFile): {
            const bool jpeg = fileFormat == indexOf(FileFormatChoice::Jpg);
            return PanelState{true, true, jpeg, false, jpeg, false};
        }
        case indexOf(ActionChoice::EmailAsJpeg):
            return PanelState{false, false, false, true, true, true};
        default:
            return std::nullopt;
    }
}

}  // namespace vps::options
