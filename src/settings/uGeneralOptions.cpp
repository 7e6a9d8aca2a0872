#include "settings/uGeneralOptions.h"

#include "core/CaptureChoices.h"

namespace vps {

namespace {

// Top of each part, top to bottom; a new group goes in above the rule and moves the rest down.
enum RowTop {
    ScreenToCaptureRow = 8,
    HotKeyNoticeRow = 92,
    RuleRow = 148,
    ButtonRow = 162,
    ClientHeight = 197,
};

constexpr int kGroupWidth = OptionDialog::kClientWidth - 2 * OptionDialog::kMargin;

}  // namespace

TfmGeneralOptions::TfmGeneralOptions(HWND owner)
    : OptionDialog("TfmGeneralOptions", "fmGeneralOptions", "General Options", ClientHeight, owner),
      Bevel1(*this, {.name = "Bevel1", .bounds = ruleAt(RuleRow)}),
      // In the order of the choice's indices, which the settings file stores.
      ScreenToCapture(*this,
                      {.name = "ScreenToCapture",
                       .bounds = {kMargin, ScreenToCaptureRow, kGroupWidth, 76},
                       .caption = "Screen to capture"},
                      {"Primary screen", "Screen under the mouse pointer", "All screens"},
                      options::indexOf(options::ScreenToCaptureChoice::Primary)),
      gbHotKeyNotice(*this, {.name = "gbHotKeyNotice",
                             .bounds = {kMargin, HotKeyNoticeRow, kGroupWidth, 46},
                             .caption = "When a Print Screen key does not reach the program"}),
      // The same name as the message's own check box: both are one setting.
      HotKeyNoticeOff(gbHotKeyNotice,
                      {.name = "HotKeyNoticeOff",
                       .bounds = {10, 20, kGroupWidth - 20, win::kCheckBoxHeight},
                       .caption = "Do not tell me again"},
                      false),
      buOK(*this,
           {.name = "buOK", .bounds = okButtonAt(ButtonRow), .helpContext = 2050, .caption = "O&K"},
           {.isDefault = true}),
      buCancel(*this, {.name = "buCancel",
                       .bounds = cancelButtonAt(ButtonRow),
                       .helpContext = 2060,
                       .caption = "&Cancel"}) {
    useButtons(buOK, buCancel);
    OnShow = [this] { FormShow(); };
    buOK.OnClick = [this] { buOKClick(); };
    centreOnOwner();
}

std::vector<StoredProperty> TfmGeneralOptions::storedProperties() {
    return {{ScreenToCapture, settings::ScreenToCapture}, {HotKeyNoticeOff, settings::HotKeyNoticeOff}};
}

void TfmGeneralOptions::FormShow() {
    LoadProperties(storedProperties());
}

void TfmGeneralOptions::buOKClick() {
    SaveProperties(storedProperties());
    setModalResult(IDOK);
}

}  // namespace vps
