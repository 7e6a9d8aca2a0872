#include "settings/uDefaults.h"

#include <vector>

#include "core/OptionsPanel.h"
#include "settings/uIni.h"

namespace vps {

namespace {

constexpr int kLabelLeft = 8;
constexpr int kLabelWidth = 148;
constexpr int kFieldLeft = 162;
constexpr int kFieldWidth = 151;
constexpr int kRowTop = 12;
constexpr int kRowStep = 28;

win::Box labelAt(int row) { return {kLabelLeft, kRowTop + row * kRowStep + 4, kLabelWidth, 14}; }
win::Box fieldAt(int row) { return {kFieldLeft, kRowTop + row * kRowStep, kFieldWidth, 21}; }

std::vector<std::string> qualityItems() {
    return {options::QualityTexts.begin(), options::QualityTexts.end()};
}

// The rows top to bottom: screen area, action, file format, JPEG quality, e-mail JPEG quality,
// reset policy, interval.
enum Row { RowScreenArea, RowAction, RowFileFormat, RowQuality, RowEmailQuality, RowPolicy, RowInterval };

}  // namespace

TfmDefaults::TfmDefaults(HWND owner)
    : Form({.className = "TfmDefaults",
            .name = "fmDefaults",
            .caption = "Defaults",
            .clientWidth = 321,
            .clientHeight = 271,
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
            .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP,
            .owner = owner}),
      lbScreenArea(*this, {.name = "lbScreenArea", .bounds = labelAt(RowScreenArea), .caption = "Default Screen Area"}, win::TextAlign::Right),
      lbAction(*this, {.name = "lbAction", .bounds = labelAt(RowAction), .caption = "Default Action"}, win::TextAlign::Right),
      lbFileFormat(*this, {.name = "lbFileFormat", .bounds = labelAt(RowFileFormat), .caption = "Default File Format"}, win::TextAlign::Right),
      lbJPEGQuality(*this, {.name = "lbJPEGQuality", .bounds = labelAt(RowQuality), .caption = "Default JPEG Quality"}, win::TextAlign::Right),
      lbEmailJPEGQuality(*this, {.name = "lbEmailJPEGQuality", .bounds = labelAt(RowEmailQuality), .caption = "Default Email JPEG Quality"}, win::TextAlign::Right),
      lbResetToDefaultsAfter(*this, {.name = "lbResetToDefaultsAfter", .bounds = labelAt(RowPolicy), .caption = "Reset to defaults after"}, win::TextAlign::Right),
      lbSpecifiedTime(*this, {.name = "lbSpecifiedTime", .bounds = labelAt(RowInterval), .caption = "Specified Time"}, win::TextAlign::Right),
      lbMinutes(*this, {.name = "lbMinutes", .bounds = {kFieldLeft + 72, kRowTop + RowInterval * kRowStep + 4, 60, 14}, .caption = "minutes."}),
      Bevel1(*this, {.name = "Bevel1", .bounds = {8, 222, 305, 2}}),
      ScreenArea(*this, {.name = "ScreenArea", .bounds = fieldAt(RowScreenArea), .helpContext = 3020},
                 win::ComboStyle::DropDownList, {"All", "All, except Task Bar", "Foreground Window", "Selected Area"}, 0),
      Action(*this, {.name = "Action", .bounds = fieldAt(RowAction), .helpContext = 3030}, win::ComboStyle::DropDownList,
             {"Print to Default Printer", "Print to Selected Printer", "Save as a File", "Copy to Clipboard", "Email"}, 0),
      FileFormat(*this, {.name = "FileFormat", .bounds = fieldAt(RowFileFormat), .helpContext = 3040},
                 win::ComboStyle::DropDownList, {"BMP - Bitmap", "JPG - JPEG"}, 0),
      JPEGQuality(*this, {.name = "JPEGQuality", .bounds = fieldAt(RowQuality), .helpContext = 3050},
                  win::ComboStyle::DropDownList, qualityItems(), 2),
      ResetToDefaultsAfter(*this, {.name = "ResetToDefaultsAfter", .bounds = fieldAt(RowPolicy), .helpContext = 3060},
                           win::ComboStyle::DropDownList, {"Restart", "Each Use", "Specified Time", "Never"}, 0),
      buOK(*this, {.name = "buOK", .bounds = {78, 236, 75, 25}, .helpContext = 2050, .caption = "O&K"},
           {.isDefault = true}),
      buCancel(*this, {.name = "buCancel", .bounds = {168, 236, 75, 25}, .helpContext = 2060, .caption = "&Cancel"}),
      SpecifiedTime(*this, {.name = "SpecifiedTime", .bounds = {kFieldLeft, kRowTop + RowInterval * kRowStep, 66, 21},
                            .helpContext = 3070},
                    1, 99999, 1),
      EmailJPEGQuality(*this, {.name = "EmailJPEGQuality", .bounds = fieldAt(RowEmailQuality), .helpContext = 3050},
                       win::ComboStyle::DropDownList, qualityItems(), 2) {
    setDefaultButton(&buOK);
    setCancelButton(&buCancel);
    OnShow = [this] { FormShow(); };
    buOK.OnClick = [this] { buOKClick(); };
    buCancel.OnClick = [this] { setModalResult(IDCANCEL); };
    ResetToDefaultsAfter.OnChange = [this] { ResetToDefaultsAfterChange(); };
    centreOnOwner();
}

void TfmDefaults::FormShow() {
    LoadProperty(ScreenArea, "ItemIndex");
    LoadProperty(Action, "ItemIndex");
    LoadProperty(FileFormat, "ItemIndex");
    LoadProperty(JPEGQuality, "ItemIndex", "JPEGQuality", "Position");
    LoadProperty(EmailJPEGQuality, "ItemIndex", "EmailJPEGQuality", "Position");
    LoadProperty(ResetToDefaultsAfter, "ItemIndex");
    LoadProperty(SpecifiedTime, "Value");
    ResetToDefaultsAfterChange();
}

void TfmDefaults::buOKClick() {
    SaveProperty(ScreenArea, "ItemIndex");
    SaveProperty(Action, "ItemIndex");
    SaveProperty(FileFormat, "ItemIndex");
    SaveProperty(JPEGQuality, "ItemIndex", "JPEGQuality", "Position");
    SaveProperty(EmailJPEGQuality, "ItemIndex", "EmailJPEGQuality", "Position");
    SaveProperty(ResetToDefaultsAfter, "ItemIndex");
    SaveProperty(SpecifiedTime, "Value");
    setModalResult(IDOK);
}

void TfmDefaults::ResetToDefaultsAfterChange() {
    const bool specifiedTime = ResetToDefaultsAfter.itemIndex() == 2;
    lbSpecifiedTime.setEnabled(specifiedTime);
    SpecifiedTime.setEnabled(specifiedTime);
    lbMinutes.setEnabled(specifiedTime);
}

}  // namespace vps
