// The windows at the screen's DPI: at 96 exactly as designed, at 144 and 192 (150 % and 200 %)
// every design size scaled, text still whole, and a move to a monitor of another DPI re-laid.
// tests/wine/run-dpi-tests.sh runs these once per DPI, each in a Wine prefix set to that DPI.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "TestSupport.h"
#include "app/AppWindows.h"
#include "core/DpiScale.h"
#include "settings/uDefaults.h"
#include "win/Application.h"
#include "win/Dpi.h"
#include "win/Gdi.h"

namespace vps {
namespace {

using vps::dpi::scale;

int screenDpi() { return win::systemDpi(); }

void expectNear(const win::Box& actual, const win::Box& expected, const std::string& what) {
    SCOPED_TRACE(what);
    EXPECT_NEAR(actual.left, expected.left, 1);
    EXPECT_NEAR(actual.top, expected.top, 1);
    EXPECT_NEAR(actual.width, expected.width, 1);
    EXPECT_NEAR(actual.height, expected.height, 1);
}

void expectClientScaled(const win::Form& form, int dpi) {
    const SIZE design = form.designClientSize();
    SCOPED_TRACE(form.name());
    EXPECT_NEAR(form.clientWidth(), scale(design.cx, dpi), 1);
    EXPECT_NEAR(form.clientHeight(), scale(design.cy, dpi), 1);
}

bool isClass(HWND window, const char* name) {
    char className[32]{};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

// Every control the description placed stands where its design bounds say, at `dpi`. Combo
// boxes and edits take the height their font needs (and an edit gives up the room of its
// arrows), an etched rule the thickness of the system's edge, so only their place is compared; a control set to zero width is kept out of sight, one without design bounds fills its parent.
void expectPlacedAsDesigned(const win::Window& window, int dpi) {
    for (const win::Control* child : window.children()) {
        const win::Box actual = child->bounds();
        const win::Box expected = scale(child->designBounds(), dpi);
        if (actual.width == 0 || child->designBounds().width == 0) continue;  // hidden, or aligned
        const bool systemSized = isClass(child->handle(), "ComboBox") || isClass(child->handle(), "Edit") ||
                                 (isClass(child->handle(), "Static") &&
                                  (GetWindowLongA(child->handle(), GWL_STYLE) & SS_TYPEMASK) == SS_ETCHEDHORZ);
        if (systemSized) {
            expectNear({actual.left, actual.top, 0, 0}, {expected.left, expected.top, 0, 0}, child->name());
        } else {
            expectNear(actual, expected, child->name());
        }
        expectPlacedAsDesigned(*child, dpi);
    }
}

std::string withoutAccelerator(std::string text) {
    std::erase(text, '&');
    return text;
}

// The room a standard control leaves its text, by its kind: a push button's border, a check
// box's or radio button's box, a group frame's indent.
int textRoom(HWND control, int width, int dpi) {
    char className[32]{};
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Button") != 0) return width;
    switch (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: return width - 2 * scale(3, dpi);
        case BS_GROUPBOX: return width - 2 * scale(8, dpi);
        default: return width - GetSystemMetrics(SM_CXMENUCHECK) - scale(4, dpi);
    }
}

struct TextCheck {
    int dpi;
};

// A named callback rather than a lambda: the 32-bit system calls it with its own convention.
BOOL CALLBACK expectTextWhole(HWND control, LPARAM param) {
    const int dpi = reinterpret_cast<TextCheck*>(param)->dpi;
    char className[32]{};
    GetClassNameA(control, className, sizeof className);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const bool isStatic = lstrcmpiA(className, "Static") == 0;
    const bool isButton = lstrcmpiA(className, "Button") == 0;
    if (!(isStatic || isButton) || !IsWindowVisible(control)) return TRUE;
    if (isStatic && (style & SS_TYPEMASK) > SS_LEFTNOWORDWRAP) return TRUE;  // icons, rules
    char text[512]{};
    GetWindowTextA(control, text, sizeof text);
    const std::string caption = withoutAccelerator(text);
    if (caption.find_first_not_of(' ') == std::string::npos) return TRUE;
    RECT client{};
    GetClientRect(control, &client);
    if (client.right == 0) return TRUE;  // a button kept out of sight on purpose
    win::WindowDC dc(control);
    win::SelectGuard font(dc.get(), reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    const int room = textRoom(control, client.right, dpi);
    const bool wraps = isStatic && (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP;
    RECT needed{0, 0, room, 0};
    DrawTextA(dc.get(), caption.c_str(), -1, &needed,
              DT_CALCRECT | DT_NOPREFIX | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SCOPED_TRACE(caption);
    EXPECT_LE(needed.right, room);
    EXPECT_LE(needed.bottom, client.bottom);
    return TRUE;
}

// Each text of a standard control fits its control: a label's wrapped lines its height, a
// one-line text its width.
void expectTextsWhole(HWND parent, int dpi) {
    TextCheck check{dpi};
    EnumChildWindows(parent, expectTextWhole, reinterpret_cast<LPARAM>(&check));
}

TEST(HighDpi, TheScreenAnswersTheDpiTheTestWasStartedFor) {
    const int dpi = screenDpi();
    win::WindowDC screen(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSY), dpi);
    if (const char* expected = std::getenv("VPS_EXPECTED_DPI")) {
        EXPECT_EQ(dpi, std::atoi(expected));
    }
}

class HighDpiProgram : public testing::Test {
public:
    test::FreshSettingsFile settings;
    std::unique_ptr<AppWindows> windows;

    void SetUp() override { windows = std::make_unique<AppWindows>(); }
    void TearDown() override {
        windows.reset();
        win::Application::resumeAfterTermination();
    }
};

TEST_F(HighDpiProgram, MainWindowAndItsMonitorDrawingScaleWithTheScreen) {
    const int dpi = screenDpi();
    TfmKestrelPrintScreen& main = *fmKestrelPrintScreen;
    EXPECT_EQ(main.dpi(), dpi);
    expectClientScaled(main, dpi);
    // The monitor drawing and the options below it, each part where the design puts it.
    expectPlacedAsDesigned(main, dpi);
    expectTextsWhole(main.paBottom.handle(), dpi);
    // The miniature fills the screen of the drawing, at whatever size that has become.
    main.ShowCapture();
    test::pumpMessagesFor(50);
    EXPECT_EQ(main.ExampleImage.picture().width(), main.ExampleImage.clientWidth());
    EXPECT_EQ(main.ExampleImage.picture().height(), main.ExampleImage.clientHeight());
    // The capture itself stays the screen's own pixels.
    EXPECT_EQ(main.Snapshot.width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(main.Snapshot.height(), GetSystemMetrics(SM_CYSCREEN));
    main.HideCapture();
}

TEST_F(HighDpiProgram, CheatSheetCardScalesWithItsPictureAndText) {
    const int dpi = screenDpi();
    TfmCheatSheet& card = cheatSheet();
    // The card's design size is its outer size.
    const win::Box outer = card.bounds();
    EXPECT_NEAR(outer.width, scale(454, dpi), 1);
    EXPECT_NEAR(outer.height, scale(450, dpi), 1);
    expectPlacedAsDesigned(card, dpi);
    expectTextsWhole(card.handle(), dpi);
    LOGFONTA bold{};
    GetObjectA(card.Label3.font(), sizeof bold, &bold);
    EXPECT_EQ(std::abs(bold.lfHeight), scale(13, dpi));
}

TEST(HighDpiDialog, DefaultsDialogScalesItsFrameControlsAndFont) {
    test::FreshSettingsFile settings;
    const int dpi = screenDpi();
    TfmDefaults dialog(nullptr);
    dialog.show();
    EXPECT_EQ(dialog.dpi(), dpi);
    expectClientScaled(dialog, dpi);
    expectPlacedAsDesigned(dialog, dpi);
    expectTextsWhole(dialog.handle(), dpi);
    LOGFONTA font{};
    GetObjectA(dialog.font(), sizeof font, &font);
    EXPECT_EQ(std::abs(font.lfHeight), scale(11, dpi));
}

// Windows sends WM_DPICHANGED when a window reaches a monitor of another DPI; a single-DPI test
// screen cannot move it there, so the test sends what Windows would.
void moveToDpi(win::Form& form, int dpi) {
    RECT outer{};
    GetWindowRect(form.handle(), &outer);
    const SIZE design = form.designClientSize();
    RECT suggested{0, 0, scale(design.cx, dpi), scale(design.cy, dpi)};
    win::adjustWindowRectForDpi(suggested, GetWindowLongA(form.handle(), GWL_STYLE), GetMenu(form.handle()) != nullptr,
                                GetWindowLongA(form.handle(), GWL_EXSTYLE), dpi);
    OffsetRect(&suggested, outer.left - suggested.left, outer.top - suggested.top);
    SendMessageA(form.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

TEST(HighDpiDialog, MovingToAnotherMonitorRelaysTheDialogAndMovingBackRestoresIt) {
    test::FreshSettingsFile settings;
    const int home = screenDpi();
    TfmDefaults dialog(nullptr);
    dialog.show();
    const win::Box okBefore = dialog.buOK.bounds();
    for (int other : {home * 2, home * 3 / 2, home}) {
        SCOPED_TRACE(other);
        moveToDpi(dialog, other);
        EXPECT_EQ(dialog.dpi(), other);
        EXPECT_EQ(dialog.lbMinutes.dpi(), other);
        expectPlacedAsDesigned(dialog, other);
        expectTextsWhole(dialog.handle(), other);
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog.buOK.handle(), WM_GETFONT, 0, 0)), sizeof font, &font);
        EXPECT_EQ(std::abs(font.lfHeight), scale(11, other));
    }
    // Back home, pixel for pixel where it started.
    EXPECT_EQ(dialog.buOK.bounds(), okBefore);
}

// Whether a click at the middle of `control` reaches it, as Windows hit-tests a click: window
// regions included, so a group whose region covers a button takes the button's clicks. A
// control off the test screen (a large window at 200 % on a small screen) cannot be clicked
// there and is passed over.
void expectClickable(HWND control, const std::string& what) {
    RECT r{};
    GetWindowRect(control, &r);
    const POINT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    if (middle.x >= GetSystemMetrics(SM_CXSCREEN) || middle.y >= GetSystemMetrics(SM_CYSCREEN)) return;
    const HWND reached = WindowFromPoint(middle);
    char className[64]{};
    GetClassNameA(reached, className, sizeof className);
    EXPECT_EQ(reached, control) << what << " is covered by a window of class " << className;
}

// The screen-area group's region leaves exactly the select button's square out of the group.
void expectScreenAreaRegionFitsLayout(TfmKestrelPrintScreen& main) {
    const win::Box group = main.ScreenArea.bounds();
    const win::Box button = main.buSelect.bounds();
    win::Region region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(main.ScreenArea.handle(), region.get()), ERROR);
    RECT box{};
    GetRgnBox(region.get(), &box);
    EXPECT_EQ((win::Box{box.left, box.top, box.right - box.left, box.bottom - box.top}),
              (win::Box{0, 0, group.width, group.height}));
    const POINT hole{button.left - group.left + button.width / 2, button.top - group.top + button.height / 2};
    EXPECT_FALSE(PtInRegion(region.get(), hole.x, hole.y)) << "the group covers the select button";
    // The frame's far corner and every radio button, "Selected Area" included, are inside.
    EXPECT_TRUE(PtInRegion(region.get(), group.width - 1, group.height - 1));
    for (int i = 0; i < 4; ++i) {
        RECT radio{};
        GetWindowRect(main.ScreenArea.button(i), &radio);
        MapWindowPoints(nullptr, main.ScreenArea.handle(), reinterpret_cast<POINT*>(&radio), 2);
        EXPECT_TRUE(PtInRegion(region.get(), radio.left, radio.top) && PtInRegion(region.get(), radio.right - 1, radio.bottom - 1))
            << "radio button " << i << " is clipped";
    }
}

TEST_F(HighDpiProgram, MainWindowMovedBetweenMonitorsKeepsEveryControlVisibleAndClickable) {
    TfmKestrelPrintScreen& main = *fmKestrelPrintScreen;
    main.ShowCapture();
    cheatSheet().hide();  // it stands beside the window and may overlap it on a small screen
    test::pumpMessagesFor(50);
    // From the top left, so the window at 200 % still lies on the test screen, where a click
    // can reach every control.
    SetWindowPos(main.handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int other : {144, 192, 96}) {
        SCOPED_TRACE(other);
        moveToDpi(main, other);
        test::pumpMessagesFor(50);
        EXPECT_EQ(main.dpi(), other);
        // The options keep their design places; the monitor drawing above follows the window's
        // proportions, which the other tests check.
        expectPlacedAsDesigned(main.paBottom, other);
        expectScreenAreaRegionFitsLayout(main);
        expectClickable(main.buSelect.handle(), "the select button");
        for (int i = 0; i < 4; ++i) expectClickable(main.ScreenArea.button(i), "radio button " + std::to_string(i));
        for (const win::Control* control : std::initializer_list<const win::Control*>{&main.buOK, &main.buCancel, &main.buHelp}) {
            expectClickable(control->handle(), control->name());
        }
    }
    main.HideCapture();
}

}  // namespace
}  // namespace vps
