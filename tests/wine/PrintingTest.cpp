// The printing options dialog and the printed page, against the printer that the test machine
// provides (scripts/lib/printer.sh: a PDF printer as the Windows default, and an Arial).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <tuple>

#include "TestSupport.h"
#include "app/AppWindows.h"
#include "output/CaptureBitmap.h"
#include "output/PrintCapture.h"
#include "output/Printer.h"
#include "settings/uIni.h"
#include "settings/uPrintingOptions.h"
#include "win/Application.h"
#include "win/Gdi.h"
#include "win/WideText.h"

namespace vps {
namespace {

using Entry = std::tuple<std::string, std::string, std::string>;  // section, key, value

// The settings file as (section, key, value) in the order of the file.
std::vector<Entry> storedEntries() {
    std::vector<Entry> entries;
    std::istringstream file(test::FreshSettingsFile::contents());
    std::string line;
    std::string section;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line.front() == '[') {
            section = line.substr(1, line.find(']') - 1);
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            entries.emplace_back(section, line.substr(0, equals), line.substr(equals + 1));
        }
    }
    return entries;
}

void click(win::Window& control) {
    SendMessageA(control.handle(), BM_CLICK, 0, 0);
}

class PrintingOptionsDialog : public testing::Test {
public:
    test::FreshSettingsFile settings;
    std::unique_ptr<TfmPrintingOptions> dialog;

    void SetUp() override {
        ASSERT_FALSE(PrinterList().empty())
            << "no printer: start one with scripts/lib/printer.sh (vps_printer_start) before Wine";
        const auto fonts = PrinterTrueTypeFonts();
        ASSERT_NE(std::ranges::find(fonts, "Arial"), fonts.end())
            << "the printer offers no Arial: give the prefix one (vps_printer_prefix_fonts)";
    }

    TfmPrintingOptions& open() {
        dialog = std::make_unique<TfmPrintingOptions>(nullptr);
        dialog->show();
        return *dialog;
    }
};

TEST_F(PrintingOptionsDialog, WithoutStoredValuesItShowsTheDesignValues) {
    TfmPrintingOptions& d = open();
    EXPECT_EQ(d.text(), "Printing Options");
    EXPECT_EQ(d.clientWidth(), 321);
    EXPECT_EQ(d.clientHeight(), 383);
    EXPECT_EQ(d.helpContext(), 50);
    EXPECT_EQ(d.ReportTitle.text(), "Print Screen");
    EXPECT_EQ(d.ReportTitleFont.selectedFont(), "Arial");
    EXPECT_EQ(d.ReportFont.selectedFont(), "Arial");
    EXPECT_EQ(d.ReportTitleFontSize.fontSize(), 10);
    EXPECT_EQ(d.ReportFontSize.fontSize(), 10);
    for (win::CheckBox* box :
         {&d.PrintTitle, &d.PrintTime, &d.PrintDate, &d.PrintUserName, &d.WindowsDefaultPrinter}) {
        EXPECT_TRUE(box->checked()) << box->name();
    }
    EXPECT_EQ(d.WindowsDefaultPrinter.text(), "Use windows default printer.");
    EXPECT_FALSE(d.DefaultPrinter.enabled());
    EXPECT_FALSE(d.lbDefaultPrinter.enabled());
    EXPECT_EQ(d.DefaultPrinter.text(), "");
    EXPECT_EQ(d.Orientation.itemText(d.Orientation.itemIndex()), "Printer Default");
    // The printers by their short names, in the spooler's order.
    ASSERT_EQ(d.DefaultPrinter.count(), static_cast<int>(PrinterList().size()));
    for (int i = 0; i < d.DefaultPrinter.count(); ++i) {
        EXPECT_EQ(d.DefaultPrinter.itemText(i), PrinterList()[static_cast<std::size_t>(i)]);
    }
    // The font lists offer the printer's TrueType fonts, previewed with the title.
    EXPECT_EQ(d.ReportFont.count(), static_cast<int>(PrinterTrueTypeFonts().size()));
    EXPECT_EQ(d.ReportFont.sampleText(), "Print Screen");
    EXPECT_EQ(d.ReportTitleFont.sampleText(), "Print Screen");
}

TEST_F(PrintingOptionsDialog, TabOrderAndHelpContextsFollowTheDialogsTable) {
    TfmPrintingOptions& d = open();
    std::vector<std::string> tabOrder;
    for (HWND child = GetWindow(d.handle(), GW_CHILD); child;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) {
            tabOrder.push_back(win::Window::fromHandle(child)->name());
        }
    }
    const std::vector<std::string> expectedOrder = {
        "ReportTitle",     "PrintTitle",          "PrintTime",
        "PrintDate",       "PrintUserName",       "buOK",
        "buCancel",        "ReportFont",          "ReportFontSize",
        "ReportTitleFont", "ReportTitleFontSize", "WindowsDefaultPrinter",
        "DefaultPrinter",  "Orientation"};
    EXPECT_EQ(tabOrder, expectedOrder);
    const std::pair<win::Window*, int> contexts[] = {{&d.ReportTitle, 2000},
                                                     {&d.PrintTitle, 2010},
                                                     {&d.PrintTime, 2020},
                                                     {&d.PrintDate, 2030},
                                                     {&d.PrintUserName, 2040},
                                                     {&d.buOK, 2050},
                                                     {&d.buCancel, 2060},
                                                     {&d.ReportFont, 2070},
                                                     {&d.ReportFontSize, 2080},
                                                     {&d.ReportTitleFont, 2090},
                                                     {&d.ReportTitleFontSize, 2100},
                                                     {&d.WindowsDefaultPrinter, 2110},
                                                     {&d.DefaultPrinter, 2120},
                                                     {&d.Orientation, 2130}};
    for (const auto& [control, context] : contexts) {
        EXPECT_EQ(control->helpContext(), context) << control->name();
    }
    const std::pair<win::Window*, const char*> captions[] = {
        {&d.lbReportTitle, "Report Title"},
        {&d.lbReportTitleFont, "Title Font"},
        {&d.lbReportTitleFontSize, "Font Size"},
        {&d.lbReportFont, "Report Font"},
        {&d.lbReportFontSize, "Report Font Size"},
        {&d.lbDefaultPrinter, "Default Printer"},
        {&d.lbOrientation, "Default Orientation"},
        {&d.PrintTitle, "Print Title"},
        {&d.PrintTime, "Print Time"},
        {&d.PrintDate, "Print Date"},
        {&d.PrintUserName, "Print User Name"},
        {&d.buOK, "O&K"},
        {&d.buCancel, "&Cancel"}};
    for (const auto& [control, caption] : captions) EXPECT_EQ(control->text(), caption);
    ASSERT_EQ(d.Orientation.count(), 3);
    EXPECT_EQ(d.Orientation.itemText(1), "Portrait");
    EXPECT_EQ(d.Orientation.itemText(2), "Landscape");
}

TEST_F(PrintingOptionsDialog, ThePrinterRowIsEnabledExactlyWhileTheWindowsDefaultIsNotUsed) {
    TfmPrintingOptions& d = open();
    for (bool expectedEnabled : {true, false, true}) {
        click(d.WindowsDefaultPrinter);
        EXPECT_EQ(d.WindowsDefaultPrinter.checked(), !expectedEnabled);
        EXPECT_EQ(d.DefaultPrinter.enabled(), expectedEnabled);
        EXPECT_EQ(d.lbDefaultPrinter.enabled(), expectedEnabled);
    }
}

TEST_F(PrintingOptionsDialog, OkWritesTheTwelveKeysInOrderAndCancelNone) {
    {
        TfmPrintingOptions& d = open();
        d.ReportTitle.setText("changed");
        click(d.PrintDate);
        click(d.buCancel);
        dialog.reset();
        EXPECT_FALSE(test::FreshSettingsFile::exists());
    }
    open().buOKClick();
    const std::vector<Entry> expected = {
        {"ReportTitle", "Text", "Print Screen"},
        {"PrintTitle", "Checked", "1"},
        {"PrintTime", "Checked", "1"},
        {"PrintDate", "Checked", "1"},
        {"PrintUserName", "Checked", "1"},
        {"ReportFont", "SelectedFont", "Arial"},
        {"ReportFontSize", "FontSize", "10"},
        {"ReportTitleFont", "SelectedFont", "Arial"},
        {"ReportTitleFontSize", "FontSize", "10"},
        {"DefaultPrinter", "Text", ""},
        {"WindowsDefaultPrinter", "Checked", "1"},
        {"Orientation", "ItemIndex", "0"},
    };
    EXPECT_EQ(storedEntries(), expected);
}

TEST_F(PrintingOptionsDialog, StoredValuesComeBackAndGoOutAgainAsShown) {
    test::FreshSettingsFile::write(
        "[ReportTitle]\r\nText=Quarterly figures\r\n[PrintTitle]\r\nChecked=0\r\n"
        "[PrintTime]\r\nChecked=5\r\n[ReportFont]\r\nSelectedFont=liberation serif\r\n"
        "[ReportFontSize]\r\nFontSize=14\r\n[ReportTitleFont]\r\nSelectedFont=No Such Font\r\n"
        "[ReportTitleFontSize]\r\nFontSize=20\r\n[DefaultPrinter]\r\nText=Nowhere\r\n"
        "[WindowsDefaultPrinter]\r\nChecked=0\r\n[Orientation]\r\nItemIndex=2\r\n");
    TfmPrintingOptions& d = open();
    EXPECT_FALSE(d.PrintTitle.checked());
    EXPECT_TRUE(d.PrintTime.checked());
    EXPECT_EQ(d.ReportFont.selectedFont(), "Liberation Serif");  // matched without regard to case
    EXPECT_EQ(d.ReportTitleFont.selectedFont(), "");
    EXPECT_EQ(d.ReportTitleFontSize.text(), "");  // no font, no size
    EXPECT_FALSE(d.ReportTitleFontSize.enabled());
    EXPECT_TRUE(d.DefaultPrinter.enabled());
    EXPECT_EQ(d.ReportFont.sampleText(), "Quarterly figures");
    d.buOKClick();
    EXPECT_EQ(ReadString("ReportTitle", "Text"), "Quarterly figures");
    EXPECT_EQ(ReadString("PrintTime", "Checked"), "1");
    EXPECT_EQ(ReadString("ReportFont", "SelectedFont"), "Liberation Serif");
    EXPECT_EQ(ReadString("ReportFontSize", "FontSize"), "14");
    EXPECT_EQ(ReadString("ReportTitleFont", "SelectedFont"), "");
    EXPECT_EQ(ReadString("ReportTitleFontSize", "FontSize"), "-1");
    EXPECT_EQ(ReadString("DefaultPrinter", "Text"), "Nowhere");  // kept as typed
    EXPECT_EQ(ReadString("WindowsDefaultPrinter", "Checked"), "0");
    EXPECT_EQ(ReadString("Orientation", "ItemIndex"), "2");
}

TEST_F(PrintingOptionsDialog, TheSizeBoxFollowsItsFontList) {
    TfmPrintingOptions& d = open();
    auto& font = d.ReportFont;
    auto& size = d.ReportFontSize;
    size.setFontSize(14);
    font.setSelectedFont("nothing like it");
    EXPECT_EQ(size.text(), "");
    EXPECT_EQ(size.fontSize(), -1);
    EXPECT_FALSE(size.enabled());
    size.setFontSize(12);  // takes no input while no font is chosen
    EXPECT_EQ(size.text(), "");
    font.setSelectedFont("Liberation Mono");
    EXPECT_TRUE(size.enabled());
    EXPECT_EQ(size.fontSize(), 10);
    size.setFontSize(36);
    font.setSelectedFont("Arial");
    EXPECT_EQ(size.fontSize(), 36);  // a new font keeps the size
}

TEST_F(PrintingOptionsDialog, SizesOutsideOneTo999ShowTheDefault) {
    TfmPrintingOptions& d = open();
    auto& size = d.ReportTitleFontSize;
    struct Case {
        long long set;
        const char* shown;
        bool listEntry;
    } cases[] = {{14, "14", true},          {0, "10", true},     {-1, "10", true},
                 {1000, "10", true},        {999, "999", false}, {1, "1", false},
                 {5000000000LL, "10", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.set);
        size.property("FontSize")->setOrdinal(c.set);
        EXPECT_EQ(size.text(), c.shown);
        const auto selected = SendMessageA(size.handle(), CB_GETCURSEL, 0, 0);
        EXPECT_EQ(selected != CB_ERR, c.listEntry);
    }
}

TEST_F(PrintingOptionsDialog, OnlyDigitsCanBeTypedAndAnEmptyBoxIsTenOnceLeft) {
    TfmPrintingOptions& d = open();
    auto& size = d.ReportFontSize;
    COMBOBOXINFO info{sizeof info};
    ASSERT_TRUE(GetComboBoxInfo(size.handle(), &info));
    size.setText("");
    for (char key : std::string("1a-2. x"))
        SendMessageA(info.hwndItem, WM_CHAR, static_cast<WPARAM>(key), 0);
    EXPECT_EQ(size.text(), "12");
    SendMessageA(info.hwndItem, WM_CHAR, VK_BACK, 0);
    SendMessageA(info.hwndItem, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(size.fontSize(), -1);  // empty while it is being edited
    SendMessageA(d.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(size.handle()), CBN_KILLFOCUS),
                 reinterpret_cast<LPARAM>(size.handle()));
    EXPECT_EQ(size.fontSize(), 10);
}

TEST_F(PrintingOptionsDialog, TypingATitleChangesTheSampleOfBothFontLists) {
    TfmPrintingOptions& d = open();
    d.ReportTitle.setText("Weekly report");
    EXPECT_EQ(d.ReportTitleFont.sampleText(), "Weekly report");
    EXPECT_EQ(d.ReportFont.sampleText(), "Weekly report");
}

TEST_F(PrintingOptionsDialog, TheMenuOpensAFreshDialogEachTimeAndLeavesNoneBehind) {
    auto windows = std::make_unique<AppWindows>();
    for (int round = 0; round < 2; ++round) {
        bool seen = false;
        test::whenWindowAppears("TfmPrintingOptions", "Printing Options", [&](HWND d) {
            seen = true;
            PostMessageA(test::findChildByCaption(d, "&Cancel"), BM_CLICK, 0, 0);
        });
        SendMessageA(fmKestrelPrintScreen->handle(), WM_COMMAND,
                     MAKEWPARAM(fmKestrelPrintScreen->MainMenu1.item("Printing1").id(), 0), 0);
        EXPECT_TRUE(seen);
        EXPECT_EQ(FindWindowA("TfmPrintingOptions", nullptr), nullptr);
    }
    EXPECT_FALSE(test::FreshSettingsFile::exists());
    windows.reset();
    win::Application::resumeAfterTermination();
}

// ---- the printed page ------------------------------------------------------------------------

// A picture of `columns` x `rows` cells of distinct colours, each cell `cell` pixels square.
std::unique_ptr<CaptureBitmap> checkerboard(int columns, int rows, int cell) {
    auto picture = std::make_unique<CaptureBitmap>(columns * cell, rows * cell);
    for (int y = 0; y < picture->height(); ++y) {
        std::uint8_t* pixel = picture->row(y);
        for (int x = 0; x < picture->width(); ++x, pixel += 3) {
            const int index = (y / cell) * columns + x / cell;
            pixel[0] = static_cast<std::uint8_t>(40 * index);  // blue
            pixel[1] = static_cast<std::uint8_t>(255 - 30 * index);
            pixel[2] = static_cast<std::uint8_t>(index % 2 ? 255 : 0);
        }
    }
    return picture;
}

TEST(PrintedPage, StretchBitmapToCanvasKeepsTheRowsTheRightWayUp) {
    const auto picture = checkerboard(4, 3, 1);
    // A 24-bit canvas, top-down, of 40 x 30: each source pixel becomes a 10 x 10 block.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 40, -30, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win::MemoryDC canvas;
    win::BitmapHandle target(
        CreateDIBSection(canvas.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(target);
    win::SelectGuard selected(canvas.get(), target.get());
    StretchBitmapToCanvas(canvas.get(), {0, 0, 40, 30}, *picture);
    GdiFlush();
    const int stride = (40 * 3 + 3) & ~3;
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 4; ++column) {
            SCOPED_TRACE(testing::Message() << "cell " << column << "," << row);
            const auto* drawn = static_cast<const std::uint8_t*>(bits) + (row * 10 + 5) * stride +
                                (column * 10 + 5) * 3;
            const auto* source = picture->row(row) + column * 3;
            EXPECT_EQ(drawn[0], source[0]);
            EXPECT_EQ(drawn[1], source[1]);
            EXPECT_EQ(drawn[2], source[2]);
        }
    }
}

// Texts in any script are measured as they are drawn, character by character: measured as
// bytes of the ANSI code page, a Cyrillic title came out twice as wide and stood off centre.
TEST(PrintedPage, CenteredTextXIsHalfTheRestTruncatedTowardZero) {
    win::MemoryDC dc;
    win::Font font(CreateFontW(-37, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0,
                               0, 0, L"Arial"));
    win::SelectGuard selected(dc.get(), font.get());
    for (const std::string text :
         {"", "X", "Print Screen", "A much longer line than the page is wide",
          "\u0421\u043d\u0438\u043c\u043e\u043a \u03a9\u03bc\u03ad\u03b3\u03b1 \u8868 \U0001F4F7"}) {
        const std::wstring units = win::wide(text);
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), units.c_str(), static_cast<int>(units.size()), &size);
        for (int pageWidth : {0, 101, 2479}) {
            SCOPED_TRACE(testing::Message() << "'" << text << "' on " << pageWidth);
            const int x = CenteredTextX(dc.get(), pageWidth, text);
            EXPECT_EQ(x, (pageWidth - size.cx) / 2);
            EXPECT_LE(std::abs(2 * x + size.cx - pageWidth), 1);
        }
    }
}

TEST(PrintedPage, CurrentUserNameIsTheLogonName) {
    const char* user = std::getenv("USERNAME");
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(CurrentUserName(), user);
}

class PrintCaptureRefusal : public testing::Test {
public:
    test::FreshSettingsFile settings;
    std::unique_ptr<CaptureBitmap> picture = checkerboard(4, 3, 25);

    // The error PrintCapture raised, with the cursor it left behind.
    std::pair<std::string, HCURSOR> failure() {
        SetCursor(LoadCursorA(nullptr, IDC_CROSS));
        try {
            PrintCapture(*picture, PrintTarget::DefaultPrinter);
        } catch (const std::exception& error) {
            return {error.what(), GetCursor()};
        }
        return {"(no error)", GetCursor()};
    }
};

TEST_F(PrintCaptureRefusal, APrinterThatIsNotInstalledIsNamedAndTheCursorIsTheArrowAgain) {
    struct Case {
        const char* stored;
        const char* message;
    } cases[] = {{"Nowhere", "Printer not found:  Nowhere"},
                 {"pdf", "Printer not found:  pdf"},  // names match with their case
                 {"", "Printer not found:  "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        WriteString("WindowsDefaultPrinter", "Checked", "0");
        WriteString("DefaultPrinter", "Text", c.stored);
        const auto [message, cursor] = failure();
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(cursor, LoadCursorA(nullptr, IDC_ARROW));
    }
}

TEST_F(PrintCaptureRefusal, FontsThatLeaveNoRoomForThePictureAreRefusedBeforeTheDocumentBegins) {
    WriteString("ReportTitleFontSize", "FontSize", "999");
    const auto [message, cursor] = failure();
    EXPECT_NE(message.find("leave no room for the picture"), std::string::npos) << message;
    EXPECT_EQ(cursor, LoadCursorA(nullptr, IDC_ARROW));
}

// A hand-edited title size far outside the printing options' range once overflowed the page's
// arithmetic. It is reported, the design size takes its place, and the page goes on to be laid
// out: here the footer's largest allowed size then leaves no room, which shows the layout ran.
TEST_F(PrintCaptureRefusal, AFontSizeOutsideTheRangeIsReportedAndTheDesignSizeUsed) {
    WriteString("ReportTitleFontSize", "FontSize", "999999999");
    WriteString("ReportFontSize", "FontSize", "999");
    test::WarningRecorder warnings;
    const auto [message, cursor] = failure();
    ASSERT_EQ(warnings.texts().size(), 1u);
    EXPECT_NE(warnings.texts()[0].find("Section:  ReportTitleFontSize\r\nKeyName:  FontSize\r\n"
                                       "Value:  999999999\r\n"),
              std::string::npos)
        << warnings.texts()[0];
    EXPECT_NE(message.find("leave no room for the picture"), std::string::npos) << message;
    EXPECT_EQ(cursor, LoadCursorA(nullptr, IDC_ARROW));
}

}  // namespace
}  // namespace vps
