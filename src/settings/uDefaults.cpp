// The Defaults dialog: the choices the main window falls back to, and the reset policy that says
// when.
#include "settings/uDefaults.h"

#include <vector>

#include "core/CaptureChoices.h"
#include "core/ResetPolicy.h"

namespace vps {

namespace {

constexpr win::LabelledRows kRows = OptionDialog::rows(148, 162);

// Top of each row, top to bottom.
enum RowTop {
    ScreenAreaRow = 12,
    ActionRow = 40,
    FileFormatRow = 68,
    QualityRow = 96,
    EmailQualityRow = 124,
    PolicyRow = 152,
    IntervalRow = 180,
    RuleRow = 222,
    ButtonRow = 236,
};

std::vector<std::string> qualityItems() {
    return {options::QualityTexts.begin(), options::QualityTexts.end()};
}

}  // namespace

TfmDefaults::TfmDefaults(HWND owner)
    : OptionDialog("TfmDefaults", "fmDefaults", "Defaults", 271, owner),
      lbScreenArea(*this, {.name = "lbScreenArea", .bounds = kRows.label(ScreenAreaRow), .caption = "Default Screen Area"}),
      lbAction(*this, {.name = "lbAction", .bounds = kRows.label(ActionRow), .caption = "Default Action"}),
      lbFileFormat(*this, {.name = "lbFileFormat", .bounds = kRows.label(FileFormatRow), .caption = "Default File Format"}),
      lbJPEGQuality(*this, {.name = "lbJPEGQuality", .bounds = kRows.label(QualityRow), .caption = "Default JPEG Quality"}),
      lbEmailJPEGQuality(*this, {.name = "lbEmailJPEGQuality", .bounds = kRows.label(EmailQualityRow), .caption = "Default Email JPEG Quality"}),
      lbResetToDefaultsAfter(*this, {.name = "lbResetToDefaultsAfter", .bounds = kRows.label(PolicyRow), .caption = "Reset to defaults after"}),
      lbSpecifiedTime(*this, {.name = "lbSpecifiedTime", .bounds = kRows.label(IntervalRow), .caption = "Specified Time"}),
      lbMinutes(*this, {.name = "lbMinutes", .bounds = win::labelOnRow(kRows.fieldLeft + 72, IntervalRow, 60), .caption = "minutes."}),
      Bevel1(*this, {.name = "Bevel1", .bounds = ruleAt(RuleRow)}),
      ScreenArea(*this, {.name = "ScreenArea", .bounds = kRows.field(ScreenAreaRow), .helpContext = 3020},
                 win::ComboStyle::DropDownList, {"All", "All, except Task Bar", "Foreground Window", "Selected Area"}, 0),
      Action(*this, {.name = "Action", .bounds = kRows.field(ActionRow), .helpContext = 3030}, win::ComboStyle::DropDownList,
             {"Print to Default Printer", "Print to Selected Printer", "Save as a File", "Copy to Clipboard", "Email"}, 0),
      FileFormat(*this, {.name = "FileFormat", .bounds = kRows.field(FileFormatRow), .helpContext = 3040},
                 win::ComboStyle::DropDownList, {"BMP - Bitmap", "JPG - JPEG"}, 0),
      JPEGQuality(*this, {.name = "JPEGQuality", .bounds = kRows.field(QualityRow), .helpContext = 3050},
                  win::ComboStyle::DropDownList, qualityItems(), 2),
      ResetToDefaultsAfter(*this, {.name = "ResetToDefaultsAfter", .bounds = kRows.field(PolicyRow), .helpContext = 3060},
                           win::ComboStyle::DropDownList, {"Restart", "Each Use", "Specified Time", "Never"}, 0),
      buOK(*this, {.name = "buOK", .bounds = okButtonAt(ButtonRow), .helpContext = 2050, .caption = "O&K"}, {.isDefault = true}),
      buCancel(*this, {.name = "buCancel", .bounds = cancelButtonAt(ButtonRow), .helpContext = 2060, .caption = "&Cancel"}),
      SpecifiedTime(*this, {.name = "SpecifiedTime", .bounds = kRows.field(IntervalRow, 66), .helpContext = 3070}, 1, 99999, 1),
      EmailJPEGQuality(*this, {.name = "EmailJPEGQuality", .bounds = kRows.field(EmailQualityRow), .helpContext = 3050},
                       win::ComboStyle::DropDownList, qualityItems(), 2) {
    useButtons(buOK, buCancel);
    OnShow = [this] { FormShow(); };
    buOK.OnClick = [this] { buOKClick(); };
    ResetToDefaultsAfter.OnChange = [this] { ResetToDefaultsAfterChange(); };
    centreOnOwner();
}

// The two qualities are stored where the main window's sliders keep theirs.
std::vector<StoredProperty> TfmDefaults::storedProperties() {
    return {{ScreenArea, settings::ScreenArea},
            {Action, settings::Action},
            {FileFormat, settings::FileFormat},
            {JPEGQuality, settings::JPEGQuality, "ItemIndex"},
            {EmailJPEGQuality, settings::EmailJPEGQuality, "ItemIndex"},
            {ResetToDefaultsAfter, settings::ResetToDefaultsAfter},
            {SpecifiedTime, settings::SpecifiedTime}};
}

void TfmDefaults::FormShow() {
    LoadProperties(storedProperties());
    ResetToDefaultsAfterChange();
}

void TfmDefaults::buOKClick() {
    SaveProperties(storedProperties());
    setModalResult(IDOK);
}

void TfmDefaults::ResetToDefaultsAfterChange() {
    const bool specifiedTime = ResetToDefaultsAfter.itemIndex() == policy::indexOf(policy::ResetPolicy::SpecifiedTime);
    lbSpecifiedTime.setEnabled(specifiedTime);
    SpecifiedTime.setEnabled(specifiedTime);
    lbMinutes.setEnabled(specifiedTime);
}

}  // namespace vps
