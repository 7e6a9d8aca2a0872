#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "core/IniValues.h"
#include "core/SettingsKeys.h"

namespace vps::settings {
namespace {

// The profile functions match sections and keys without regard to case, so two entries that
// differ only in case would read and write one value.
TEST(SettingsKeys, NoTwoEntriesShareAValue) {
    std::set<std::string> seen;
    for (const Setting& setting : All) {
        std::string name = std::string(setting.section) + "/" + std::string(setting.key);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(seen.insert(name).second) << name;
    }
}

// A numeric value's design value is what a reader without a control uses: it must be a number.
TEST(SettingsKeys, NumericDesignValuesAreNumbers) {
    for (const Setting& setting : All) {
        const bool numeric = setting.key == "ItemIndex" || setting.key == "Position" ||
                             setting.key == "Checked" || setting.key == "FontSize" ||
                             setting.key == "FormVersion";
        if (!numeric || setting.designValue.empty()) continue;
        EXPECT_TRUE(ini::parseInteger(setting.designValue).has_value()) << setting.section;
    }
}

}  // namespace
}  // namespace vps::settings
