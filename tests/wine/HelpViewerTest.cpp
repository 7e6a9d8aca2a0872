#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "app/AppWindows.h"
#include "core/HelpFile.h"
#include "help/HelpViewer.h"
#include "settings/uDefaults.h"
#include "settings/uPrintingOptions.h"
#include "win/Application.h"
#include "win/Edit.h"
#include "win/Form.h"
#include "win/WideText.h"
#include "win/Window.h"

namespace vps {
namespace {

constexpr const char* kTopicClass = "TfmHelpTopic";
constexpr const char* kContentsClass = "TfmHelpContents";
constexpr const char* kPopupClass = "TfmHelpPopup";
constexpr const char* kHelpWindowClasses[] = {kTopicClass, kContentsClass, kPopupClass};

constexpr const char* kSampleHelp =
    "@title Sample Help\r\n"
    "@heading Basics\r\n"
    "@topic 1 Overview\r\n"
    "What the program does.\r\n"
    "@see 1000\r\n"
    "@topic 2 Using help\r\n"
    "@help-on-help\r\n"
    "How to read this help.\r\n"
    "@heading Window\r\n"
    "@topic 1000 The monitor\r\n"
    "The monitor shows the screen.\r\n"
    "- first point\r\n"
    "@see 1090, 1\r\n"
    "@topic 1090 Screen area\r\n"
    "Chooses which part of the screen is used. This paragraph is long on purpose, so that a\r\n"
    "pop-up has to wrap it over several lines and a small topic window has to scroll it: all,\r\n"
    "all except the task bar, the window in front, or a rectangle drawn by hand over the\r\n"
    "frozen picture of the screen, outlined by moving dots in the miniature.\r\n"
    "- All\r\n"
    "- All, except Task Bar\r\n"
    "- Foreground Window\r\n"
    "- Selected Area\r\n";

std::string tempPath(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

// Read with the wide call: captions, topics and the paths in messages may be in any script.
std::string textOf(HWND window) {
    return win::windowText(window);
}

HWND shown(const char* className) {
    HWND window = FindWindowA(className, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

std::vector<std::string> shownHelpWindows() {
    std::vector<std::string> classes;
    for (const char* className : kHelpWindowClasses) {
        if (shown(className)) classes.emplace_back(className);
    }
    return classes;
}

HWND textViewOf(HWND window) {
    return FindWindowExA(window, nullptr, "VantaroTextView", nullptr);
}

std::vector<std::string> listItemsOf(HWND window) {
    HWND list = FindWindowExA(window, nullptr, "LISTBOX", nullptr);
    std::vector<std::string> items;
    const auto count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1,
                         '\0');
        text.resize(static_cast<std::size_t>(
            SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        items.push_back(text);
    }
    return items;
}

// Answers the viewer's error boxes with OK, remembering each text shown.
class ErrorBoxes {
public:
    ErrorBoxes() : timer_(SetTimer(nullptr, 0, 30, check)) { active = this; }
    ~ErrorBoxes() {
        KillTimer(nullptr, timer_);
        active = nullptr;
    }
    const std::vector<std::string>& texts() const { return texts_; }

private:
    static void CALLBACK check(HWND, UINT, UINT_PTR, DWORD) {
        HWND box = FindWindowA("TMessageForm", win::Application::title().c_str());
        if (!active || !box || !IsWindowVisible(box) || GetPropA(box, "vpsAnswered")) return;
        SetPropA(box, "vpsAnswered", box);
        // The first static is the icon; the text is the next one.
        HWND message =
            FindWindowExA(box, FindWindowExA(box, nullptr, "STATIC", nullptr), "STATIC", nullptr);
        active->texts_.push_back(textOf(message));
        PostMessageA(test::findChildByCaption(box, "OK"), BM_CLICK, 0, 0);
    }

    static inline ErrorBoxes* active = nullptr;
    std::vector<std::string> texts_;
    UINT_PTR timer_;
};

// A window of the program's kind, to ask for help from.
struct CallerWindow {
    explicit CallerWindow(DWORD exStyle = 0)
        : form({.className = "TfmHelpCaller",
                .name = "fmCaller",
                .caption = "Caller",
                .clientWidth = 300,
                .clientHeight = 120,
                .exStyle = exStyle}),
          edit(form, {.name = "edName", .bounds = {10, 10, 200, 22}}) {
        form.show();
        SetForegroundWindow(form.handle());
        SetFocus(edit.handle());
        test::pumpMessagesFor(20);
    }
    win::Form form;
    win::Edit edit;
};

class HelpViewer : public testing::Test {
public:
    const std::string path = tempPath("vps-sample.HLP");

    void SetUp() override { std::ofstream(path, std::ios::binary) << kSampleHelp; }
    void TearDown() override {
        showHelp(nullptr, "", HELP_QUIT, 0);
        test::pumpMessagesFor(20);
        DeleteFileA(path.c_str());
    }

    bool ask(UINT command, ULONG_PTR data, std::optional<POINT> at = std::nullopt,
             HWND owner = nullptr) {
        const bool answer = showHelp(owner, path, command, data, at);
        test::pumpMessagesFor(30);
        return answer;
    }
};

TEST_F(HelpViewer, EachCommandOpensItsWindowWithTheRightText) {
    struct Case {
        const char* what;
        UINT command;
        ULONG_PTR data;
        const char* windowClass;
        const char* caption;
        const char* text;
    } cases[] = {
        {"a topic", HELP_CONTEXT, 1000, kTopicClass, "Sample Help",
         "The monitor\r\nThe monitor shows the screen.\r\n- first point\r\nSee also\r\nScreen "
         "area\r\nOverview"},
        {"help on help", HELP_HELPONHELP, 0, kTopicClass, "Sample Help",
         "Using help\r\nHow to read this help."},
        {"contents", HELP_FINDER, 0, kContentsClass, "Sample Help - Contents", nullptr},
        // A pop-up has no links: any click in it closes it.
        {"pop-up", HELP_CONTEXTPOPUP, 1, kPopupClass, "", "Overview\r\nWhat the program does."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(ask(c.command, c.data, POINT{200, 150}));
        EXPECT_EQ(shownHelpWindows(), std::vector<std::string>{c.windowClass});
        HWND window = shown(c.windowClass);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetForegroundWindow(), window);
        EXPECT_EQ(textOf(window), c.caption);
        if (c.text) {
            EXPECT_EQ(textOf(textViewOf(window)), c.text);
        }
        showHelp(nullptr, "", HELP_QUIT, 0);
        test::pumpMessagesFor(20);
        EXPECT_TRUE(shownHelpWindows().empty());
    }
}

TEST_F(HelpViewer, TheTopicWindowIsReusedAndGoesBackAlongItsLinks) {
    ASSERT_TRUE(ask(HELP_CONTEXT, 1000));
    HWND window = shown(kTopicClass);
    ASSERT_NE(window, nullptr);
    HWND view = textViewOf(window);
    HWND back = test::findChildByCaption(window, "&Back");
    EXPECT_FALSE(IsWindowEnabled(back));

    // A link is found where it is drawn: click down the view until the topic changes.
    RECT client{};
    GetClientRect(view, &client);
    const std::string before = textOf(view);
    for (int y = 2; y < client.bottom && textOf(view) == before; y += 3) {
        SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, y));
        SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(60, y));
    }
    EXPECT_TRUE(textOf(view).starts_with("Screen area\r\n")) << textOf(view);
    EXPECT_TRUE(IsWindowEnabled(back));

    // A request from the program reuses the same window and is remembered as well.
    ASSERT_TRUE(ask(HELP_CONTEXT, 1));
    EXPECT_EQ(shown(kTopicClass), window);
    EXPECT_TRUE(textOf(view).starts_with("Overview\r\n"));
    for (const char* expected : {"Screen area\r\n", "The monitor\r\n"}) {
        SendMessageA(back, BM_CLICK, 0, 0);
        EXPECT_TRUE(textOf(view).starts_with(expected)) << textOf(view);
    }
    EXPECT_FALSE(IsWindowEnabled(back));
}

TEST_F(HelpViewer, ALongTopicScrollsByKeys) {
    ASSERT_TRUE(ask(HELP_CONTEXT, 1090));
    HWND window = shown(kTopicClass);
    SetWindowPos(window, nullptr, 0, 0, 330, 250, SWP_NOMOVE | SWP_NOZORDER);
    test::pumpMessagesFor(20);
    HWND view = textViewOf(window);
    EXPECT_EQ(GetFocus(), view);
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(view, SB_VERT, &info);
    ASSERT_GT(info.nMax + 1, static_cast<int>(info.nPage)) << "the text should not fit";
    const int bottom = info.nMax + 1 - static_cast<int>(info.nPage);

    struct Step {
        WPARAM key;
        int expected;
    } steps[] = {{VK_END, bottom}, {VK_HOME, 0},  {VK_DOWN, -1},
                 {VK_UP, 0},       {VK_NEXT, -1}, {VK_PRIOR, 0}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.key);
        PostMessageA(view, WM_KEYDOWN, step.key, 0);
        test::pumpMessagesFor(20);
        const int position = GetScrollPos(view, SB_VERT);
        if (step.expected < 0) {
            EXPECT_GT(position, 0);
        } else {
            EXPECT_EQ(position, step.expected);
        }
    }
}

TEST_F(HelpViewer, ContentsListTopicsUnderHeadingsAndOpenTheChosenOne) {
    const std::vector<std::string> items = {"Basics", "Overview",    "Using help",
                                            "Window", "The monitor", "Screen area"};
    struct Case {
        const char* what;
        int item;
        std::function<void(HWND window, HWND list)> open;
        const char* topic;
    } cases[] = {
        {"double-click", 4,
         [](HWND window, HWND list) {
             SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_DBLCLK),
                          reinterpret_cast<LPARAM>(list));
         },
         "The monitor\r\n"},
        {"Enter", 5, [](HWND, HWND list) { PostMessageA(list, WM_KEYDOWN, VK_RETURN, 0); },
         "Screen area\r\n"},
        {"Display on a heading", 3,
         [](HWND window, HWND) {
             SendMessageA(test::findChildByCaption(window, "&Display"), BM_CLICK, 0, 0);
         },
         "The monitor\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(ask(HELP_FINDER, 0));
        HWND window = shown(kContentsClass);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(listItemsOf(window), items);
        HWND list = FindWindowExA(window, nullptr, "LISTBOX", nullptr);
        EXPECT_EQ(GetFocus(), list);
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(c.item), 0);
        c.open(window, list);
        test::pumpMessagesFor(30);
        EXPECT_EQ(shownHelpWindows(), std::vector<std::string>{kTopicClass});
        EXPECT_TRUE(textOf(textViewOf(shown(kTopicClass))).starts_with(c.topic));
        showHelp(nullptr, "", HELP_QUIT, 0);
    }
}

TEST_F(HelpViewer, PopUpStartsAtTheGivenPointOrThePointerAndStaysOnTheScreen) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetCursorPos(300, 200);
    struct Case {
        const char* what;
        std::optional<POINT> at;
        POINT expected;  // x or y of -1: anywhere that stays on the screen
    } cases[] = {
        {"at a control", POINT{200, 150}, {200, 150}},
        {"at the pointer", std::nullopt, {300, 200}},
        {"near the bottom right corner", POINT{work.right - 5, work.bottom - 5}, {-1, -1}},
        {"left of and above the screen", POINT{-500, -500}, {work.left, work.top}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(ask(HELP_CONTEXTPOPUP, 1090, c.at));
        HWND popup = shown(kPopupClass);
        ASSERT_NE(popup, nullptr);
        RECT r{};
        GetWindowRect(popup, &r);
        if (c.expected.x >= 0) {
            EXPECT_EQ(r.left, c.expected.x);
        }
        if (c.expected.y >= 0) {
            EXPECT_EQ(r.top, c.expected.y);
        }
        EXPECT_GE(r.left, work.left);
        EXPECT_GE(r.top, work.top);
        EXPECT_LE(r.right, work.right);
        EXPECT_LE(r.bottom, work.bottom);
        // Wrapped to a readable width: narrower than the screen, the long paragraph on several
        // lines.
        EXPECT_LT(r.right - r.left, 420);
        EXPECT_GT(r.bottom - r.top, 120);
        showHelp(nullptr, "", HELP_QUIT, 0);
    }
}

TEST_F(HelpViewer, PopUpClosesOnAnyKeyOrClickAndGivesTheFocusBack) {
    struct Case {
        const char* what;
        std::function<void(HWND popup, CallerWindow& caller)> act;
        bool closes;
        bool focusReturns;
    } cases[] = {
        {"Escape", [](HWND, CallerWindow&) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); },
         true, true},
        {"a letter", [](HWND, CallerWindow&) { PostMessageA(GetFocus(), WM_KEYDOWN, 'A', 0); },
         true, true},
        {"Tab", [](HWND, CallerWindow&) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 0); }, true,
         true},
        {"Alt",
         [](HWND, CallerWindow&) { PostMessageA(GetFocus(), WM_SYSKEYDOWN, VK_MENU, 1 << 29); },
         true, true},
        {"F1", [](HWND, CallerWindow&) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_F1, 0); }, true,
         true},
        {"left click",
         [](HWND popup, CallerWindow&) {
             SendMessageA(textViewOf(popup), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
         },
         true, true},
        {"right click",
         [](HWND popup, CallerWindow&) {
             SendMessageA(textViewOf(popup), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
         },
         true, true},
        {"another window comes to the front",
         [](HWND, CallerWindow& caller) { SetForegroundWindow(caller.form.handle()); }, true,
         false},
        // The key that asked for help, held down, repeats into the pop-up: it must stay.
        {"a held key repeating",
         [](HWND, CallerWindow&) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_F2, 1 << 30); }, false,
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CallerWindow caller;
        // Let the window manager's news of the previous case's windows arrive first: a late
        // deactivation would otherwise close the new pop-up the moment it opens.
        test::pumpMessagesFor(100);
        ASSERT_EQ(GetFocus(), caller.edit.handle());
        ASSERT_TRUE(ask(HELP_CONTEXTPOPUP, 1, POINT{100, 100}, caller.form.handle()));
        HWND popup = shown(kPopupClass);
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(GetForegroundWindow(), popup);
        EXPECT_EQ(GetFocus(), textViewOf(popup));
        c.act(popup, caller);
        test::pumpMessagesFor(30);
        EXPECT_EQ(shown(kPopupClass) == nullptr, c.closes);
        if (c.focusReturns) {
            EXPECT_EQ(GetForegroundWindow(), caller.form.handle());
            EXPECT_EQ(GetFocus(), caller.edit.handle());
        }
        showHelp(nullptr, "", HELP_QUIT, 0);
    }
}

TEST_F(HelpViewer, HelpAskedForFromAWindowOnTopStaysOnTopOfIt) {
    for (const DWORD exStyle : {DWORD{WS_EX_TOPMOST}, DWORD{0}}) {
        SCOPED_TRACE(exStyle);
        CallerWindow caller(exStyle);
        for (const UINT command : {UINT{HELP_CONTEXT}, UINT{HELP_FINDER}}) {
            ASSERT_TRUE(ask(command, 1000, std::nullopt, caller.form.handle()));
            HWND window = shown(command == HELP_CONTEXT ? kTopicClass : kContentsClass);
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST, exStyle);
        }
        showHelp(nullptr, "", HELP_QUIT, 0);
    }
}

TEST_F(HelpViewer, ProblemsAreReportedAndOpenNoWindow) {
    const std::string missing = tempPath("vps-no-such-help.HLP");
    const std::string missingFolder = tempPath("vps-no-such-folder\\VANTAROPRINTSCREEN.HLP");
    const std::string folder = tempPath("vps-help-folder.HLP");
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string malformed = tempPath("vps-malformed.HLP");
    std::ofstream(malformed, std::ios::binary) << "@topic 1 A\r\nx\r\n@topic 1 B\r\ny\r\n";

    struct Case {
        const char* what;
        std::string file;
        UINT command;
        ULONG_PTR data;
        std::string message;  // the whole text, or its beginning when it ends in ": "
    };
    std::vector<Case> cases = {
        {"missing file", missing, HELP_CONTEXT, 1000, "Help file not found: " + missing},
        {"missing folder", missingFolder, HELP_FINDER, 0, "Help file not found: " + missingFolder},
        {"a folder", folder, HELP_CONTEXTPOPUP, 1000, "Cannot read the help file " + folder + ": "},
        {"malformed", malformed, HELP_HELPONHELP, 0,
         "Cannot read the help file " + malformed +
             ": line 3: duplicate topic 1 (first at line 1)"},
        {"unknown topic", path, HELP_CONTEXT, 4242, "No help topic 4242 in " + path},
        {"unknown pop-up", path, HELP_CONTEXTPOPUP, 4242, "No help topic 4242 in " + path},
    };
    // Only a 64-bit program can be asked for a context beyond 32 bits; its low 32 bits alone
    // would name topic 1000.
    if constexpr (sizeof(ULONG_PTR) > 4) {
        cases.push_back({"beyond 32 bits", path, HELP_CONTEXT,
                         static_cast<ULONG_PTR>((1ULL << 32) + 1000),
                         "No help topic 4294968296 in " + path});
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ErrorBoxes boxes;
        EXPECT_FALSE(showHelp(nullptr, c.file, c.command, c.data, POINT{100, 100}));
        test::pumpMessagesFor(20);
        ASSERT_EQ(boxes.texts().size(), 1u);
        const std::string& text = boxes.texts().front();
        if (c.message.ends_with(": ")) {
            EXPECT_TRUE(text.starts_with(c.message) && text.size() > c.message.size()) << text;
        } else {
            EXPECT_EQ(text, c.message);
        }
        EXPECT_TRUE(shownHelpWindows().empty());
    }
    RemoveDirectoryA(folder.c_str());
    DeleteFileA(malformed.c_str());
}

std::string utf8Text(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

// The help beside a program installed under a folder named in Cyrillic and Chinese, with a
// Greek title and a Cyrillic topic.
TEST_F(HelpViewer, HelpIsReadFromAFolderNamedInAnyScript) {
    const std::string folder =
        tempPath("") + utf8Text(u8"\u0421\u043f\u0440\u0430\u0432\u043a\u0430 \u5e2e\u52a9");
    ASSERT_TRUE(CreateDirectoryW(win::wide(folder).c_str(), nullptr) ||
                GetLastError() == ERROR_ALREADY_EXISTS);
    const std::string file = folder + "\\VANTAROPRINTSCREEN.HLP";
    const std::string contents = utf8Text(
        u8"@title \u0392\u03bf\u03ae\u03b8\u03b5\u03b9\u03b1\r\n"
        u8"@topic 7 \u041e\u0431\u0437\u043e\u0440\r\n"
        u8"\u0422\u0435\u043a\u0441\u0442 \U0001F4F7.\r\n");
    {
        HANDLE handle = CreateFileW(win::wide(file).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(handle, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
        CloseHandle(handle);
    }
    ASSERT_TRUE(showHelp(nullptr, file, HELP_CONTEXT, 7));
    test::pumpMessagesFor(30);
    HWND window = shown(kTopicClass);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(textOf(window), utf8Text(u8"\u0392\u03bf\u03ae\u03b8\u03b5\u03b9\u03b1"));
    EXPECT_EQ(
        textOf(textViewOf(window)),
        utf8Text(u8"\u041e\u0431\u0437\u043e\u0440\r\n\u0422\u0435\u043a\u0441\u0442 \U0001F4F7."));
    showHelp(nullptr, "", HELP_QUIT, 0);
    test::pumpMessagesFor(20);

    // A file missing from such a folder is named as it is.
    const std::string missing = folder + "\\" + utf8Text(u8"\u0424\u0430\u0439\u043b.HLP");
    {
        ErrorBoxes boxes;
        EXPECT_FALSE(showHelp(nullptr, missing, HELP_CONTEXT, 7));
        test::pumpMessagesFor(20);
        ASSERT_EQ(boxes.texts().size(), 1u);
        EXPECT_EQ(boxes.texts().front(), "Help file not found: " + missing);
    }
    DeleteFileW(win::wide(file).c_str());
    RemoveDirectoryW(win::wide(folder).c_str());
}

TEST_F(HelpViewer, OneF1WithAnUnreadableHelpFileReportsItOnce) {
    const std::string empty = tempPath("vps-empty.HLP");
    const std::string oversized = tempPath("vps-oversized.HLP");
    std::ofstream(empty, std::ios::binary).flush();
    std::ofstream(oversized, std::ios::binary) << std::string(5 * 1024 * 1024, 'x');
    AppWindows windows;
    TfmKestrelPrintScreen& main = *fmKestrelPrintScreen;
    main.ShowCapture();
    for (const std::string& file : {empty, oversized}) {
        SCOPED_TRACE(file);
        win::Application::setHelpFile(file);
        ErrorBoxes boxes;
        // A radio button: a plain system window inside one of ours, inside the panel.
        SetForegroundWindow(main.handle());
        SetFocus(main.ScreenArea.button(0));
        // Typed, not posted: the system answers a key of its own as well, as it does for the user.
        INPUT keys[2]{};
        for (INPUT& key : keys) {
            key.type = INPUT_KEYBOARD;
            key.ki.wVk = VK_F1;
        }
        keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
        ASSERT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
        test::pumpMessagesFor(300);
        EXPECT_EQ(boxes.texts().size(), 1u);
    }
    main.HideCapture();
    DeleteFileA(empty.c_str());
    DeleteFileA(oversized.c_str());
}

// Every help context that the program's windows, controls and menu items carry names a topic of
// the help file that the build puts beside the executable.
TEST(ShippedHelp, AnswersEveryHelpContextOfTheProgram) {
    test::FreshSettingsFile settings;
    // The program's build folder, two levels above this test program's. Not beside this program:
    // other tests would then open real help windows where they expect a missing help file.
    std::ifstream file(win::Application::exeDirectory() + "..\\..\\VANTAROPRINTSCREEN.HLP",
                       std::ios::binary);
    ASSERT_TRUE(file) << "no help file beside the program";
    std::ostringstream text;
    text << file.rdbuf();
    const help::HelpFile shipped = help::parseHelpFile(text.str());

    std::set<int> contexts;
    std::function<void(const win::Window&)> collect = [&](const win::Window& window) {
        if (window.helpContext() != 0) contexts.insert(window.helpContext());
        for (const win::Control* child : window.children()) collect(*child);
    };
    std::function<void(win::MainMenu&, HMENU)> collectMenu = [&](win::MainMenu& menu,
                                                                 HMENU container) {
        for (int i = 0; i < GetMenuItemCount(container); ++i) {
            const HMENU popup = GetSubMenu(container, i);
            win::MenuItem* item =
                popup ? menu.findByHandle(popup) : menu.findById(GetMenuItemID(container, i));
            if (item && item->helpContext() != 0) contexts.insert(item->helpContext());
            if (popup) collectMenu(menu, popup);
        }
    };
    {
        AppWindows windows;
        collect(*fmKestrelPrintScreen);
        collectMenu(*fmKestrelPrintScreen->menu(), fmKestrelPrintScreen->menu()->handle());
        contexts.insert(fmKestrelPrintScreen->ExampleImage.tag());
        collect(windows.selectionWindow());
        collect(TfmDefaults(fmKestrelPrintScreen->handle()));
        collect(TfmPrintingOptions(fmKestrelPrintScreen->handle()));
    }
    win::Application::resumeAfterTermination();

    for (const int context : {1000, 1090, 1210, 1300, 2050, 3060, 10000}) {
        EXPECT_TRUE(contexts.contains(context)) << context << " was not found in the program";
    }
    for (const int context : contexts) {
        SCOPED_TRACE(context);
        const help::Topic* topic = shipped.find(static_cast<help::ContextNumber>(context));
        ASSERT_NE(topic, nullptr);
        EXPECT_FALSE(topic->body.empty());
    }
}

}  // namespace
}  // namespace vps
