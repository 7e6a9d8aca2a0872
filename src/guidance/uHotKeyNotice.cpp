#include "guidance/uHotKeyNotice.h"

#include "guidance/WindowsPrintScreenSetting.h"
#include "settings/uIni.h"
#include "win/DialogLayout.h"

namespace vps {

namespace {

constexpr int kClientWidth = 420;
constexpr int kMargin = 12;
constexpr int kTextLeft = kMargin + 32 + kMargin;  // beside the warning sign
constexpr int kTextWidth = kClientWidth - kTextLeft - kMargin;
constexpr int kCheckBoxTop = 232;
constexpr int kButtonTop = 262;
constexpr int kWideButtonWidth = 190;

}  // namespace

TfmHotKeyNotice::TfmHotKeyNotice(const hotkeys::Notice& notice)
    : Form({.className = "TfmHotKeyNotice",
            .name = "fmHotKeyNotice",
            .caption = "Vantaro Print Screen - Print Screen Keys",
            .clientWidth = kClientWidth,
            .clientHeight = kButtonTop + win::kButtonHeight + kMargin,
            .style = win::kDialogStyle}),
      imWarning(*this, {.name = "imWarning", .bounds = {kMargin, kMargin, 32, 32}}, IDI_WARNING),
      lbMessage(*this, {.name = "lbMessage",
                        .bounds = {kTextLeft, kMargin, kTextWidth, kCheckBoxTop - 2 * kMargin},
                        .caption = notice.text}),
      HotKeyNoticeOff(*this,
                      {.name = "HotKeyNoticeOff",
                       .bounds = {kTextLeft, kCheckBoxTop, kTextWidth, win::kCheckBoxHeight},
                       .caption = "Do not tell me again"},
                      false),
      buTurnOffWindowsSetting(
          *this, {.name = "buTurnOffWindowsSetting",
                  .bounds = {kTextLeft, kButtonTop, kWideButtonWidth, win::kButtonHeight},
                  .caption = "&Turn Off the Windows Setting"}),
      buOK(*this,
           {.name = "buOK",
            .bounds = {kClientWidth - kMargin - win::kButtonWidth, kButtonTop, win::kButtonWidth,
                       win::kButtonHeight},
            .caption = "OK"},
           {.isDefault = true}) {
    buTurnOffWindowsSetting.setVisible(notice.offerWindowsSettingOff);
    setDefaultButton(&buOK);
    setCancelButton(&buOK);
    HotKeyNoticeOff.OnClick = [this] { HotKeyNoticeOffClick(); };
    buTurnOffWindowsSetting.OnClick = [this] { buTurnOffWindowsSettingClick(); };
    buOK.OnClick = [this] { buOKClick(); };
    centreOnOwner();
}

// Stored at once: the message may stay open for the whole run, and the next start must know.
void TfmHotKeyNotice::HotKeyNoticeOffClick() {
    SaveProperty(HotKeyNoticeOff, settings::HotKeyNoticeOff);
}

void TfmHotKeyNotice::buTurnOffWindowsSettingClick() {
    turnOffWindowsPrintScreen();
    buTurnOffWindowsSetting.setText("Windows Setting Turned Off");
    buTurnOffWindowsSetting.setEnabled(false);
}

void TfmHotKeyNotice::buOKClick() {
    hide();
}

}  // namespace vps
