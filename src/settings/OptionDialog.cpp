#include "settings/OptionDialog.h"

#include <utility>

namespace vps {

OptionDialog::OptionDialog(const char* className, std::string name, std::string caption,
                           int clientHeight, HWND owner)
    : Form({.className = className,
            .name = std::move(name),
            .caption = std::move(caption),
            .clientWidth = kClientWidth,
            .clientHeight = clientHeight,
            .style = win::kDialogStyle,
            .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP,
            .owner = owner}) {}

void OptionDialog::useButtons(win::PushButton& ok, win::PushButton& cancel) {
    setDefaultButton(&ok);
    setCancelButton(&cancel);
    cancel.OnClick = [this] { setModalResult(IDCANCEL); };
}

}  // namespace vps
