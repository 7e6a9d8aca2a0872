#include "settings/uPrintingOptions.h"

#include "core/PrinterNames.h"
#include "output/Printer.h"
#include "settings/uIni.h"

namespace vps {

namespace {

constexpr int kLabelLeft = 8;
constexpr int kLabelWidth = 112;
constexpr int kFieldLeft = 128;
constexpr int kFieldWidth = 185;
constexpr int kSizeWidth = 64;
constexpr int kFieldHeight = 21;
constexpr int kCheckHeight = 17;

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

win::Box labelAt(int top) { return {kLabelLeft, top + 4, kLabelWidth, 14}; }
win::Box fieldAt(int top, int width = kFieldWidth) { return {kFieldLeft, top, width, kFieldHeight}; }
win::Box checkAt(int top) { return {kFieldLeft, top, kFieldWidth, kCheckHeight}; }

std::vector<std::string> printerShortNames() {
    std::vector<std::string> names;
    for (const auto& entry : PrinterList()) names.push_back(PrinterShortName(entry));
    return names;
}

}  // namespace

TfmPrintingOptions::TfmPrintingOptions(HWND owner)
    : Form({.className = "TfmPrintingOptions",
            .name = "fmPrintingOptions",
            .caption = "Printing Options",
            .clientWidth = 321,
            .clientHeight = 383,
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
            .exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP,
            .owner = owner}),
      lbReportTitle(*this, {.name = "lbReportTitle", .bounds = labelAt(TitleRow), .caption = "Report Title"}, win::TextAlign::Right),
      lbReportTitleFont(*this, {.name = "lbReportTitleFont", .bounds = labelAt(TitleFontRow), .caption = "Title Font"}, win::TextAlign::Right),
      lbReportTitleFontSize(*this, {.name = "lbReportTitleFontSize", .bounds = labelAt(TitleSizeRow), .caption = "Font Size"}, win::TextAlign::Right),
      lbReportFont(*this, {.name = "lbReportFont", .bounds = labelAt(ReportFontRow), .caption = "Report Font"}, win::TextAlign::Right),
      lbReportFontSize(*this, {.name = "lbReportFontSize", .bounds = labelAt(ReportSizeRow), .caption = "Report Font Size"}, win::TextAlign::Right),
      lbDefaultPrinter(*this, {.name = "lbDefaultPrinter", .bounds = labelAt(PrinterRow), .caption = "Default Printer"}, win::TextAlign::Right),
      lbOrientation(*this, {.name = "lbOrientation", .bounds = labelAt(OrientationRow), .caption = "Default Orientation"}, win::TextAlign::Right),
      Bevel1(*this, {.name = "Bevel1", .bounds = {8, RuleRow, 305, 2}}),
      ReportTitle(*this, {.name = "ReportTitle", .bounds = fieldAt(TitleRow), .helpContext = 2000, .caption = "Print Screen"}),
      PrintTitle(*this, {.name = "PrintTitle", .bounds = checkAt(PrintTitleRow), .helpContext = 2010, .caption = "Print Title"}, true),
      PrintTime(*this, {.name = "PrintTime", .bounds = checkAt(PrintTimeRow), .helpContext = 2020, .caption = "Print Time"}, true),
      PrintDate(*this, {.name = "PrintDate", .bounds = checkAt(PrintDateRow), .helpContext = 2030, .caption = "Print Date"}, true),
      PrintUserName(*this, {.name = "PrintUserName", .bounds = checkAt(PrintUserNameRow), .helpContext = 2040, .caption = "Print User Name"}, true),
      buOK(*this, {.name = "buOK", .bounds = {78, ButtonRow, 75, 25}, .helpContext = 2050, .caption = "O&K"}, {.isDefault = true}),
      buCancel(*this, {.name = "buCancel", .bounds = {168, ButtonRow, 75, 25}, .helpContext = 2060, .caption = "&Cancel"}),
      ReportFont(*this, {.name = "ReportFont", .bounds = fieldAt(ReportFontRow), .helpContext = 2070}),
      ReportFontSize(*this, {.name = "ReportFontSize", .bounds = fieldAt(ReportSizeRow, kSizeWidth), .helpContext = 2080}, ReportFont),
      ReportTitleFont(*this, {.name = "ReportTitleFont", .bounds = fieldAt(TitleFontRow), .helpContext = 2090}),
      ReportTitleFontSize(*this, {.name = "ReportTitleFontSize", .bounds = fieldAt(TitleSizeRow, kSizeWidth), .helpContext = 2100}, ReportTitleFont),
      WindowsDefaultPrinter(*this, {.name = "WindowsDefaultPrinter", .bounds = checkAt(WindowsDefaultRow), .helpContext = 2110, .caption = "Use windows default printer."}, true),
      DefaultPrinter(*this, {.name = "DefaultPrinter", .bounds = fieldAt(PrinterRow), .helpContext = 2120}, win::ComboStyle::DropDown, {}),
      Orientation(*this, {.name = "Orientation", .bounds = fieldAt(OrientationRow, 120), .helpContext = 2130},
                  win::ComboStyle::DropDownList, {"Printer Default", "Portrait", "Landscape"}, 0) {
    setHelpContext(50);
    setDefaultButton(&buOK);
    setCancelButton(&buCancel);
    const std::vector<std::string> fonts = PrinterTrueTypeFonts();
    ReportTitleFont.setFonts(fonts);
    ReportFont.setFonts(fonts);
    OnShow = [this] { FormShow(); };
    buOK.OnClick = [this] { buOKClick(); };
    buCancel.OnClick = [this] { setModalResult(IDCANCEL); };
    ReportTitle.OnChange = [this] { ReportTitleChange(); };
    WindowsDefaultPrinter.OnClick = [this] { WindowsDefaultPrinterClick(); };
    centreOnOwner();
}

void TfmPrintingOptions::FormShow() {
    DefaultPrinter.setItems(printerShortNames());
    // What stays when nothing is stored.
    ReportFont.setSelectedFont("Arial");
    ReportTitleFont.setSelectedFont("Arial");
    // Each font before its size: the size box offers the sizes of the font chosen at that moment.
    LoadProperty(ReportTitle, "Text");
    LoadProperty(PrintTitle, "Checked");
    LoadProperty(PrintTime, "Checked");
    LoadProperty(PrintDate, "Checked");
    LoadProperty(PrintUserName, "Checked");
    LoadProperty(ReportFont, "SelectedFont");
    LoadProperty(ReportFontSize, "FontSize");
    LoadProperty(ReportTitleFont, "SelectedFont");
    LoadProperty(ReportTitleFontSize, "FontSize");
    LoadProperty(DefaultPrinter, "Text");
    LoadProperty(WindowsDefaultPrinter, "Checked");
    LoadProperty(Orientation, "ItemIndex");
    WindowsDefaultPrinterClick();
    ReportTitleChange();
}

void TfmPrintingOptions::buOKClick() {
    SaveProperty(ReportTitle, "Text");
    SaveProperty(PrintTitle, "Checked");
    SaveProperty(PrintTime, "Checked");
    SaveProperty(PrintDate, "Checked");
    SaveProperty(PrintUserName, "Checked");
    SaveProperty(ReportFont, "SelectedFont");
    SaveProperty(ReportFontSize, "FontSize");
    SaveProperty(ReportTitleFont, "SelectedFont");
    SaveProperty(ReportTitleFontSize, "FontSize");
    SaveProperty(DefaultPrinter, "Text");
    SaveProperty(WindowsDefaultPrinter, "Checked");
    SaveProperty(Orientation, "ItemIndex");
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
