// The main window's options panel: the choices of one capture, which controls each action
// needs, storing the choices, the menu's help commands and context help.
#include <algorithm>
#include <vector>

#include "help/HelpViewer.h"
#include "app/AppWindows.h"
#include "app/uPrintScreen.h"
#include "capture/uSelectArea.h"
#include "core/CaptureChoices.h"
#include "core/ResetPolicy.h"
#include "guidance/uCheatSheet.h"
#include "settings/uIni.h"
#include "win/Application.h"
#include "win/Error.h"
#include "win/UniqueHandle.h"

namespace vps {

namespace {

// Three black 2 x 2 dots in a row on a transparent 10 x 10 square: "...".
HICON createEllipsisIcon() {
    constexpr int kSize = 10;
    // Monochrome rows are padded to 16 bits. Mask bit 1 = transparent, 0 = the colour (black).
    WORD maskRows[kSize];
    for (int y = 0; y < kSize; ++y) {
        const bool dotRow = y == 4 || y == 5;
        // Columns 1-2, 4-5 and 7-8 carry the dots; the high bit is column 0.
        const WORD dots = 0b0110110110000000;
        maskRows[y] = static_cast<WORD>(dotRow ? ~dots : 0xFFFF);
        maskRows[y] = static_cast<WORD>((maskRows[y] >> 8) | (maskRows[y] << 8));  // byte order
    }
    const DWORD colourPixels[kSize * kSize] = {};  // black, wherever the mask lets it through
    win::BitmapHandle mask(CreateBitmap(kSize, kSize, 1, 1, maskRows));
    win::BitmapHandle colour(CreateBitmap(kSize, kSize, 1, 32, colourPixels));
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    return CreateIconIndirect(&info);
}

}  // namespace

void TfmKestrelPrintScreen::buildSelectButton() {
    static HICON ellipsis = createEllipsisIcon();  // shared for the life of the process
    buSelect.setIcon(ellipsis);
    cutSelectButtonHole();
}

// The button sits on the screen-area group's right edge, beside "Selected Area"; the group
// leaves that square to it, so the button shows and takes its clicks while the tab order stays
// as designed. Both move and grow with the DPI, so the hole is cut anew at every layout: a
// region kept from another DPI clips the group or covers the button.
void TfmKestrelPrintScreen::cutSelectButtonHole() {
    const win::Box group = ScreenArea.bounds();
    const win::Box button = buSelect.bounds();
    win::Region visible(CreateRectRgn(0, 0, group.width, group.height));
    win::Region hole(CreateRectRgn(button.left - group.left, button.top - group.top,
                                   button.left - group.left + button.width,
                                   button.top - group.top + button.height));
    CombineRgn(visible.get(), visible.get(), hole.get(), RGN_DIFF);
    // The window owns the region from now on, and frees the one it had.
    if (SetWindowRgn(ScreenArea.handle(), visible.get(), TRUE)) visible.release();
}

void TfmKestrelPrintScreen::applySavingRule() {
    if (policy::keepsEveryChange(ReadString(settings::ResetToDefaultsAfter))) SavePanelSettings();
}

std::vector<StoredProperty> TfmKestrelPrintScreen::panelProperties() {
    return {{ScreenArea, settings::ScreenArea},
            {Action, settings::Action},
            {FileFormat, settings::FileFormat},
            {JPEGQuality, settings::JPEGQuality},
            {EmailJPEGQuality, settings::EmailJPEGQuality}};
}

void TfmKestrelPrintScreen::LoadPanelSettings() {
    LoadingSettings = true;
    const win::ScopeExit loaded([this] { LoadingSettings = false; });
    LoadProperties(panelProperties());
}

void TfmKestrelPrintScreen::SavePanelSettings() {
    if (LoadingSettings) return;
    SaveProperties(panelProperties());
}

void TfmKestrelPrintScreen::ActionClick() {
    applySavingRule();
    tbBitmap.setVisible(false);
    const auto state = options::panelStateFor(Action.itemIndex(), FileFormat.itemIndex());
    if (!state) return;
    FileFormat.setEnabled(state->fileFormatEnabled);
    JPEGQuality.setVisible(state->jpegQualityShown);
    JPEGQuality.setEnabled(state->jpegQualityEnabled);
    EmailJPEGQuality.setVisible(state->emailQualityShown);
    EmailJPEGQuality.setEnabled(true);
    lbQualityInfo.setEnabled(state->labelEnabled);
    JPEGQualityChange(state->labelFollowsEmailQuality ? &EmailJPEGQuality : &JPEGQuality);
}

void TfmKestrelPrintScreen::FileFormatClick() {
    applySavingRule();
    ActionClick();
}

void TfmKestrelPrintScreen::JPEGQualityChange(win::Window* sender) {
    applySavingRule();
    // Whichever of the two bars changed shows its text, until the next refresh shows the
    // visible one's again.
    if (auto* bar = dynamic_cast<win::TrackBar*>(sender)) {
        lbQualityInfo.setText(std::string(options::qualityText(bar->position())));
    }
}

// The select button beside "Selected Area": draw a rectangle over the frozen screen.
void TfmKestrelPrintScreen::buSelectClick() {
    ScreenArea.setItemIndex(options::indexOf(options::ScreenAreaChoice::Selected));
    // After the choice, not before: a radio button that gains the focus unchecked clicks itself.
    SetFocus(ScreenArea.button(options::indexOf(options::ScreenAreaChoice::Selected)));
    // Taken whatever it is: after a cancel, (0, 0, 0, 0) leaves the miniature without an outline
    // rather than showing an old rectangle as if it were still chosen.
    SelectedRect = selectionWindow().SelectArea(Snapshot, AllRect);
    ScreenAreaClick();
}

void TfmKestrelPrintScreen::tbBitmapChange() {
    lbQualityInfo.setText(std::string(options::colourText(tbBitmap.position())));
}

void TfmKestrelPrintScreen::ShowCheatSheet1Click() {
    win::MenuItem& item = MainMenu1.item("ShowCheatSheet1");
    item.setChecked(!item.checked());
    if (item.checked()) cheatSheet().show();
    SaveProperty(item, settings::ShowCheatSheet);
}

void TfmKestrelPrintScreen::buHelpClick() { showHelp(handle(), win::Application::helpFile(), HELP_FINDER, 0); }

void TfmKestrelPrintScreen::Contents1Click() {
    showHelp(handle(), win::Application::helpFile(), HELP_FINDER, 0);
}

void TfmKestrelPrintScreen::HowtoUseHelp1Click() {
    showHelp(handle(), win::Application::helpFile(), HELP_HELPONHELP, 0);
}

void TfmKestrelPrintScreen::ExampleImageClick() {
    showHelp(handle(), win::Application::helpFile(), HELP_CONTEXTPOPUP,
             static_cast<ULONG_PTR>(ExampleImage.tag()));
}

}  // namespace vps
