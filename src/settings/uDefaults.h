#pragma once

#include "win/Button.h"
#include "win/CheckBox.h"
#include "win/ComboBox.h"
#include "win/Edit.h"
#include "win/Form.h"
#include "win/Label.h"

namespace vps {

// Edits the stored choices the main window falls back to, and when it falls back to them.
class TfmDefaults : public win::Form {
public:
    explicit TfmDefaults(HWND owner);

    // The labels first: they take no part in the tab order.
    win::Label lbScreenArea;
    win::Label lbAction;
    win::Label lbFileFormat;
    win::Label lbJPEGQuality;
    win::Label lbEmailJPEGQuality;
    win::Label lbResetToDefaultsAfter;
    win::Label lbSpecifiedTime;
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
};

}  // namespace vps
