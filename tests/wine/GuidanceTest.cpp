// The guidance windows: the cheat-sheet card, the numbered call-outs, the About box with its
// credits scroller, and the version and system information behind the credits.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

#include "TestSupport.h"
#include "app/AppWindows.h"
#include "core/CreditsText.h"
#include "guidance/CreditsScroller.h"
#include "guidance/ExeInfo.h"
#include "guidance/uAboutBox.h"
#include "guidance/uCheatSheet.h"
#include "guidance/ufrNumLab.h"
#include "settings/uIni.h"
#include "win/Application.h"
#include "win/WideText.h"
#include "VantaroVersion.h"

namespace vps {
namespace {

// ---- helpers ---------------------------------------------------------------------------------

LOGFONTA fontOf(HWND window) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// The pixels of a device context's rectangle, top row first, as 0x00RRGGBB.
std::vector<std::uint32_t> pixelsOf(HDC dc, int left, int top, int width, int height) {
    win::Bitmap copy(width, height);
    BitBlt(copy.dc(), 0, 0, width, height, dc, left, top, SRCCOPY);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    GetDIBits(copy.dc(), copy.handle(), 0, static_cast<UINT>(height), pixels.data(), &info,
              DIB_RGB_COLORS);
    return pixels;
}

std::uint32_t rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// Waits, without handling any message, until the condition holds; false after 10 s.
bool becomesTrueWithoutMessages(const std::function<bool()>& condition) {
    for (int i = 0; i < 1000; ++i) {
        if (condition()) return true;
        Sleep(10);
    }
    return condition();
}

// The program's own windows, started afresh for each test on a fresh settings file.
class Program : public testing::Test {
public:
    test::FreshSettingsFile settings;
    std::unique_ptr<AppWindows> windows;
    TfmKestrelPrintScreen* main = nullptr;
    TfmCheatSheet* card = nullptr;

    void SetUp() override {
        ASSERT_EQ(CreditsScroller::runningTimerThreads(), 0);
        start();
    }
    void TearDown() override {
        windows.reset();
        win::Application::resumeAfterTermination();
        EXPECT_EQ(CreditsScroller::runningTimerThreads(), 0);
    }
    void start() {
        windows.reset();
        windows = std::make_unique<AppWindows>();
        main = fmKestrelPrintScreen;
        card = &windows->cheatSheet();
    }
    void pressMenu(const char* item) {
        SendMessageA(main->handle(), WM_COMMAND, MAKEWPARAM(main->MainMenu1.item(item).id(), 0), 0);
    }
    bool cardShown() const { return IsWindowVisible(card->handle()) != FALSE; }
    win::MenuItem& cardSwitch() { return main->MainMenu1.item("ShowCheatSheet1"); }
};

// ---- the cheat-sheet card --------------------------------------------------------------------

using CheatSheet = Program;

TEST_F(CheatSheet, LooksAsDesigned) {
    EXPECT_FALSE(cardShown());
    EXPECT_EQ(card->text(), "\"Cheat Sheet\"");
    RECT outer{};
    GetWindowRect(card->handle(), &outer);
    EXPECT_EQ(outer.left, 0);
    EXPECT_EQ(outer.top, 0);
    EXPECT_EQ(outer.right - outer.left, 454);
    EXPECT_EQ(outer.bottom - outer.top, 450);
    const LONG style = GetWindowLongA(card->handle(), GWL_STYLE);
    const LONG exStyle = GetWindowLongA(card->handle(), GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);

    struct Text {
        win::Window& control;
        const char* text;
        bool bold;
    } texts[] = {
        {card->Label3, "Press the [PrintScreen] key on your keyboard to activate this utility.",
         true},
        {card->Label1,
         "This key is sometimes labeled [PrtScr] and is usually just above the [Insert] (or [Ins]) "
         "key.  Once activated, follow the steps below.  The display may look a little different "
         "(larger) depending on your screen resolution, but the options (at the bottom) will be "
         "the "
         "same.",
         false},
        {card->Label2,
         "(Tip:  Pressing the [PrintScreen] key a second time is the same as clicking the \"OK\" "
         "button.)",
         false},
        {card->buNoMore, "Do not show this card again", false},
        {card->buClose, "Close this card", false},
    };
    for (const auto& t : texts) {
        SCOPED_TRACE(t.control.name());
        EXPECT_EQ(t.control.text(), t.text);
        const LOGFONTA font = fontOf(t.control.handle());
        EXPECT_STREQ(font.lfFaceName, "Arial");
        EXPECT_EQ(font.lfHeight, -13);
        EXPECT_EQ(font.lfWeight >= FW_BOLD, t.bold);
    }
    EXPECT_EQ(card->Image1.bounds(), (win::Box{7, 104, 432, 239}));
    EXPECT_EQ(card->buClose2.bounds().width, 0);

    // The light background shows through the texts.
    HDC dc = GetDC(card->handle());
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(card->handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(card->Label1.handle())));
    LOGBRUSH colour{};
    GetObjectA(brush, sizeof colour, &colour);
    ReleaseDC(card->handle(), dc);
    EXPECT_EQ(colour.lbColor, RGB(255, 255, 255));
}

TEST_F(CheatSheet, ThePictureIsTheJpegDecodedAtTheFirstShowingWithRedLeaderLines) {
    EXPECT_TRUE(card->Image1.picture().empty()) << "decoded at start, before the main window could appear";
    card->show();
    win::Bitmap& picture = card->Image1.picture();
    ASSERT_EQ(picture.width(), 432);
    ASSERT_EQ(picture.height(), 239);
    const auto pixels = pixelsOf(picture.dc(), 0, 0, 432, 239);
    const auto red = std::ranges::count_if(pixels, [](std::uint32_t p) {
        const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        return r > 180 && g < 90 && b < 90;
    });
    const auto distinct = std::set<std::uint32_t>(pixels.begin(), pixels.end()).size();
    EXPECT_GT(red, 100) << "no red leader lines and dots";
    EXPECT_GT(distinct, 50u) << "not a picture of a window";
}

TEST_F(CheatSheet, TabOrderStartsAtCloseWhichHasTheFocusOnEveryShow) {
    HWND first = GetNextDlgTabItem(card->handle(), nullptr, FALSE);
    HWND second = GetNextDlgTabItem(card->handle(), first, FALSE);
    HWND third = GetNextDlgTabItem(card->handle(), second, FALSE);
    EXPECT_EQ(first, card->buClose.handle());
    EXPECT_EQ(second, card->buNoMore.handle());
    EXPECT_EQ(third, card->buClose2.handle());
    for (int activation = 0; activation < 2; ++activation) {
        // Read at once: without a window manager, X focus events of earlier hides arrive late.
        main->ShowCapture();
        EXPECT_EQ(GetForegroundWindow(), card->handle());
        EXPECT_EQ(GetFocus(), card->buClose.handle());
        card->buCloseClick();
    }
}

TEST_F(CheatSheet, EveryActivationShowsItAboveTheMainWindow) {
    for (int activation = 0; activation < 3; ++activation) {
        SCOPED_TRACE(activation);
        main->ShowCapture();
        test::pumpMessagesFor(30);
        ASSERT_TRUE(cardShown());
        EXPECT_TRUE(GetWindowLongA(card->handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        bool mainBelow = false;
        for (HWND w = GetWindow(card->handle(), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
            mainBelow = mainBelow || w == main->handle();
        }
        EXPECT_TRUE(mainBelow) << "the main window is above the card";
        // Closed by the user, it stays away only until the next activation.
        SendMessageA(card->buClose.handle(), BM_CLICK, 0, 0);
        EXPECT_FALSE(cardShown());
    }
}

TEST_F(CheatSheet, EveryWayOfClosingHidesItAndKeepsTheSwitchOn) {
    const std::pair<const char*, std::function<void(Program&)>> closes[] = {
        {"Close this card",
         [](Program& t) { SendMessageA(t.card->buClose.handle(), BM_CLICK, 0, 0); }},
        // Keys go to the button that has the focus when the card shows.
        {"Enter",
         [](Program& t) {
             PostMessageA(t.card->buClose.handle(), WM_KEYDOWN, VK_RETURN, 0);
             test::pumpMessagesFor(30);
         }},
        {"Escape on another button",
         [](Program& t) {
             PostMessageA(t.card->buNoMore.handle(), WM_KEYDOWN, VK_ESCAPE, 0);
             test::pumpMessagesFor(30);
         }},
        {"close box",
         [](Program& t) { SendMessageA(t.card->handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"the main window hides", [](Program& t) { t.main->HideCapture(); }},
    };
    for (const auto& [how, close] : closes) {
        SCOPED_TRACE(how);
        main->ShowCapture();
        test::pumpMessagesFor(30);
        ASSERT_TRUE(cardShown());
        close(*this);
        EXPECT_FALSE(cardShown());
        EXPECT_TRUE(IsWindow(card->handle()));
        EXPECT_TRUE(cardSwitch().checked());
        EXPECT_FALSE(test::FreshSettingsFile::exists()) << "the switch was stored";
    }
}

TEST_F(CheatSheet, DoNotShowAgainSwitchesItOffForGood) {
    main->ShowCapture();
    test::pumpMessagesFor(30);
    ASSERT_TRUE(cardShown());
    SendMessageA(card->buNoMore.handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(cardShown());
    EXPECT_FALSE(cardSwitch().checked());
    EXPECT_EQ(ReadString("ShowCheatSheet1", "Checked"), "0");

    main->HideCapture();
    main->ShowCapture();
    EXPECT_FALSE(cardShown()) << "came back at the next activation";

    start();  // a restart of the program
    EXPECT_FALSE(cardSwitch().checked());
    main->ShowCapture();
    EXPECT_FALSE(cardShown()) << "came back after a restart";

    // Switched on again from the menu, it shows at once and at each activation after.
    pressMenu("ShowCheatSheet1");
    EXPECT_TRUE(cardShown());
    EXPECT_EQ(ReadString("ShowCheatSheet1", "Checked"), "1");
    card->buCloseClick();
    main->ShowCapture();
    EXPECT_TRUE(cardShown());
}

TEST_F(CheatSheet, SwitchingOffFromTheMenuLeavesAShownCardShown) {
    main->ShowCapture();
    ASSERT_TRUE(cardShown());
    pressMenu("ShowCheatSheet1");
    EXPECT_FALSE(cardSwitch().checked());
    EXPECT_TRUE(cardShown());
}

// ---- the numbered call-outs ------------------------------------------------------------------

// Pixels of the frame's window region that no path from outside the frame reaches: the holes.
int enclosedHoles(HRGN region, int size) {
    std::vector<char> reached(static_cast<std::size_t>(size + 2) * (size + 2), 0);
    const auto inside = [&](int x, int y) { return PtInRegion(region, x, y) != FALSE; };
    std::vector<POINT> todo{{-1, -1}};
    const auto at = [&](int x, int y) -> char& {
        return reached[static_cast<std::size_t>(y + 1) * (size + 2) + (x + 1)];
    };
    at(-1, -1) = 1;
    while (!todo.empty()) {
        const POINT p = todo.back();
        todo.pop_back();
        const POINT next[] = {{p.x + 1, p.y}, {p.x - 1, p.y}, {p.x, p.y + 1}, {p.x, p.y - 1}};
        for (const POINT n : next) {
            if (n.x < -1 || n.y < -1 || n.x > size || n.y > size || at(n.x, n.y) ||
                inside(n.x, n.y))
                continue;
            at(n.x, n.y) = 1;
            todo.push_back(n);
        }
    }
    int holes = 0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) holes += !inside(x, y) && !at(x, y);
    }
    return holes;
}

using CallOutFrames = Program;

// Whether the system draws the label's caption with Wingdings itself. Wine's own Wingdings lacks
// the circled digits, and without Wingdings another face stands in.
bool wingdingsDraws(win::Label& label) {
    win::WindowDC dc(label.handle());
    win::SelectGuard selectFont(
        dc.get(), reinterpret_cast<HFONT>(SendMessageA(label.handle(), WM_GETFONT, 0, 0)));
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc.get(), LF_FACESIZE, face);
    const std::wstring caption = win::wide(label.text());
    WORD glyph = 0xFFFF;
    GetGlyphIndicesW(dc.get(), caption.c_str(), 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
    return lstrcmpiA(face, "Wingdings") == 0 && glyph != 0xFFFF;
}

TEST_F(CallOutFrames, AreHiddenFramesShapedLikeTheirCircledDigit) {
    struct Case {
        TfrNumLab& frame;
        win::Box bounds;
        const wchar_t* symbol;  // Wingdings 0x8C to 0x90, as Unicode reaches a symbol font
    } cases[] = {
        {main->callOutFrames().CallOut1, {95, 236, 64, 64}, L"\xF08C"},
        {main->callOutFrames().CallOut2, {256, 236, 64, 64}, L"\xF08D"},
        {main->callOutFrames().CallOut3, {56, 316, 64, 64}, L"\xF08E"},
        {main->callOutFrames().CallOut4, {256, 316, 64, 64}, L"\xF08F"},
        {main->callOutFrames().CallOut5, {216, 18, 64, 64}, L"\xF090"},
    };
    main->ShowCapture();
    std::vector<win::Region> shapes;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame.name());
        EXPECT_EQ(GetParent(c.frame.handle()), main->handle());
        EXPECT_FALSE(IsWindowVisible(c.frame.handle()));
        EXPECT_EQ(c.frame.bounds(), c.bounds);
        EXPECT_EQ(c.frame.Label1->text(), win::narrow(c.symbol));
        EXPECT_FALSE(IsWindowVisible(c.frame.Label1->handle()));
        const LOGFONTA font = fontOf(c.frame.Label1->handle());
        EXPECT_STREQ(font.lfFaceName, "Wingdings");
        EXPECT_EQ(font.lfHeight, -64);
        EXPECT_GE(font.lfWeight, FW_BOLD);

        win::Region shape(CreateRectRgn(0, 0, 0, 0));
        const int kind = GetWindowRgn(c.frame.handle(), shape.get());
        EXPECT_TRUE(kind == SIMPLEREGION || kind == COMPLEXREGION)
            << "the frame keeps its rectangle";
        if (!wingdingsDraws(*c.frame.Label1)) continue;
        // The digit is cut out of the disc, and every digit is another cut.
        EXPECT_EQ(kind, COMPLEXREGION);
        EXPECT_GT(enclosedHoles(shape.get(), 64), 20);
        for (const auto& other : shapes) EXPECT_FALSE(EqualRgn(shape.get(), other.get()));
        shapes.push_back(std::move(shape));
    }
    if (shapes.empty())
        std::printf("note: no Wingdings with circled digits here; their shapes went unchecked\n");
}

TEST_F(CallOutFrames, TheShapeIsTheLabelsCharacterWithItsHoles) {
    // A hollow and a filled square in Wingdings; where another face stands in, the letters "o"
    // and "n". Either way the first has a hole and the second none.
    struct Case {
        const char* what;
        const wchar_t* symbol;
        bool hole;
        bool wingdingsOnly;  // no other face has a glyph there
    } cases[] = {{"hollow square", L"\x6F", true, false},
                 {"filled square", L"\x6E", false, false},
                 // The codes the font's own table gives them, as the call-outs name theirs.
                 {"hollow square as U+F06F", L"\xF06F", true, true},
                 {"filled square as U+F06E", L"\xF06E", false, true}};
    TfrNumLab& frame = main->callOutFrames().CallOut1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        frame.Label1->setText(win::narrow(c.symbol));
        if (c.wingdingsOnly && !wingdingsDraws(*frame.Label1)) continue;
        SendMessageA(frame.handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        win::Region shape(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(frame.handle(), shape.get()), ERROR);
        RECT box{};
        GetRgnBox(shape.get(), &box);
        EXPECT_GT(box.right - box.left, 20) << "not drawn 64 pixels high";
        EXPECT_GT(box.bottom - box.top, 20) << "not drawn 64 pixels high";
        EXPECT_EQ(enclosedHoles(shape.get(), 64) > 0, c.hole);
    }
}

TEST_F(CallOutFrames, ResizeAndClickRebuildTheShape) {
    TfrNumLab& frame = main->callOutFrames().CallOut2;
    win::Region designed(CreateRectRgn(0, 0, 0, 0));
    GetWindowRgn(frame.handle(), designed.get());
    const std::pair<const char*, std::function<void()>> rebuilds[] = {
        {"resize",
         [&] { SetWindowPos(frame.handle(), nullptr, 0, 0, 70, 70, SWP_NOMOVE | SWP_NOZORDER); }},
        {"click", [&] { SendMessageA(frame.handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 30)); }},
    };
    for (const auto& [how, rebuild] : rebuilds) {
        SCOPED_TRACE(how);
        SetWindowRgn(frame.handle(), nullptr, FALSE);
        rebuild();
        win::Region shape(CreateRectRgn(0, 0, 0, 0));
        ASSERT_EQ(GetWindowRgn(frame.handle(), shape.get()), COMPLEXREGION);
        EXPECT_TRUE(EqualRgn(shape.get(), designed.get()));
    }
}

// ---- the credits scroller --------------------------------------------------------------------

// A window holding one scroller of the About box's size.
class Scroller : public testing::Test {
public:
    win::Form host{{.className = "TScrollerHost",
                    .name = "host",
                    .caption = "Scroller",
                    .clientWidth = 372,
                    .clientHeight = 209}};
    std::unique_ptr<CreditsScroller> credits = std::make_unique<CreditsScroller>(
        host, win::ControlDescription{.name = "Credits", .bounds = {0, 0, 372, 209}});
    const std::vector<std::string> lines = formatCredits(designCreditsLines(), "2.0.0.1", "C");

    void SetUp() override {
        ASSERT_EQ(CreditsScroller::runningTimerThreads(), 0);
        host.setScreenBounds({100, 100, host.bounds().width, host.bounds().height});
        credits->setVisible(true);
        credits->setLines(lines);
        host.show();
        test::pumpMessagesFor(30);
    }
    void TearDown() override {
        credits.reset();
        EXPECT_EQ(CreditsScroller::runningTimerThreads(), 0);
    }
    std::vector<std::uint32_t> panelPixels() {
        win::WindowDC dc(credits->handle());
        return pixelsOf(dc.get(), 0, 0, 372, 209);
    }
};

TEST_F(Scroller, MeasuresItsLinesAndItsTextArea) {
    credits->setActive(true);
    win::Font font(CreateFontA(-13, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_SWISS, "Arial"));
    win::WindowDC screen(nullptr);
    win::SelectGuard selectFont(screen.get(), font.get());
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.get(), &metrics);
    const int lineHeight = metrics.tmHeight + metrics.tmExternalLeading + 1;
    EXPECT_EQ(credits->lineHeight(), lineHeight);
    EXPECT_EQ(credits->textArea(), (credits::Area{3, 3, 366, 203}));
    EXPECT_EQ(credits->scrollRange(), 203 + 8 * lineHeight);
}

TEST_F(Scroller, RollsAndDrawsOnItsOwnThreadWhileTheUserInterfaceThreadWaits) {
    const auto background = rgb(CreditsScroller::kBackground);
    credits->setActive(true);
    EXPECT_EQ(CreditsScroller::runningTimerThreads(), 1);
    // No message is handled from here on: whatever moves, the timer thread moved.
    ASSERT_TRUE(becomesTrueWithoutMessages([&] { return credits->position() > 60; }));
    bool textShown = becomesTrueWithoutMessages([&] {
        const auto pixels = panelPixels();
        return std::ranges::count_if(
                   pixels, [&](std::uint32_t p) { return (p & 0xFFFFFF) < 0x404040; }) > 20;
    });
    EXPECT_TRUE(textShown) << "no dark letters appeared on the panel";
    const auto pixels = panelPixels();
    // The margin around the text area keeps the background.
    for (const auto& [x, y] :
         {std::pair{0, 0}, {371, 0}, {0, 208}, {371, 208}, {1, 100}, {370, 100}}) {
        EXPECT_EQ(pixels[static_cast<std::size_t>(y) * 372 + x] & 0xFFFFFF, background)
            << x << "," << y;
    }

    credits->setActive(false);
    EXPECT_EQ(CreditsScroller::runningTimerThreads(), 0);
    EXPECT_EQ(credits->position(), 0);
    test::pumpMessagesFor(30);
    const auto plain = panelPixels();
    EXPECT_TRUE(std::ranges::all_of(plain, [&](std::uint32_t p) {
        return (p & 0xFFFFFF) == background;
    })) << "a deactivated scroller still shows text";
}

TEST_F(Scroller, SwitchingOnAndOffAgainAndAgainLeavesNoThread) {
    for (int i = 0; i < 40; ++i) {
        credits->setActive(true);
        if (i % 3 == 0) credits->refresh();  // paint while the timer thread draws
        if (i % 5 == 0) credits->setLines(i % 2 ? lines : std::vector<std::string>{"", "Only"});
        if (i % 7 == 0) Sleep(20);
        credits->setActive(false);
        ASSERT_EQ(CreditsScroller::runningTimerThreads(), 0);
    }
}

TEST_F(Scroller, DestroyingAnActiveScrollerEndsItsThread) {
    credits->setActive(true);
    ASSERT_EQ(CreditsScroller::runningTimerThreads(), 1);
    credits.reset();
    EXPECT_EQ(CreditsScroller::runningTimerThreads(), 0);
}

TEST_F(Scroller, MainWindowPowerSwitchRunsTheCredits) {
    test::FreshSettingsFile settings;
    {
        AppWindows windows;
        fmKestrelPrintScreen->ShowCapture();
        SendMessageA(fmKestrelPrintScreen->buMonitorPower.handle(), BM_CLICK, 0, 0);
        EXPECT_TRUE(fmKestrelPrintScreen->Credits.active());
        EXPECT_EQ(CreditsScroller::runningTimerThreads(), 1);
        SendMessageA(fmKestrelPrintScreen->buMonitorPower.handle(), BM_CLICK, 0, 0);
        EXPECT_FALSE(fmKestrelPrintScreen->Credits.active());
        EXPECT_EQ(CreditsScroller::runningTimerThreads(), 0);
        // Left running, it stops with the program.
        SendMessageA(fmKestrelPrintScreen->buMonitorPower.handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(CreditsScroller::runningTimerThreads(), 1);
    }
    win::Application::resumeAfterTermination();
    EXPECT_EQ(CreditsScroller::runningTimerThreads(), 0);
}

// ---- the About box ---------------------------------------------------------------------------

using AboutBox = Program;

TfmAboutBox* openBox(HWND window) {
    return dynamic_cast<TfmAboutBox*>(win::Window::fromHandle(window));
}

TEST_F(AboutBox, EveryWayOfClosingStopsTheCredits) {
    struct Case {
        const char* how;
        std::function<void(TfmAboutBox&)> close;
        int result;
    } cases[] = {
        {"OK", [](TfmAboutBox& b) { PostMessageA(b.OKButton.handle(), BM_CLICK, 0, 0); }, IDOK},
        {"power button",
         [](TfmAboutBox& b) { PostMessageA(b.buMonitorPower.handle(), BM_CLICK, 0, 0); }, IDOK},
        {"Enter", [](TfmAboutBox&) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0); }, IDOK},
        {"Escape", [](TfmAboutBox&) { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); },
         IDCANCEL},
        {"close box", [](TfmAboutBox& b) { PostMessageA(b.handle(), WM_SYSCOMMAND, SC_CLOSE, 0); },
         IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        bool seen = false;
        test::whenWindowAppears("TfmAboutBox", "About", [&](HWND window) {
            TfmAboutBox* box = openBox(window);
            ASSERT_TRUE(box);
            seen = true;
            EXPECT_EQ(GetWindow(window, GW_OWNER), main->handle());
            EXPECT_EQ(box->Credits.lines(), main->Credits.lines());
            EXPECT_TRUE(box->Credits.active());
            EXPECT_EQ(CreditsScroller::runningTimerThreads(), 1);
            c.close(*box);
        });
        TfmAboutBox box(main->handle(), main->Credits.lines());
        EXPECT_EQ(box.showModal(), c.result);
        EXPECT_TRUE(seen);
        EXPECT_EQ(CreditsScroller::runningTimerThreads(), 0);
    }
}

TEST_F(AboutBox, HelpAboutOpensTheBoxAndDestroysItAfterwards) {
    bool seen = false;
    test::whenWindowAppears("TfmAboutBox", "About", [&](HWND window) {
        seen = true;
        TfmAboutBox* box = openBox(window);
        ASSERT_TRUE(box);
        // The credits of the main window, formatted from this program's version information.
        EXPECT_EQ(box->Credits.lines(),
                  formatCredits(designCreditsLines(), main->ExeInfo.FileVersion,
                                main->ExeInfo.LegalCopyright));
        EXPECT_EQ(box->Credits.clientWidth(), 372);
        EXPECT_EQ(box->Credits.clientHeight(), 209);
        EXPECT_EQ(box->clientWidth(), 435);
        EXPECT_EQ(box->clientHeight(), 293);
        EXPECT_EQ(box->lbWebLink.text(), kMakerWebAddress);
        EXPECT_TRUE(GetWindowLongA(box->OKButton.handle(), GWL_STYLE) & BS_DEFPUSHBUTTON);
        EXPECT_FALSE(GetWindowLongA(box->buMonitorPower.handle(), GWL_STYLE) & WS_TABSTOP);
        PostMessageA(box->buMonitorPower.handle(), BM_CLICK, 0, 0);
    });
    pressMenu("About1");
    EXPECT_TRUE(seen);
    EXPECT_EQ(FindWindowA("TfmAboutBox", nullptr), nullptr);
    EXPECT_EQ(CreditsScroller::runningTimerThreads(), 0);
}

TEST_F(AboutBox, ALinkTheShellCannotOpenBecomesDisabledText) {
    TfmAboutBox box(main->handle(), main->Credits.lines());
    EXPECT_TRUE(box.lbWebLink.isLink());
    box.lbWebLink.setAddress("Z:\\no\\such\\folder\\nothing.vantaro-none");
    SendMessageA(box.lbWebLink.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 5));
    SendMessageA(box.lbWebLink.handle(), WM_LBUTTONUP, 0, MAKELPARAM(100, 5));
    EXPECT_FALSE(box.lbWebLink.isLink());
    EXPECT_FALSE(IsWindowEnabled(box.lbWebLink.handle())) << "a disabled link still takes clicks";
}

// ---- version and system information ----------------------------------------------------------

std::string besideTheTests(const std::string& name) {
    return win::Application::exeDirectory() + name;
}

TEST(ExeInfo, ReadsTheProgramsOwnVersionResource) {
    TExeInfo info;
    info.ReadVersionInfo(besideTheTests("..\\..\\VantaroPrintScreen.exe"));
    EXPECT_EQ(info.CompanyName, "Vantaro Software");
    EXPECT_EQ(info.FileDescription, "Vantaro Print Screen");
    EXPECT_EQ(info.FileVersion, VPS_FILE_VERSION_TEXT);
    EXPECT_EQ(info.InternalName, "VantaroPrintScreen");
    EXPECT_EQ(info.LegalCopyright, "Copyright (C) 2026 Vantaro Software");
    EXPECT_EQ(info.LegalTradeMark, "Vantaro is a trademark of Vantaro Software");
    EXPECT_EQ(info.OriginalFileName, "VantaroPrintScreen.exe");
    EXPECT_EQ(info.ProductName, "Vantaro Print Screen");
    EXPECT_EQ(info.ProductVersion, VPS_FILE_VERSION_TEXT);
    EXPECT_EQ(info.Comments, "Print Screen key: print, save, copy or mail the screen");
}

std::vector<std::string> allStrings(const TExeInfo& i) {
    return {i.CompanyName,    i.FileDescription,  i.FileVersion, i.InternalName,   i.LegalCopyright,
            i.LegalTradeMark, i.OriginalFileName, i.ProductName, i.ProductVersion, i.Comments};
}

TEST(ExeInfo, WithoutAVersionResourceEveryStringReadsUpdatedAtRunTime) {
    // The test program carries no version resource, and neither does a file that is not there.
    TExeInfo info;
    const std::vector<std::string> notRead(10, "Updated at run-time");
    EXPECT_EQ(allStrings(info), notRead);
    info.ReadVersionInfo(besideTheTests("NoSuchFile.dll"));
    EXPECT_EQ(allStrings(info), notRead);
    EXPECT_EQ(formatCredits(designCreditsLines(), info.FileVersion, info.LegalCopyright)[2],
              "Updated at run-time");
}

TEST(ExeInfo, StringTablesWithAndWithoutATranslationTable) {
    struct Case {
        const char* file;
        std::vector<std::string> expected;
    } cases[] = {
        {"VersionNoTranslationLatin1.dll",
         {"Latin Company", "Latin Description", "3.1.4.1", "Latin Internal", "Latin Copyright",
          "Latin Trade Marks", "Latin.dll", "Latin Product", "3.1", "Latin Comments"}},
        {"VersionNoTranslationUnicode.dll",
         {"Unicode Company", "", "3.1.4.1", "", "Unicode Copyright", "", "", "", "", ""}},
        {"VersionGermanWithSomeEntries.dll",
         {"Deutsche Firma", "", "3.1.4.1", "", "Urheberrecht", "", "", "", "", ""}},
        {"VersionTranslationToMissingTable.dll", std::vector<std::string>(10, "")},
        {"VersionNoStringTables.dll", std::vector<std::string>(10, "")},
        // Read as UTF-16 and kept as UTF-8, whatever the user's code page.
        {"VersionUnicodeNames.dll",
         {reinterpret_cast<const char*>(
              u8"\u041e\u041e\u041e \u00ab\u041a\u0430\u0434\u0440\u00bb"),
          "", "3.1.4.1", "", reinterpret_cast<const char*>(u8"\u00a9 \u5199\u771f \U0001F4F7"), "",
          "", "", "", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TExeInfo info;
        info.ReadVersionInfo(besideTheTests(c.file));
        EXPECT_EQ(allStrings(info), c.expected);
    }
}

TEST(ExeInfo, SystemAnswers) {
    TExeInfo info;
    char name[64] = {};
    DWORD size = sizeof name;
    ASSERT_TRUE(GetComputerNameA(name, &size));
    EXPECT_EQ(info.ComputerName(), name);
    EXPECT_LE(info.ComputerName().size(), 15u);
    // Wine reports a Windows later than XP.
    EXPECT_EQ(info.OSName(), "Unknown");
    EXPECT_EQ(lstrcmpiA(info.WindowsDir().c_str(), "C:\\windows\\"), 0) << info.WindowsDir();
    EXPECT_EQ(lstrcmpiA(info.SystemDir().c_str(), "C:\\windows\\system32\\"), 0)
        << info.SystemDir();
    const std::string temp = info.TempDir();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    EXPECT_TRUE(GetFileAttributesA(temp.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ExeInfo, ComputedPropertiesIgnoreWhatIsWrittenToThem) {
    TExeInfo info;
    EXPECT_EQ(TExeInfo::ComponentVersion(), 0x01010000u);
    const std::pair<const char*, std::string> computed[] = {
        {"Version", "1.1.0.0"},
        {"OSName", info.OSName()},
        {"WindowsDir", info.WindowsDir()},
        {"SystemDir", info.SystemDir()},
        {"TempDir", info.TempDir()},
    };
    for (const auto& [name, value] : computed) {
        SCOPED_TRACE(name);
        auto property = info.property(name);
        ASSERT_TRUE(property);
        property->setText("9.9.9.9");
        EXPECT_EQ(property->getText(), value);
    }
    auto fileVersion = info.property("FileVersion");
    ASSERT_TRUE(fileVersion);
    fileVersion->setText("2.0.0.1");
    EXPECT_EQ(info.FileVersion, "2.0.0.1");
    EXPECT_FALSE(info.property("NoSuchProperty"));
}

TEST(ExeInfo, AComputerNameLongerThanWindowsAllowsIsRefusedWhole) {
    TExeInfo info;
    const std::string before = info.ComputerName();
    EXPECT_THROW(info.ChangeComputerName("SIXTEEN-CHARS-XY"), std::invalid_argument);
    EXPECT_THROW(info.property("ComputerName")->setText(std::string(300, 'N')),
                 std::invalid_argument);
    EXPECT_EQ(info.ComputerName(), before);
}

}  // namespace
}  // namespace vps
