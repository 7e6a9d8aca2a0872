#include "core/PrinterNames.h"

#include <stdexcept>

namespace vps {

std::string PrinterShortName(std::string_view entry) {
    return std::string(entry.substr(0, entry.find(" on ")));
}

int FindPrinterIndex(const std::vector<std::string>& printers, const std::string& name) {
    int found = -1;
    for (std::size_t i = 0; i < printers.size(); ++i) {
        if (PrinterShortName(printers[i]) == name) found = static_cast<int>(i);
    }
    if (found < 0) throw std::runtime_error("Printer not found:  " + name);
    return found;
}

}  // namespace vps
