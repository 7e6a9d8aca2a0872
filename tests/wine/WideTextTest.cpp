// Names outside the user's code page (Cyrillic, Greek, CJK, emoji beyond the Basic Multilingual
// Plane) pass the window layer's edge with Windows unchanged, both ways: what a control is given
// is what Windows holds as UTF-16, and what the layer reads back is the same UTF-8.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "capture/ScreenSnapshot.h"
#include "win/Button.h"
#include "win/ComboBox.h"
#include "win/Edit.h"
#include "win/FontComboBox.h"
#include "win/Form.h"
#include "win/GroupBox.h"
#include "win/Label.h"
#include "win/ListBox.h"
#include "win/Menu.h"
#include "win/MessageDialog.h"
#include "win/RadioGroup.h"
#include "win/WideText.h"

namespace win {
namespace {

std::string utf8Text(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

struct Named {
    const char* script;
    std::string text;
};

// One name of each kind; the last holds two characters outside the Basic Multilingual Plane,
// which UTF-16 writes as surrogate pairs.
const std::vector<Named>& names() {
    static const std::vector<Named> all = {
        {"Cyrillic",
         utf8Text(u8"\u041e\u0442\u0447\u0451\u0442 \u0437\u0430 \u043c\u0430\u0440\u0442")},
        {"Greek", utf8Text(u8"\u0391\u03bd\u03b1\u03c6\u03bf\u03c1\u03ac \u03a9")},
        {"CJK", utf8Text(u8"\u5831\u544a\u66f8 \u30e1\u30e2\u5e33 \ud55c\uad6d\uc5b4")},
        {"emoji", utf8Text(u8"Fotos \U0001F4F7\U0001F600 \u2728")},
    };
    return all;
}

// What Windows itself holds, read with the wide call.
std::wstring systemText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring listText(HWND list, int index) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::wstring menuText(HMENU menu, int position) {
    wchar_t text[256] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 256, MF_BYPOSITION);
    return text;
}

Form makeForm(const std::string& caption = "Wide") {
    return Form({.className = "TWideTestForm",
                 .name = "fmWide",
                 .caption = caption,
                 .clientWidth = 400,
                 .clientHeight = 300});
}

TEST(WideText, ControlsKeepTextOutsideTheCodePage) {
    for (const auto& [script, name] : names()) {
        SCOPED_TRACE(script);
        const std::wstring expected = wide(name);
        Form form = makeForm(name);
        EXPECT_EQ(form.text(), name);
        EXPECT_EQ(systemText(form.handle()), expected);

        Label label(form, {.name = "laName", .bounds = {10, 10, 200, 20}, .caption = name});
        PushButton button(form, {.name = "buName", .bounds = {10, 40, 200, 25}, .caption = name});
        Edit edit(form, {.name = "edName", .bounds = {10, 70, 200, 22}, .caption = name});
        GroupBox group(form, {.name = "gbName", .bounds = {220, 10, 170, 60}, .caption = name});
        for (Window* control : std::vector<Window*>{&label, &button, &edit}) {
            EXPECT_EQ(control->text(), name) << control->name();
            EXPECT_EQ(systemText(control->handle()), expected) << control->name();
            // Set again at run time, the way the program names a chosen file or folder.
            control->setText("x " + name);
            EXPECT_EQ(control->text(), "x " + name) << control->name();
            EXPECT_EQ(systemText(control->handle()), L"x " + expected) << control->name();
        }
        EXPECT_NE(FindWindowExW(group.handle(), nullptr, L"BUTTON", expected.c_str()), nullptr);

        ComboBox pick(form, {.name = "cbPick", .bounds = {10, 100, 200, 22}}, ComboStyle::DropDown,
                      {"plain", name}, 1);
        EXPECT_EQ(pick.itemText(1), name);
        EXPECT_EQ(pick.text(), name);
        pick.setText(name + "!");
        EXPECT_EQ(pick.text(), name + "!");
        FontComboBox fonts(form, {.name = "cbFonts", .bounds = {10, 130, 200, 22}});
        fonts.setFonts({"Arial", name});
        fonts.setSelectedFont(name);
        EXPECT_EQ(fonts.selectedFont(), name);

        ListBox list(form, {.name = "lbTopics", .bounds = {10, 160, 200, 60}});
        list.setItems({{"plain"}, {name, 1}});
        EXPECT_EQ(listText(list.handle(), 1), expected);

        RadioGroup radio(form,
                         {.name = "rgChoice", .bounds = {220, 80, 170, 80}, .caption = "Choice"},
                         {"plain", name}, 1);
        EXPECT_EQ(systemText(radio.button(1)), expected);

        MainMenu menu({{.name = "miFile",
                        .caption = name,
                        .items = {{.name = "miOpen", .caption = "&" + name}}}});
        form.setMenu(menu);
        EXPECT_EQ(menuText(menu.handle(), 0), expected);
        EXPECT_EQ(menuText(GetSubMenu(menu.handle(), 0), 0), L"&" + expected);
    }
}

TEST(WideText, ALongTextComesBackWhole) {
    Form form = makeForm();
    Edit edit(form, {.name = "edLong", .bounds = {10, 10, 200, 22}});
    std::string text;
    for (int i = 0; i < 5000; ++i) text += utf8Text(u8"\u042f\U0001F4F7");  // 3 units each
    text += "end";
    // Compared whole, but not printed whole when they differ.
    edit.setText(text);
    EXPECT_EQ(edit.text().size(), text.size());
    EXPECT_TRUE(edit.text() == text);
    SetWindowTextW(form.handle(), wide(text).c_str());
    EXPECT_EQ(form.text().size(), text.size());
    EXPECT_TRUE(form.text() == text);
}

TEST(WideText, AMessageQuotingAPathShowsItAsGiven) {
    const std::string caption =
        utf8Text(u8"\u041e\u0448\u0438\u0431\u043a\u0430 \u03a3\u03c6\u03ac\u03bb\u03bc\u03b1");
    const std::string text = utf8Text(
        u8"Cannot save "
        u8"C:\\Users\\\u0421\u0432\u0435\u0442\u043b\u0430\u043d\u0430\\\u5199\u771f\\\U0001F4F7 "
        u8"\u5831\u544a.png");
    std::wstring shownCaption;
    std::wstring shownText;
    vps::test::whenWindowAppears("TMessageForm", caption.c_str(), [&](HWND dialog) {
        shownCaption = systemText(dialog);
        // The first static is the icon; the text is the next one.
        HWND message = FindWindowExW(dialog, FindWindowExW(dialog, nullptr, L"STATIC", nullptr),
                                     L"STATIC", nullptr);
        shownText = systemText(message);
        PostMessageW(vps::test::findChildByCaption(dialog, "OK"), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(showMessageDialog(nullptr, {.text = text,
                                          .caption = caption,
                                          .buttons = {{"OK", IDOK}},
                                          .defaultResult = IDOK,
                                          .cancelResult = IDOK}),
              IDOK);
    EXPECT_EQ(shownCaption, wide(caption));
    EXPECT_EQ(shownText, wide(text));
}

}  // namespace
}  // namespace win

namespace vps {
namespace {

// A plain top-level window whose title is set with the wide call, brought to the front.
// With `understated`, it answers a length query with less than its title holds, as another
// program's window does that retitles itself between the length and the text being asked for.
class TitledWindow {
public:
    explicit TitledWindow(const std::wstring& title, bool understated = false) {
        const wchar_t* className =
            understated ? L"VpsUnderstatedTestWindow" : L"VpsTitledTestWindow";
        WNDCLASSW wc{};
        wc.lpfnWndProc = understated ? understatingProc : DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = className;
        RegisterClassW(&wc);  // fails harmlessly when registered by an earlier test
        window_ = CreateWindowExW(0, className, L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                                  200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowTextW(window_, title.c_str());
        SetForegroundWindow(window_);
        test::pumpMessagesFor(50);
    }
    TitledWindow(const TitledWindow&) = delete;
    TitledWindow& operator=(const TitledWindow&) = delete;
    ~TitledWindow() { DestroyWindow(window_); }
    HWND handle() const { return window_; }

private:
    static LRESULT CALLBACK understatingProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
        if (message == WM_GETTEXTLENGTH) return 3;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

std::string utf8Text(const char8_t* text) {
    return reinterpret_cast<const char*>(text);
}

TEST(ForegroundTitle, ComesAsUtf8AndNamesTheFile) {
    struct Case {
        const char* what;
        std::wstring title;
        std::string expected;
        std::string cleaned;
    } cases[] = {
        {"Cyrillic", L"\u041e\u0442\u0447\u0451\u0442: \u043c\u0430\u0440\u0442 - Editor",
         utf8Text(u8"\u041e\u0442\u0447\u0451\u0442: \u043c\u0430\u0440\u0442 - Editor"),
         utf8Text(u8"\u041e\u0442\u0447\u0451\u0442 \u043c\u0430\u0440\u0442 - Editor")},
        {"Greek and CJK", L"\u03a9 \u5831\u544a\u300c\u6700\u7d42\u300d",
         utf8Text(u8"\u03a9 \u5831\u544a\u300c\u6700\u7d42\u300d"),
         utf8Text(u8"\u03a9 \u5831\u544a\u6700\u7d42")},
        {"emoji beyond the Basic Multilingual Plane", L"Fotos \U0001F4F7 (2)",
         utf8Text(u8"Fotos \U0001F4F7 (2)"), "Fotos  2"},
        // Half of an emoji: the rest of the title still comes through.
        {"a lone surrogate", std::wstring(L"ab") + wchar_t(0xD83D) + L"cd \u0416",
         utf8Text(u8"ab\uFFFDcd \u0416"), utf8Text(u8"abcd \u0416")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TitledWindow window(c.title);
        ASSERT_EQ(GetForegroundWindow(), window.handle());
        EXPECT_EQ(ForegroundWindowText(), c.expected);
        EXPECT_EQ(GetForegroundWindowTitle(), c.cleaned);
    }
}

TEST(ForegroundTitle, AVeryLongTitleComesThroughWhole) {
    std::wstring title;
    for (int i = 0; i < 20000; ++i) title += static_cast<wchar_t>(0x0410 + i % 32);  // А..Я
    title += L" end";
    const std::string expected = win::narrow(title);
    for (const bool understated : {false, true}) {
        SCOPED_TRACE(understated ? "its length understated" : "its length told");
        TitledWindow window(title, understated);
        ASSERT_EQ(GetForegroundWindow(), window.handle());
        const std::string read = ForegroundWindowText();
        // Compared whole, but not printed whole when they differ.
        EXPECT_EQ(read.size(), expected.size());
        EXPECT_TRUE(read == expected);
        EXPECT_TRUE(GetForegroundWindowTitle() == expected);
    }
}

}  // namespace
}  // namespace vps
