#pragma once

#include <string>
#include <string_view>
#include <vector>

// Printers as the settings name them.
namespace vps {

// The part of a printer-list entry before the first " on " ("Office on LPT1:" is "Office"), or
// the whole entry. Older systems list a local printer once per port in that form.
std::string PrinterShortName(std::string_view entry);

// The index of the last entry whose short name equals `name` exactly, case included. Raises
// std::runtime_error "Printer not found:  <name>" when none does.
int FindPrinterIndex(const std::vector<std::string>& printers, const std::string& name);

}  // namespace vps
