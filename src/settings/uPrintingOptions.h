// The Printing Options dialog: title, fonts, footer, printer and orientation of the printed page.
#pragma once

#include <vector>

#include "settings/OptionDialog.h"
#include "settings/uIni.h"
#include "win/Button.h"
#include "win/CheckBox.h"
#include "win/ComboBox.h"
#include "win/DialogLayout.h"
#include "win/Edit.h"
#include "win/FontComboBox.h"
#include "win/FontSizeComboBox.h"

namespace vps {

// Edits what the printed page reads from the settings: the title, the fonts and sizes of the
// title and the footer, the footer's parts, the printer of "Print to Default Printer" and the
// orientation. It only stores values; the next page reads them again.
class TfmPrintingOptions : public OptionDialog {
public:
    explicit TfmPrintingOptions(HWND owner);

    // The labels first: they take no part in the tab order.
    win::RowLabel lbReportTitle;
    win::RowLabel lbReportTitleFont;
    win::RowLabel lbReportTitleFontSize;
    win::RowLabel lbReportFont;
    win::RowLabel lbReportFontSize;
    win::RowLabel lbDefaultPrinter;
    win::RowLabel lbOrientation;
    win::HorizontalRule Bevel1;
    // The controls, in their tab order. A font list comes before its size box, which follows it.
    win::Edit ReportTitle;
    win::CheckBox PrintTitle;
    win::CheckBox PrintTime;
    win::CheckBox PrintDate;
    win::CheckBox PrintUserName;
    win::PushButton buOK;
    win::PushButton buCancel;
    win::FontComboBox ReportFont;
    win::FontSizeComboBox ReportFontSize;
    win::FontComboBox ReportTitleFont;
    win::FontSizeComboBox ReportTitleFontSize;
    win::CheckBox WindowsDefaultPrinter;
    win::ComboBox DefaultPrinter;
    win::ComboBox Orientation;

    void FormShow();
    void buOKClick();
    void ReportTitleChange();
    void WindowsDefaultPrinterClick();

private:
    std::vector<StoredProperty> storedProperties();
};

}  // namespace vps
