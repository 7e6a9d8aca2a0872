#include "output/Printer.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <set>
#include <stdexcept>

#include "win/Error.h"
#include "win/Gdi.h"
#include "win/UniqueHandle.h"
#include "win/WideText.h"

namespace vps {

namespace {

constexpr const char* kNoDefaultPrinter = "There is no default printer currently selected";

std::optional<PrinterChoice>& current() {
    static std::optional<PrinterChoice> choice;
    return choice;
}

// Raises the last error, or `fallback` when the call failed without saying why.
[[noreturn]] void raisePrinterError(const char* fallback) {
    const DWORD code = GetLastError();
    if (code != 0) throw win::SystemError(code);
    throw std::runtime_error(fallback);
}

// An open printer of the spooler.
using PrinterHandle = win::UniqueHandle<HANDLE, &ClosePrinter>;

PrinterHandle openPrinter(std::wstring& name) {
    PrinterHandle printer;
    if (!OpenPrinterW(name.data(), printer.out(), nullptr)) printer.release();
    return printer;
}

// The printer's own default settings; empty when the driver does not tell them.
std::vector<BYTE> defaultSettings(const std::string& name) {
    std::wstring device = win::wide(name);
    const PrinterHandle printer = openPrinter(device);
    if (!printer) return {};
    const LONG size =
        DocumentPropertiesW(nullptr, printer.get(), device.data(), nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(DEVMODEW))) return {};
    std::vector<BYTE> settings(static_cast<std::size_t>(size));
    if (DocumentPropertiesW(nullptr, printer.get(), device.data(),
                            reinterpret_cast<DEVMODEW*>(settings.data()), nullptr,
                            DM_OUT_BUFFER) != IDOK) {
        return {};
    }
    return settings;
}

std::optional<std::string> defaultPrinterName() {
    DWORD length = 0;
    GetDefaultPrinterW(nullptr, &length);
    if (length == 0) return std::nullopt;
    std::vector<wchar_t> name(length + 1, L'\0');
    if (!GetDefaultPrinterW(name.data(), &length)) return std::nullopt;
    return win::narrow(name.data());
}

void choose(const std::string& name) {
    current() = PrinterChoice{name, defaultSettings(name)};
}

// The dialog may free the memory it was given and answer other memory.
void adopt(win::GlobalMemory& memory, HGLOBAL answered) {
    if (answered != memory.get()) memory.reset(answered);
}

HGLOBAL copyToGlobal(const void* data, std::size_t size) {
    const HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!handle) win::raiseLastOSError();
    void* memory = GlobalLock(handle);
    if (!memory) {
        const win::SystemError error(GetLastError());
        GlobalFree(handle);
        throw error;
    }
    std::memcpy(memory, data, size);
    GlobalUnlock(handle);
    return handle;
}

// DEVNAMES naming the device, with the spooler as its driver. For PrintDlgW its offsets count
// wide characters, not bytes.
HGLOBAL deviceNames(const std::string& deviceName) {
    const std::wstring driver = L"winspool";
    const std::wstring device = win::wide(deviceName);
    constexpr std::size_t header = sizeof(DEVNAMES) / sizeof(wchar_t);
    std::vector<wchar_t> block(header + driver.size() + 1 + device.size() + 1 + 1, L'\0');
    auto* names = reinterpret_cast<DEVNAMES*>(block.data());
    names->wDriverOffset = static_cast<WORD>(header);
    names->wDeviceOffset = static_cast<WORD>(names->wDriverOffset + driver.size() + 1);
    names->wOutputOffset = static_cast<WORD>(names->wDeviceOffset + device.size() + 1);
    std::ranges::copy(driver, block.begin() + names->wDriverOffset);
    std::ranges::copy(device, block.begin() + names->wDeviceOffset);
    return copyToGlobal(block.data(), block.size() * sizeof(wchar_t));
}

int CALLBACK collectTrueType(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM names) {
    // Vertical variants of East Asian fonts carry an "@" and are no choice for a title.
    if ((type & TRUETYPE_FONTTYPE) && font->lfFaceName[0] != L'@') {
        reinterpret_cast<std::set<std::string>*>(names)->insert(win::narrow(font->lfFaceName));
    }
    return 1;
}

}  // namespace

const std::vector<std::string>& PrinterList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> names;
        const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
        DWORD needed = 0;
        DWORD count = 0;
        EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &count);
        if (needed == 0) return names;
        std::vector<BYTE> buffer(needed);
        if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return names;
        const auto* printers = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
        for (DWORD i = 0; i < count; ++i) names.push_back(win::narrow(printers[i].pPrinterName));
        return names;
    }();
    return list;
}

void SelectDefaultPrinter() {
    const auto name = defaultPrinterName();
    if (!name) throw std::runtime_error(kNoDefaultPrinter);
    choose(*name);
}

void SelectPrinter(int index) {
    const auto& printers = PrinterList();
    if (index < 0 || index >= static_cast<int>(printers.size())) {
        throw std::runtime_error("Printer index out of range");
    }
    choose(printers[static_cast<std::size_t>(index)]);
}

const PrinterChoice& CurrentPrinter() {
    if (!current()) SelectDefaultPrinter();
    return *current();
}

void SetPrinterOrientation(short orientation) {
    const PrinterChoice& printer = CurrentPrinter();
    if (printer.devMode.empty()) return;  // a driver without settings keeps its own
    auto* settings = reinterpret_cast<DEVMODEW*>(current()->devMode.data());
    settings->dmOrientation = orientation;
    settings->dmFields |= DM_ORIENTATION;
}

bool ShowPrintDialog(HWND owner) {
    win::GlobalMemory names;
    win::GlobalMemory settings;
    // Without any printer the dialog says so itself.
    if (current() || defaultPrinterName()) {
        const PrinterChoice& printer = CurrentPrinter();
        names.reset(deviceNames(printer.name));
        if (!printer.devMode.empty()) {
            settings.reset(copyToGlobal(printer.devMode.data(), printer.devMode.size()));
        }
    }
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hDevNames = names.get();
    dialog.hDevMode = settings.get();
    // Copies and collation go into the settings, where the driver honours them; printing to a
    // file would need a file name this program does not ask for.
    dialog.Flags =
        PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE | PD_HIDEPRINTTOFILE;
    const BOOL confirmed = PrintDlgW(&dialog);
    adopt(names, dialog.hDevNames);
    adopt(settings, dialog.hDevMode);
    if (!confirmed) {
        const DWORD error = CommDlgExtendedError();
        if (error == 0) return false;
        if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) {
            throw std::runtime_error(kNoDefaultPrinter);
        }
        throw std::runtime_error("The print dialog failed (error " + std::to_string(error) + ").");
    }
    PrinterChoice chosen;
    // A block the dialog returned but that cannot be locked counts as not returned.
    if (const auto* devNames = static_cast<const DEVNAMES*>(names.get() ? GlobalLock(names.get()) : nullptr)) {
        chosen.name = win::narrow(reinterpret_cast<const wchar_t*>(devNames) + devNames->wDeviceOffset);
        GlobalUnlock(names.get());
    }
    if (const auto* devMode = static_cast<const DEVMODEW*>(settings.get() ? GlobalLock(settings.get()) : nullptr)) {
        const auto* bytes = reinterpret_cast<const BYTE*>(devMode);
        chosen.devMode.assign(bytes, bytes + devMode->dmSize + devMode->dmDriverExtra);
        if (chosen.name.empty()) {
            // The device name fills its field without a NUL when it is that long.
            const wchar_t* name = devMode->dmDeviceName;
            chosen.name = win::narrow(std::wstring_view(name, wcsnlen(name, CCHDEVICENAME)));
        }
        GlobalUnlock(settings.get());
    }
    current() = std::move(chosen);
    return true;
}

std::vector<std::string> PrinterTrueTypeFonts() {
    if (!current() && !defaultPrinterName()) return {};
    const PrinterChoice& printer = CurrentPrinter();
    const win::OwnedDC info(
        CreateICW(nullptr, win::wide(printer.name).c_str(), nullptr, printer.settings()));
    if (!info) return {};
    std::set<std::string> names;
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(info.get(), &all, collectTrueType, reinterpret_cast<LPARAM>(&names), 0);
    std::vector<std::string> sorted(names.begin(), names.end());
    std::ranges::sort(sorted, [](const std::string& a, const std::string& b) {
        return _stricmp(a.c_str(), b.c_str()) < 0;
    });
    return sorted;
}

PrinterDC::PrinterDC(const PrinterChoice& printer)
    : dc_(CreateDCW(nullptr, win::wide(printer.name).c_str(), nullptr, printer.settings())) {
    if (!dc_) throw std::runtime_error("Printer selected is not valid");
}

PrintDocument::PrintDocument(HDC dc, const std::string& jobName) : dc_(dc) {
    const std::wstring name = win::wide(jobName);
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    SetLastError(0);
    if (StartDocW(dc_, &document) <= 0)
        raisePrinterError("The printer could not begin the document.");
    if (StartPage(dc_) <= 0) {
        AbortDoc(dc_);
        raisePrinterError("The printer could not begin the page.");
    }
}

PrintDocument::~PrintDocument() {
    if (open_) AbortDoc(dc_);
}

void PrintDocument::finish() {
    SetLastError(0);
    if (EndPage(dc_) <= 0) raisePrinterError("The printer could not finish the page.");
    if (EndDoc(dc_) <= 0) raisePrinterError("The printer could not finish the document.");
    open_ = false;
}

}  // namespace vps
