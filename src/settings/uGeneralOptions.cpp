#include "settings/uGeneralOptions.h"

#include "core/CaptureChoices.h"
#include "settings/RunAtSignIn.h"
#include "win/Application.h"
#include "win/MessageDialog.h"

namespace vps {

namespace {

// Top of each part, top to bottom; a new group goes in above the rule and moves the rest down.
enum RowTop {
    ScreenToCaptureRow = 8,
    HotKeyNoticeRow = 92,
    StartWithWindowsRow = 146,
    RuleRow = 202,
    ButtonRow = 216,
    ClientHeight = 251,
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
      gbStartWithWindows(*this, {.name = "gbStartWithWindows",
                                 .bounds = {kMargin, StartWithWindowsRow, kGroupWidth, 46},
                                 .caption = "Start with Windows"}),
      StartWithWindows(gbStartWithWindows,
                       {.name = "StartWithWindows",
                        .bounds = {10, 20, kGroupWidth - 20, win::kCheckBoxHeight},
                        .caption = "Start Vantaro Print Screen when I sign in"},
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
    showStartWithWindows();
}

void TfmGeneralOptions::showStartWithWindows() {
    const std::optional<std::string> value = startup::readRunValue();
    const std::string here = win::Application::exePath();
    RunEntryFound = startup::classifyRunValue(value, here);
    // The program was moved (or another copy was set to start): the old path would start
    // nothing, or the wrong copy, at the next sign-in.
    if (RunEntryFound == startup::RunEntry::Elsewhere) {
        const int answer = win::showMessageDialog(
            GetWindow(handle(), GW_OWNER),
            {.text = "Vantaro Print Screen starts when you sign in, but from another place:\r\n" +
                     startup::programOfRunValue(*value) +
                     "\r\n\r\nStart it from here instead?\r\n" + here,
             .caption = "Start with Windows",
             .kind = win::DialogKind::Confirmation,
             .buttons = {{"&Yes", IDYES}, {"&No", IDNO}},
             .defaultResult = IDYES,
             .cancelResult = IDNO});
        if (answer == IDYES) {
            startup::writeRunValue(here);
            RunEntryFound = startup::RunEntry::Current;
        }
    }
    StartWithWindows.setChecked(RunEntryFound != startup::RunEntry::Missing);
}

void TfmGeneralOptions::buOKClick() {
    SaveProperties(storedProperties());
    switch (startup::changeOnOk(RunEntryFound, StartWithWindows.checked())) {
        case startup::RunChange::Write: startup::writeRunValue(win::Application::exePath()); break;
        case startup::RunChange::Remove: startup::removeRunValue(); break;
        case startup::RunChange::None: break;
    }
    setModalResult(IDOK);
}

}  // namespace vps
