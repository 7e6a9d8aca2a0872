#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "win/Gdi.h"

// The process's printer: the spooler's list of printers, the printer that the next page goes
// to, the system print dialog, and owners for a printer's device context and document.
namespace vps {

// The installed printers, local ones and connections, as the spooler names them. Read from the
// system the first time it is needed and kept for the life of the process.
const std::vector<std::string>& PrinterList();

// The current printer: its name and its settings (a DEVMODEW with the driver's private part).
struct PrinterChoice {
    std::string name;
    std::vector<BYTE> devMode;  // empty: the driver's defaults

    const DEVMODEW* settings() const {
        return devMode.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(devMode.data());
    }
};

// Makes the Windows default printer the current one; raises "There is no default printer
// currently selected" when there is none.
void SelectDefaultPrinter();
// Makes the printer at `index` of PrinterList() the current one.
void SelectPrinter(int index);
// The current printer; the Windows default printer until another one was selected.
const PrinterChoice& CurrentPrinter();
// DMORIENT_PORTRAIT or DMORIENT_LANDSCAPE for the current printer's following pages.
void SetPrinterOrientation(short orientation);

// The system print dialog, starting from the current printer. When the user confirms, the
// chosen printer with the settings made in the dialog becomes the current one and the result is
// true; a cancel changes nothing.
bool ShowPrintDialog(HWND owner);

// The names of the current printer's TrueType fonts, sorted; empty when there is no printer.
std::vector<std::string> PrinterTrueTypeFonts();

// A device context of a printer, deleted with its owner.
class PrinterDC {
public:
    explicit PrinterDC(const PrinterChoice& printer);
    HDC get() const { return dc_.get(); }

private:
    win::OwnedDC dc_;
};

// One document of one page. A document that is not finished (an error on the way) is aborted,
// so the spooler never keeps a half-made job open.
class PrintDocument {
public:
    PrintDocument(HDC dc, const std::string& jobName);
    PrintDocument(const PrintDocument&) = delete;
    PrintDocument& operator=(const PrintDocument&) = delete;
    ~PrintDocument();
    // Ends the page and the document; the page goes to the spooler.
    void finish();

private:
    HDC dc_;
    bool open_ = true;
};

}  // namespace vps
