#include <gtest/gtest.h>

#include "core/HotKeyNotice.h"

namespace vps::hotkeys {
namespace {

TEST(HotKeyNotice, NamesExactlyTheKeysThatDoNotReachTheProgramAndTheirCause) {
    struct Case {
        KeyState state;
        bool show;
        const char* unreachable;     // the first line's list, or "" when nothing shows
        const char* heldByPrograms;  // the sentence blaming another program, or ""
        bool windows;
    } cases[] = {
        {{{false, false, false}, false}, false, "", "", false},
        {{{true, false, false}, false},
         true,
         "Print Screen.",
         "Print Screen is held by another program.",
         false},
        {{{false, true, false}, false},
         true,
         "Ctrl+Print Screen.",
         "Ctrl+Print Screen is held",
         false},
        {{{false, false, true}, false},
         true,
         "Alt+Print Screen.",
         "Alt+Print Screen is held",
         false},
        {{{true, false, true}, false},
         true,
         "Print Screen and Alt+Print Screen.",
         "Print Screen and Alt+Print Screen are held by another program.",
         false},
        {{{true, true, true}, false},
         true,
         "Print Screen, Ctrl+Print Screen and Alt+Print Screen.",
         "Print Screen, Ctrl+Print Screen and Alt+Print Screen are held",
         false},
        // Windows' setting takes Print Screen even when our registration of it succeeded.
        {{{false, false, false}, true}, true, "Print Screen.", "", true},
        // ... and a refused Print Screen is then Windows' doing, not another program's.
        {{{true, false, false}, true}, true, "Print Screen.", "", true},
        {{{true, true, false}, true},
         true,
         "Print Screen and Ctrl+Print Screen.",
         "Ctrl+Print Screen is held by another program.",
         true},
    };
    for (const Case& c : cases) {
        const Notice notice = noticeFor(c.state);
        SCOPED_TRACE(notice.text);
        EXPECT_EQ(notice.show, c.show);
        EXPECT_EQ(notice.offerWindowsSettingOff, c.windows);
        if (!c.show) {
            EXPECT_EQ(notice.text, "");
            continue;
        }
        const std::string firstLine = notice.text.substr(0, notice.text.find("\r\n"));
        EXPECT_EQ(firstLine,
                  std::string("These keys do not reach Vantaro Print Screen: ") + c.unreachable);
        EXPECT_EQ(notice.text.find("held by another program") != std::string::npos,
                  *c.heldByPrograms != '\0');
        if (*c.heldByPrograms) {
            EXPECT_NE(notice.text.find(c.heldByPrograms), std::string::npos);
        }
        EXPECT_EQ(notice.text.find("Use the Print screen key to open screen capture") !=
                      std::string::npos,
                  c.windows);
        EXPECT_EQ(notice.text.find("sign out") != std::string::npos, c.windows);
        // The way out that works whatever holds the keys is always told.
        EXPECT_NE(notice.text.find("Starting Vantaro Print Screen again"), std::string::npos);
    }
}

}  // namespace
}  // namespace vps::hotkeys
