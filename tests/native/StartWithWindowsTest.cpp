#include <gtest/gtest.h>

#include "core/StartWithWindows.h"

namespace vps::startup {
namespace {

constexpr const char* kHere = "C:\\Program Files\\Vantaro Print Screen\\VantaroPrintScreen.exe";

TEST(StartWithWindows, TheValueWeWriteIsRecognisedAsThisCopy) {
    // A path with spaces must come back whole, or Windows would run "C:\Program".
    EXPECT_EQ(runValueFor(kHere), std::string("\"") + kHere + "\"");
    EXPECT_EQ(classifyRunValue(runValueFor(kHere), kHere), RunEntry::Current);
}

TEST(StartWithWindows, ClassifiesWhatAnyoneMayHaveLeftInTheValue) {
    struct Case {
        const char* name;
        std::optional<std::string> value;
        RunEntry expected;
    } cases[] = {
        {"no value", std::nullopt, RunEntry::Missing},
        {"other letter case and slashes",
         "\"c:/program files/VANTARO print screen/vantaroprintscreen.EXE\"", RunEntry::Current},
        {"quoted, with an argument after it", std::string("\"") + kHere + "\" /FIRSTRUN",
         RunEntry::Current},
        {"unquoted path with spaces", std::string(kHere), RunEntry::Current},
        {"unquoted, with an argument", std::string(kHere) + " /FIRSTRUN", RunEntry::Current},
        {"blanks around it", std::string("  \"") + kHere + "\"  ", RunEntry::Current},
        {"moved to another folder", "\"D:\\Tools\\VantaroPrintScreen.exe\"", RunEntry::Elsewhere},
        {"a folder that only begins like ours",
         "\"C:\\Program Files\\Vantaro Print Screen\\VantaroPrintScreen.exe.old\"",
         RunEntry::Elsewhere},
        {"empty", "", RunEntry::Elsewhere},
        {"an unclosed quote", std::string("\"") + kHere, RunEntry::Current},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(classifyRunValue(c.value, kHere), c.expected);
    }
}

TEST(StartWithWindows, OkChangesTheValueOnlyWhenTheBoxDisagreesWithIt) {
    struct Case {
        RunEntry found;
        bool checked;
        RunChange expected;
    } cases[] = {
        {RunEntry::Missing, false, RunChange::None},
        {RunEntry::Missing, true, RunChange::Write},
        {RunEntry::Current, true, RunChange::None},
        {RunEntry::Current, false, RunChange::Remove},
        // The user kept the other copy's start: leave it unless the box is cleared.
        {RunEntry::Elsewhere, true, RunChange::None},
        {RunEntry::Elsewhere, false, RunChange::Remove},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "found " << static_cast<int>(c.found) << ", checked "
                                        << c.checked);
        EXPECT_EQ(changeOnOk(c.found, c.checked), c.expected);
    }
}

}  // namespace
}  // namespace vps::startup
