#include "win/MessageDialog.h"

#include <algorithm>
#include <deque>

#include "win/Button.h"
#include "win/DialogLayout.h"
#include "win/Dpi.h"
#include "win/Form.h"
#include "win/Label.h"
#include "win/WideText.h"

namespace win {

namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonGap = 8;
constexpr int kButtonTextMargin = 12;  // between a button's caption and its sides

const char* iconOf(DialogKind kind) {
    switch (kind) {
        case DialogKind::Error: return IDI_ERROR;
        case DialogKind::Information: return IDI_INFORMATION;
        case DialogKind::Confirmation: return IDI_QUESTION;
        case DialogKind::Warning: break;
    }
    return IDI_WARNING;
}

SIZE measureText(const std::string& text, HFONT font, int wrapWidth) {
    WindowDC screen(nullptr);
    SelectGuard select(screen.get(), font);
    RECT r{0, 0, wrapWidth, 0};
    const std::wstring shown = wide(text);
    DrawTextW(screen.get(), shown.c_str(), static_cast<int>(shown.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    return {r.right, r.bottom};
}

}  // namespace

int showMessageDialog(HWND owner, const MessageDialogDescription& description) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);

    const std::string fontFace = narrow(metrics.lfMessageFont.lfFaceName);
    Form dialog({.className = "TMessageForm",
                 .name = "MessageDialog",
                 .caption = description.caption,
                 .style = kDialogStyle,
                 .exStyle = WS_EX_DLGMODALFRAME,
                 .owner = owner,
                 .fontFace = fontFace.c_str(),
                 // The system gives the height at its own DPI; the form makes it at its own.
                 .fontHeight = vps::dpi::designLengthCovering(
                     std::abs(metrics.lfMessageFont.lfHeight), systemDpi())});

    // Measured in pixels with the form's font, then turned into design pixels like the rest.
    const SIZE measured = measureText(description.text, dialog.font(), dialog.scaled(480));
    const SIZE textSize{vps::dpi::designLengthCovering(measured.cx, dialog.dpi()),
                        vps::dpi::designLengthCovering(measured.cy, dialog.dpi())};
    const int buttonCount = static_cast<int>(description.buttons.size());
    // All buttons one width: the standard one, or wider when a caption needs it.
    int buttonWidth = kButtonWidth;
    for (const auto& button : description.buttons) {
        const int captionWidth = vps::dpi::designLengthCovering(
            measureText(button.caption, dialog.font(), dialog.scaled(480)).cx, dialog.dpi());
        buttonWidth = std::max<int>(buttonWidth, captionWidth + 2 * kButtonTextMargin);
    }
    const int buttonsWidth = buttonRowWidth(buttonCount, kButtonGap, buttonWidth);
    const int textLeft = kMargin + kIconSize + kMargin;
    const int clientWidth = std::max<int>(textLeft + textSize.cx, buttonsWidth) + 2 * kMargin;
    const int textBottom = kMargin + std::max<int>(textSize.cy, kIconSize);
    const int clientHeight = textBottom + kMargin + kButtonHeight + kMargin;
    dialog.setDesignClientSize(clientWidth, clientHeight);

    IconLabel icon(dialog, {.name = "Image", .bounds = {kMargin, kMargin, kIconSize, kIconSize}},
                   iconOf(description.kind));
    Label message(dialog, {.name = "Message",
                           .bounds = {textLeft, kMargin, textSize.cx, textSize.cy},
                           .caption = description.text});

    std::deque<PushButton> buttons;
    for (const auto& button : description.buttons) {
        const bool isDefault = button.result == description.defaultResult;
        const int index = static_cast<int>(buttons.size());
        PushButton& control = buttons.emplace_back(
            dialog,
            ControlDescription{.name = button.caption,
                        .bounds = centredButton(clientWidth, buttonCount, kButtonGap, index,
                                                textBottom + kMargin, buttonWidth),
                        .caption = button.caption},
            ButtonOptions{.isDefault = isDefault});
        control.OnClick = [&dialog, result = button.result] { dialog.setModalResult(result); };
        if (isDefault) dialog.setDefaultButton(&control);
        if (button.result == description.cancelResult) dialog.setCancelButton(&control);
    }

    dialog.centreOnOwner();
    dialog.OnCloseQuery = [&] {
        // The close box answers as Escape does; without a cancel button it does nothing.
        if (!description.cancelResult) return false;
        dialog.setModalResult(description.cancelResult);
        return true;
    };

    MessageBeep(description.kind == DialogKind::Error ? MB_ICONHAND : MB_ICONEXCLAMATION);
    const int result = dialog.showModal();
    return result == IDCANCEL && description.cancelResult ? description.cancelResult : result;
}

}  // namespace win
