#include "output/PrintCapture.h"

#include <cstring>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "core/IniValues.h"
#include "core/PrintedPage.h"
#include "core/PrinterNames.h"
#include "output/CaptureBitmap.h"
#include "output/Printer.h"
#include "win/Window.h"
#include "settings/uIni.h"
#include "win/Gdi.h"
#include "win/WideText.h"

namespace vps {

namespace {

// The hourglass for the time of one print; the arrow afterwards, on every way out.
class HourglassCursor {
public:
    HourglassCursor() { SetCursor(LoadCursorW(nullptr, win::systemResource(IDC_WAIT))); }
    HourglassCursor(const HourglassCursor&) = delete;
    HourglassCursor& operator=(const HourglassCursor&) = delete;
    ~HourglassCursor() { SetCursor(LoadCursorW(nullptr, win::systemResource(IDC_ARROW))); }
};

win::Font pageFont(const std::string& face, int height) {
    win::Font font(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH, win::wide(face).c_str()));
    if (!font)
        throw std::runtime_error("The font \"" + face + "\" cannot be made for the printer.");
    return font;
}

SIZE textSize(HDC dc, const std::string& text) {
    const std::wstring units = win::wide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, units.c_str(), static_cast<int>(units.size()), &size);
    return size;
}

void drawText(HDC dc, int x, int y, const std::string& text) {
    const std::wstring units = win::wide(text);
    TextOutW(dc, x, y, units.c_str(), static_cast<int>(units.size()));
}

std::string localDate(const SYSTEMTIME& now) {
    wchar_t text[128] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, text, std::size(text));
    return win::narrow(text);
}

std::string localTime(const SYSTEMTIME& now) {
    wchar_t text[128] = {};
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, text, std::size(text));
    return win::narrow(text);
}

void selectPrinterFromSettings() {
    if (ReadBool(settings::WindowsDefaultPrinter)) {
        SelectDefaultPrinter();
    } else {
        SelectPrinter(FindPrinterIndex(PrinterList(), ReadString(settings::DefaultPrinter)));
    }
}

// A size typed into the settings file by hand can be anything; only the sizes the printing
// options offer reach the font and the page's arithmetic.
int storedFontSize(const settings::Setting& setting) {
    const int designSize = *ini::parseInteger(setting.designValue);
    // The Printing Options dialog itself stores "-1" for a size box left without a number: the
    // design size, and nothing to warn about.
    if (ReadString(setting) == "-1") return designSize;
    return ReadIntegerWithin(std::string(setting.section), std::string(setting.key),
                             page::kSmallestFontSize, page::kLargestFontSize, designSize);
}

page::Device deviceOf(HDC printer) {
    win::WindowDC screen(GetDesktopWindow());
    return {GetDeviceCaps(printer, HORZRES),         GetDeviceCaps(printer, VERTRES),
            GetDeviceCaps(printer, LOGPIXELSX),      GetDeviceCaps(printer, LOGPIXELSY),
            GetDeviceCaps(screen.get(), LOGPIXELSX), GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

}  // namespace

std::string CurrentUserName() {
    DWORD length = 0;
    GetUserNameW(nullptr, &length);
    std::vector<wchar_t> name(length + 1, L'\0');
    length = static_cast<DWORD>(name.size());
    if (!GetUserNameW(name.data(), &length)) return {};
    return win::narrow(name.data());
}

int CenteredTextX(HDC dc, int pageWidth, const std::string& text) {
    return (pageWidth - textSize(dc, text).cx) / 2;
}

void StretchBitmapToCanvas(HDC dc, const RECT& rect, const CaptureBitmap& bitmap) {
    const int width = bitmap.width();
    const int height = bitmap.height();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    // Bottom-up, the order every printer driver takes; some mishandle top-down pictures.
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    const auto stride = static_cast<std::size_t>(bitmap.stride());
    std::vector<std::uint8_t> pixels(stride * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::memcpy(pixels.data() + static_cast<std::size_t>(height - 1 - y) * stride,
                    bitmap.row(y), stride);
    }
    // A capture is nearly always enlarged on paper: whole pixels keep screen text crisp, where
    // halftone would blur it; and a shrunk colour picture must not darken as BLACKONWHITE does.
    SetStretchBltMode(dc, COLORONCOLOR);
    if (StretchDIBits(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, 0,
                      width, height, pixels.data(), &info, DIB_RGB_COLORS,
                      SRCCOPY) == static_cast<int>(GDI_ERROR)) {
        throw std::runtime_error("The picture could not be drawn on the printer.");
    }
}

void PrintCapture(const CaptureBitmap& bitmap, PrintTarget target) {
    HourglassCursor hourglass;

    if (target == PrintTarget::DefaultPrinter) selectPrinterFromSettings();
    switch (ReadInteger(settings::Orientation)) {
        case 1:
            SetPrinterOrientation(DMORIENT_PORTRAIT);
            break;
        case 2:
            SetPrinterOrientation(DMORIENT_LANDSCAPE);
            break;
        default:
            break;  // the printer's own, or the one chosen in the print dialog
    }
    const bool printUserName = ReadBool(settings::PrintUserName);
    const std::string userName = printUserName ? CurrentUserName() : std::string();

    const PrinterDC printer(CurrentPrinter());
    const HDC dc = printer.get();
    const page::Device device = deviceOf(dc);
    if (!page::HasPrintableArea(device)) {
        throw std::runtime_error(page::NoPrintableAreaText(CurrentPrinter().name, device));
    }

    const int titleHeight =
        page::FontHeight(device.dpiY, storedFontSize(settings::ReportTitleFontSize));
    const win::Font titleFont =
        pageFont(ReadString(settings::ReportTitleFont), titleHeight);
    const win::Font footerFont =
        pageFont(ReadString(settings::ReportFont),
                 page::FontHeight(device.dpiY, storedFontSize(settings::ReportFontSize)));
    int footerTextHeight = 0;
    {
        win::SelectGuard useFooterFont(dc, footerFont.get());
        footerTextHeight = textSize(dc, "X").cy;
    }
    const page::Layout layout =
        page::PageLayout(device, titleHeight, footerTextHeight, bitmap.width(), bitmap.height());
    // Measured before the document begins, so a page that cannot hold the picture is refused
    // without leaving an empty job behind.
    if (!layout.hasRoom()) {
        throw std::runtime_error(
            "The title and footer fonts are too large for the page: they leave no room for the "
            "picture.\r\nPlease choose smaller font sizes in the printing options.");
    }

    PrintDocument document(dc, page::JobName(printUserName, userName));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    if (ReadBool(settings::PrintTitle)) {
        const std::string title = ReadString(settings::ReportTitle);
        win::SelectGuard useTitleFont(dc, titleFont.get());
        drawText(dc, CenteredTextX(dc, device.width, title), layout.titleTop, title);
    }
    {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        const std::string footer = page::FooterText(
            ReadBool(settings::PrintDate), localDate(now),
            ReadBool(settings::PrintTime), localTime(now), printUserName, userName);
        win::SelectGuard useFooterFont(dc, footerFont.get());
        drawText(dc, CenteredTextX(dc, device.width, footer), layout.footerTop, footer);
    }
    StretchBitmapToCanvas(
        dc, {layout.left, layout.top, layout.left + layout.outW, layout.top + layout.outH}, bitmap);
    document.finish();
}

}  // namespace vps
