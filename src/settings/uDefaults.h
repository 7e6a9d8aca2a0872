// The Defaults dialog: the choices the main window falls back to, and the reset policy that says
// when.
#pragma once

#include <vector>

#include "settings/OptionDialog.h"
#include "settings/uIni.h"
#include "win/Button.h"
#include "win/CheckBox.h"
#include "win/ComboBox.h"
#include "win/DialogLayout.h"
#include "win/Edit.h"
#include "win/Label.h"

namespace vps {

// Edits the stored choices the main window falls back to, and when it falls back to them.
class TfmDefaults : public OptionDialog {
public:
    explicit TfmDefaults(HWND owner);

    // The labels first: they take no part in the tab order.
    win::RowLabel lbScreenArea;
    win::RowLabel lbAction;
    win::RowLabel lbFileFormat;
    win::RowLabel lbJPEGQuality;
    win::RowLabel lbEmailJPEGQuality;
    win::RowLabel lbResetToDefaultsAfter;
    win::RowLabel lbSpecifiedTime;
    win::Label lbMinutes;
    win::HorizontalRule Bevel1;
    // The controls, in their tab order.
    win::ComboBox ScreenArea;
    win::ComboBox Action;
    win::ComboBox FileFormat;
    win::ComboBox JPEGQuality;
    win::ComboBox ResetToDefaultsAfter;
    win::PushButton buOK;
    win::PushButton buCancel;
    win::SpinEdit SpecifiedTime;
    win::ComboBox EmailJPEGQuality;

    void FormShow();
    void buOKClick();
    void ResetToDefaultsAfterChange();

private:
    std::vector<StoredProperty> storedProperties();
};

}  // namespace vps
