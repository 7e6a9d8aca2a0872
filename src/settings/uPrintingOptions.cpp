// The Printing Options dialog: title, fonts, footer, printer and orientation of the printed page.
#include "settings/uPrintingOptions.h"

#include "core/PrinterNames.h"
#include "output/Printer.h"

namespace vps {

namespace {

constexpr win::LabelledRows kRows = OptionDialog::rows(112, 128);
constexpr int kSizeWidth = 64;

// Top of each row, top to bottom.
enum RowTop {
    TitleRow = 10,
    TitleFontRow = 38,
    TitleSizeRow = 66,
    ReportFontRow = 94,
    ReportSizeRow = 122,
    PrintTitleRow = 150,
    PrintTimeRow = 170,
    PrintDateRow = 190,
    PrintUserNameRow = 210,
    PrinterRow = 236,
    WindowsDefaultRow = 262,
    OrientationRow = 286,
    RuleRow = 318,
    ButtonRow = 338,
};

std::vector<std::string> printerShortNames() {
    std::vector<std::string> names;
    for (const auto& entry : PrinterList()) names.push_back(PrinterShortName(entry));
    return names;
}

}  // namespace

TfmPrintingOptions::TfmPrintingOptions(HWND owner)
    : OptionDialog("TfmPrintingOptions", "fmPrintingOptions", "Printing Options", 383, owner),
      lbReportTitle(*this, {.name = "lbReportTitle", .bounds = kRows.label(TitleRow), .caption = "Report Title"}),
      lbReportTitleFont(*this, {.name = "lbReportTitleFont", .bounds = kRows.label(TitleFontRow), .caption = "Title Font"}),
      lbReportTitleFontSize(*this, {.name = "lbReportTitleFontSize", .bounds = kRows.label(TitleSizeRow), .caption = "Font Size"}),
      lbReportFont(*this, {.name = "lbReportFont", .bounds = kRows.label(ReportFontRow), .caption = "Report Font"}),
      lbReportFontSize(*this, {.name = "lbReportFontSize", .bounds = kRows.label(ReportSizeRow), .caption = "Report Font Size"}),
      lbDefaultPrinter(*this, {.name = "lbDefaultPrinter", .bounds = kRows.label(PrinterRow), .caption = "Default Printer"}),
      lbOrientation(*this, {.name = "lbOrientation", .bounds = kRows.label(OrientationRow), .caption = "Default Orientation"}),
      Bevel1(*this, {.name = "Bevel1", .bounds = ruleAt(RuleRow)}),
      ReportTitle(*this, {.name = "ReportTitle", .bounds = kRows.field(TitleRow), .helpContext = 2000, .caption = "Print Screen"}),
      PrintTitle(*this, {.name = "PrintTitle", .bounds = kRows.checkBox(PrintTitleRow), .helpContext = 2010, .caption = "Print Title"}, true),
      PrintTime(*this, {.name = "PrintTime", .bounds = kRows.checkBox(PrintTimeRow), .helpContext = 2020, .caption = "Print Time"}, true),
      PrintDate(*this, {.name = "PrintDate", .bounds = kRows.checkBox(PrintDateRow), .helpContext = 2030, .caption = "Print Date"}, true),
      PrintUserName(*this, {.name = "PrintUserName", .bounds = kRows.checkBox(PrintUserNameRow), .helpContext = 2040, .caption = "Print User Name"}, true),
      buOK(*this, {.name = "buOK", .bounds = okButtonAt(ButtonRow), .helpContext = 2050, .caption = "O&K"}, {.isDefault = true}),
      buCancel(*this, {.name = "buCancel", .bounds = cancelButtonAt(ButtonRow), .helpContext = 2060, .caption = "&Cancel"}),
      ReportFont(*this, {.name = "ReportFont", .bounds = kRows.field(ReportFontRow), .helpContext = 2070}),
      ReportFontSize(*this, {.name = "ReportFontSize", .bounds = kRows.field(ReportSizeRow, kSizeWidth), .helpContext = 2080}, ReportFont),
      ReportTitleFont(*this, {.name = "ReportTitleFont", .bounds = kRows.field(TitleFontRow), .helpContext = 2090}),
      ReportTitleFontSize(*this, {.name = "ReportTitleFontSize", .bounds = kRows.field(TitleSizeRow, kSizeWidth), .helpContext = 2100}, ReportTitleFont),
      WindowsDefaultPrinter(*this, {.name = "WindowsDefaultPrinter", .bounds = kRows.checkBox(WindowsDefaultRow), .helpContext = 2110, .caption = "Use windows default printer."}, true),
      DefaultPrinter(*this, {.name = "DefaultPrinter", .bounds = kRows.field(PrinterRow), .helpContext = 2120}, win::ComboStyle::DropDown, {}),
      Orientation(*this, {.name = "Orientation", .bounds = kRows.field(OrientationRow, 120), .helpContext = 2130},
                  win::ComboStyle::DropDownList, {"Printer Default", "Portrait", "Landscape"}, 0) {
    setHelpContext(50);
    useButtons(buOK, buCancel);
    const std::vector<std::string> fonts = PrinterTrueTypeFonts();
    ReportTitleFont.setFonts(fonts);
    ReportFont.setFonts(fonts);
    OnShow = [this] { FormShow(); };
    buOK.OnClick = [this] { buOKClick(); };
    ReportTitle.OnChange = [this] { ReportTitleChange(); };
    WindowsDefaultPrinter.OnClick = [this] { WindowsDefaultPrinterClick(); };
    centreOnOwner();
}

// Each font before its size: the size box offers the sizes of the font chosen at that moment.
std::vector<StoredProperty> TfmPrintingOptions::storedProperties() {
    return {{ReportTitle, settings::ReportTitle},
            {PrintTitle, settings::PrintTitle},
            {PrintTime, settings::PrintTime},
            {PrintDate, settings::PrintDate},
            {PrintUserName, settings::PrintUserName},
            {ReportFont, settings::ReportFont},
            {ReportFontSize, settings::ReportFontSize},
            {ReportTitleFont, settings::ReportTitleFont},
            {ReportTitleFontSize, settings::ReportTitleFontSize},
            {DefaultPrinter, settings::DefaultPrinter},
            {WindowsDefaultPrinter, settings::WindowsDefaultPrinter},
            {Orientation, settings::Orientation}};
}

void TfmPrintingOptions::FormShow() {
    DefaultPrinter.setItems(printerShortNames());
    // What stays when nothing is stored.
    ReportFont.setSelectedFont(std::string(settings::ReportFont.designValue));
    ReportTitleFont.setSelectedFont(std::string(settings::ReportTitleFont.designValue));
    LoadProperties(storedProperties());
    WindowsDefaultPrinterClick();
    ReportTitleChange();
}

void TfmPrintingOptions::buOKClick() {
    SaveProperties(storedProperties());
    setModalResult(IDOK);
}

void TfmPrintingOptions::ReportTitleChange() {
    // The fonts are previewed with the title itself.
    const std::string title = ReportTitle.text();
    ReportTitleFont.setSampleText(title);
    ReportFont.setSampleText(title);
}

void TfmPrintingOptions::WindowsDefaultPrinterClick() {
    const bool ownPrinter = !WindowsDefaultPrinter.checked();
    DefaultPrinter.setEnabled(ownPrinter);
    lbDefaultPrinter.setEnabled(ownPrinter);
}

}  // namespace vps
