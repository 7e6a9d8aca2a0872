#include <gtest/gtest.h>

#include <stdexcept>

#include "core/PrinterNames.h"

namespace vps {
namespace {

TEST(PrinterNames, ShortNameIsThePartBeforeTheFirstOn) {
    struct Case {
        const char* entry;
        const char* expected;
    } cases[] = {
        {"Office on LPT1:", "Office"},
        {"Office Laser on LPT1:", "Office Laser"},
        {"PDF", "PDF"},
        {"A on B on C", "A"},
        {"Donation Printer", "Donation Printer"},  // "on" inside a word is no separator
        {"Office on", "Office on"},
        {" on FILE:", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(PrinterShortName(c.entry), c.expected);
    }
}

TEST(PrinterNames, FindPrinterIndexTakesTheLastExactMatch) {
    const std::vector<std::string> printers = {"Office on LPT1:", "PDF",
                                               "Office on FILE:", "Office Laser on LPT2:"};
    struct Case {
        const char* name;
        int expected;
    } cases[] = {{"Office", 2}, {"PDF", 1}, {"Office Laser", 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FindPrinterIndex(printers, c.name), c.expected);
    }
}

TEST(PrinterNames, FindPrinterIndexRaisesPrinterNotFoundWithTheName) {
    const std::vector<std::string> printers = {"Office on LPT1:", "PDF"};
    struct Case {
        std::vector<std::string> list;
        const char* name;
    } cases[] = {{printers, "office"},
                 {printers, "Nowhere"},
                 {printers, ""},
                 {printers, "Office on LPT1:"},
                 {{}, "PDF"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            FindPrinterIndex(c.list, c.name);
            ADD_FAILURE() << "no error";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()), std::string("Printer not found:  ") + c.name);
        }
    }
}

}  // namespace
}  // namespace vps
