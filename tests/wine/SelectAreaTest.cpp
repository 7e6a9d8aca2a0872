#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TestSupport.h"
#include "app/AppWindows.h"
#include "capture/uAnimatedRectangle.h"
#include "capture/uSelectArea.h"
#include "core/SelectionAids.h"
#include "win/Application.h"

namespace vps {
namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);

using Step = std::function<void()>;

// Plays its steps one per timer tick. The ticks arrive inside the selection's own message loop,
// so the steps reach the window as a user's input does, while SelectArea is waiting.
class SelectionScript {
public:
    explicit SelectionScript(std::vector<Step> steps) : steps_(std::move(steps)) {
        active_ = this;
        timer_ = SetTimer(nullptr, 0, 20, tick);
    }
    SelectionScript(const SelectionScript&) = delete;
    SelectionScript& operator=(const SelectionScript&) = delete;
    ~SelectionScript() {
        KillTimer(nullptr, timer_);
        active_ = nullptr;
    }

    // The selection was still running long after the last step, so the script cancelled it.
    bool stalled() const { return stalled_; }

private:
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        SelectionScript* self = active_;
        if (!self) return;
        // Help that F1 or a refused click opens may report a missing help file in a modal box;
        // close it as a user would, so the script goes on.
        HWND box = FindWindowA("TMessageForm", nullptr);
        if (box && IsWindowVisible(box)) PostMessageA(box, WM_CLOSE, 0, 0);
        if (self->next_ < self->steps_.size()) {
            self->steps_[self->next_++]();
            return;
        }
        // A fault that keeps the selection open would otherwise hang the whole test run.
        if (++self->idleTicks_ == 150 && selectionWindow().ShownSnapshot) {
            self->stalled_ = true;
            selectionWindow().buCancel.click();
        }
    }

    static inline SelectionScript* active_ = nullptr;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int idleTicks_ = 0;
    bool stalled_ = false;
    UINT_PTR timer_ = 0;
};

HWND surface() {
    return selectionWindow().Image.handle();
}

Step post(UINT message, WPARAM wParam, int x, int y) {
    return [=] {
        // The real pointer goes along, so a move the system makes up agrees with the script's.
        SetCursorPos(x, y);
        PostMessageA(surface(), message, wParam, MAKELPARAM(x, y));
    };
}
Step hoverAt(int x, int y) {
    return post(WM_MOUSEMOVE, 0, x, y);
}
Step pressAt(int x, int y) {
    return post(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
}
Step dragTo(int x, int y) {
    return post(WM_MOUSEMOVE, MK_LBUTTON, x, y);
}
Step releaseAt(int x, int y) {
    return post(WM_LBUTTONUP, 0, x, y);
}
Step key(WPARAM virtualKey, UINT message = WM_KEYDOWN, LPARAM keyData = 0) {
    return [=] { PostMessageA(surface(), message, virtualKey, keyData); };
}
constexpr LPARAM kRepeat = 1 << 30;  // the key was down already
constexpr LPARAM kAltDown = 1 << 29;
// Holds exactly these modifiers in the thread's key state, which is what the window reads.
Step holdModifiers(bool shift, bool ctrl) {
    return [=] {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        state[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(state);
    };
}
Step check(std::function<void()> expectations) {
    return expectations;
}

std::vector<Step> drawRectangle(int l, int t, int r, int b) {
    return {hoverAt(l, t), pressAt(l, t), dragTo((l + r) / 2, (t + b) / 2), dragTo(r, b),
            releaseAt(r, b)};
}

std::vector<Step> concat(std::vector<std::vector<Step>> parts) {
    std::vector<Step> all;
    for (auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

HCURSOR systemCursor(const char* id) {
    return LoadCursorA(nullptr, id);
}

class SelectArea : public testing::Test {
public:
    test::FreshSettingsFile settings;

    void SetUp() override {
        windows_ = std::make_unique<AppWindows>();
        const Size screen = primaryScreenSize();
        snapshot.resize(screen.width, screen.height);
        win::Brush grey(CreateSolidBrush(kGrey));
        const RECT all{0, 0, screen.width, screen.height};
        FillRect(snapshot.dc(), &all, grey.get());
    }
    void TearDown() override {
        win::Application::setCursorOverride(nullptr);
        windows_.reset();
        win::Application::resumeAfterTermination();
    }

    AreaRect run(std::vector<Step> steps) {
        SelectionScript script(std::move(steps));
        const AreaRect result = selectionWindow().SelectArea(snapshot);
        EXPECT_FALSE(script.stalled()) << "the selection did not end by itself";
        return result;
    }

    static COLORREF pixel(int x, int y) {
        return GetPixel(selectionWindow().Image.picture().dc(), x, y);
    }
    // What the window shows there, which only repainting brings in line with the picture.
    static COLORREF shown(int x, int y) {
        const win::WindowDC dc(selectionWindow().Image.handle());
        return GetPixel(dc.get(), x, y);
    }
    static bool isOutline(COLORREF colour) {
        return colour == RGB(255, 255, 255) || colour == RGB(0, 0, 0);
    }
    static bool outlined(int x, int y) { return isOutline(pixel(x, y)); }
    static void expectEnded() {
        EXPECT_FALSE(IsWindowVisible(selectionWindow().handle()));
        EXPECT_FALSE(fmAnimatedRectangle->running());
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(selectionWindow().ShownSnapshot, nullptr);
    }

    ScreenSnapshot snapshot;

private:
    std::unique_ptr<AppWindows> windows_;
};

TEST_F(SelectArea, ADragConfirmedWithEnterGivesTheRectangleInScreenPixels) {
    const Size screen = primaryScreenSize();
    const AreaRect result = run({
        check([&] {
            RECT r{};
            GetWindowRect(selectionWindow().handle(), &r);
            EXPECT_EQ(r.left, 0);
            EXPECT_EQ(r.top, 0);
            EXPECT_EQ(r.right, screen.width);
            EXPECT_EQ(r.bottom, screen.height);
            EXPECT_TRUE(IsWindowVisible(selectionWindow().handle()));
            EXPECT_EQ(selectionWindow().Image.clientWidth(), screen.width);
            EXPECT_EQ(selectionWindow().Image.clientHeight(), screen.height);
            EXPECT_EQ(pixel(10, 10), kGrey) << "the snapshot is shown 1:1";
            EXPECT_FALSE(outlined(0, 0)) << "no outline before the first drag";
        }),
        hoverAt(100, 100),
        pressAt(100, 100),
        check([] { EXPECT_EQ(GetCapture(), surface()) << "a drag holds the mouse"; }),
        dragTo(200, 150),
        check([] {
            EXPECT_TRUE(outlined(200, 120));
            EXPECT_TRUE(fmAnimatedRectangle->running());
            EXPECT_EQ(fmAnimatedRectangle->TargetImage, &selectionWindow().Image);
        }),
        dragTo(300, 200),
        check([] {
            EXPECT_EQ(pixel(200, 120), kGrey) << "each redraw wipes the previous outline";
            EXPECT_TRUE(outlined(250, 100));
            EXPECT_TRUE(outlined(300, 150));
            // Only the outlines' edges are repainted: the old one's and the new one's.
            EXPECT_EQ(shown(200, 120), kGrey) << "the wiped outline is gone from the screen too";
            EXPECT_TRUE(isOutline(shown(250, 100)));
            EXPECT_TRUE(isOutline(shown(300, 150)));
        }),
        releaseAt(300, 200),
        key(VK_RETURN),
    });
    EXPECT_EQ(result, (AreaRect{100, 100, 300, 200}));
    expectEnded();
}

// The magnifier's cell (column, row) of 15 x 15, as the window shows it: a pixel a quarter in
// from the cell's side away from the middle, clear of the cross-hair that runs through the
// middles of the pointer's row and column and of the frame around the pointer's pixel.
COLORREF shownCell(int column, int row) {
    const SelectionAidsView& aids = selectionWindow().Image.Aids;
    const layout::Box& box = aids.placement().magnifier;
    const int cell = aids.cell();
    const int border = (box.width - kMagnifiedPixels * cell) / 2;
    const auto inset = [cell](int index) {
        return index > kMagnifiedPixels / 2 ? cell - 1 - cell / 4 : cell / 4;
    };
    const win::WindowDC dc(selectionWindow().Image.handle());
    return GetPixel(dc.get(), box.left + border + column * cell + inset(column),
                    box.top + border + row * cell + inset(row));
}

bool boxHolds(const layout::Box& box, int x, int y) {
    return box.left <= x && x < box.left + box.width && box.top <= y && y < box.top + box.height;
}

// Runs at every DPI the DPI runs use: the magnified pixels grow with the window's scaling.
class HighDpiSelectionAids : public SelectArea {};

TEST_F(HighDpiSelectionAids, FollowThePointerWithTheSnapshotsPixelsAndStayOutOfThePicture) {
    constexpr COLORREF kRed = RGB(255, 0, 0);
    constexpr COLORREF kBlue = RGB(0, 0, 255);
    const SelectionAidsView& aids = selectionWindow().Image.Aids;
    layout::Box oldMagnifier;
    const AreaRect result = run({
        check([&] {
            // Marked once the window shows the snapshot: neither its picture nor the screen has
            // them, so only a magnifier that reads the snapshot itself shows them.
            SetPixelV(snapshot.dc(), 300, 200, kRed);
            SetPixelV(snapshot.dc(), 301, 200, kBlue);
            SetPixelV(snapshot.dc(), 500, 300, kBlue);
            EXPECT_EQ(pixel(500, 300), kGrey);
        }),
        hoverAt(500, 300),
        check([&] {
            UpdateWindow(surface());
            ASSERT_TRUE(aids.shown());
            EXPECT_EQ(aids.readoutText(), "500, 300") << "before a corner, the pointer's place";
            EXPECT_EQ(aids.cell(), selectionWindow().Image.scaled(8));
            EXPECT_EQ(shownCell(7, 7), kBlue) << "the pointer's pixel in the middle";
            EXPECT_EQ(shownCell(6, 7), kGrey);
            oldMagnifier = aids.placement().magnifier;
        }),
        pressAt(100, 100),
        dragTo(300, 200),
        check([&] {
            UpdateWindow(surface());
            EXPECT_EQ(aids.readoutText(), "201 x 101");
            const layout::Box& magnifier = aids.placement().magnifier;
            const layout::Box& readout = aids.placement().readout;
            EXPECT_GT(magnifier.left, 300) << "out past the dragged corner";
            EXPECT_GT(magnifier.top, 200);
            EXPECT_EQ(shownCell(7, 7), kRed);
            EXPECT_EQ(shownCell(8, 7), kBlue) << "one cell per snapshot pixel";
            EXPECT_EQ(shownCell(6, 7), kGrey);
            // The readout: its own colours, text among them.
            bool text = false;
            const win::WindowDC dc(selectionWindow().Image.handle());
            for (int x = readout.left; x < readout.left + readout.width; ++x) {
                text = text || GetPixel(dc.get(), x, readout.top + readout.height / 2) ==
                                   RGB(255, 255, 255);
            }
            EXPECT_TRUE(text) << "the readout's text is drawn";
            EXPECT_NE(shown(readout.left + 1, readout.top + 1), kGrey);
            // Never drawn into the picture the outline is wiped with.
            for (const layout::Box& box : {magnifier, readout}) {
                EXPECT_EQ(pixel(box.left + box.width / 2, box.top + box.height / 2), kGrey);
            }
            // Where the magnifier stood before, the snapshot shows again.
            const int oldX = oldMagnifier.left + oldMagnifier.width - 3;
            const int oldY = oldMagnifier.top + oldMagnifier.height - 3;
            ASSERT_FALSE(boxHolds(magnifier, oldX, oldY) || boxHolds(readout, oldX, oldY));
            EXPECT_EQ(shown(oldX, oldY), kGrey);
        }),
        releaseAt(300, 200),
        hoverAt(200, 150),
        key(VK_RETURN),
    });
    EXPECT_EQ(result, (AreaRect{100, 100, 300, 200}));
    EXPECT_FALSE(aids.shown()) << "nothing left for the next selection's first paint";
}

TEST_F(SelectArea, EveryWayOutStopsTheOutlineRestoresTheCursorAndHides) {
    struct Case {
        const char* what;
        std::vector<Step> steps;
        AreaRect expected;
    };
    const Case cases[] = {
        {"Escape after drawing", concat({drawRectangle(100, 100, 300, 200), {key(VK_ESCAPE)}}), {}},
        {"Enter before anything was drawn", {key(VK_RETURN)}, {}},
        {"Escape before anything was drawn", {key(VK_ESCAPE)}, {}},
        {"a press inside confirms",
         concat({drawRectangle(300, 200, 100, 100), {hoverAt(150, 150), pressAt(150, 150)}}),
         {100, 100, 300, 200}},
        {"a click is refused and the previous rectangle comes back",
         concat({drawRectangle(100, 100, 300, 200),
                 {hoverAt(500, 500), pressAt(500, 500), dragTo(503, 504), releaseAt(503, 504),
                  key(VK_RETURN)}}),
         {100, 100, 300, 200}},
        {"a drag off the window is clamped to the screen",
         {hoverAt(100, 100), pressAt(100, 100), dragTo(-40, 30000), releaseAt(-40, 30000),
          key(VK_RETURN)},
         {0, 100, 100, primaryScreenSize().height - 1}},
        // Either used to hide the window and leave the selection running unseen.
        {"Alt+F4", concat({drawRectangle(100, 100, 300, 200),
                           {[] { PostMessageA(selectionWindow().handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }}}),
         {}},
        {"another program's WM_CLOSE",
         concat({drawRectangle(100, 100, 300, 200),
                 {[] { PostMessageA(selectionWindow().handle(), WM_CLOSE, 0, 0); }}}),
         {}},
        {"the application ends in the middle",
         concat({drawRectangle(100, 100, 300, 200), {[] { win::Application::terminate(); }}}),
         {}},
    };
    const HCURSOR before = systemCursor(IDC_WAIT);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        win::Application::resumeAfterTermination();
        win::Application::setCursorOverride(before);
        EXPECT_EQ(run(c.steps), c.expected);
        expectEnded();
        EXPECT_EQ(win::Application::cursorOverride(), before);
    }
    EXPECT_TRUE(win::Application::terminated()) << "the last case's end stays for the main loop";
}

TEST_F(SelectArea, HoverSetsTheApplicationWideCursorAndKeysResetItToTheCrossHair) {
    const AreaRect result = run(concat({
        drawRectangle(100, 100, 300, 200),
        {
            hoverAt(200, 150),
            check([] { EXPECT_EQ(win::Application::cursorOverride(), systemCursor(IDC_HAND)); }),
            hoverAt(300, 150),
            check([] { EXPECT_EQ(win::Application::cursorOverride(), systemCursor(IDC_SIZEWE)); }),
            hoverAt(100, 100),
            check(
                [] { EXPECT_EQ(win::Application::cursorOverride(), systemCursor(IDC_SIZENWSE)); }),
            hoverAt(200, 204),
            check([] { EXPECT_EQ(win::Application::cursorOverride(), systemCursor(IDC_SIZENS)); }),
            hoverAt(50, 50),
            check([] { EXPECT_EQ(win::Application::cursorOverride(), systemCursor(IDC_CROSS)); }),
            hoverAt(200, 150),
            key(VK_F1),
            check([] {
                EXPECT_EQ(win::Application::cursorOverride(), systemCursor(IDC_HAND))
                    << "F1 asks for help and leaves the rectangle alone";
            }),
            key(VK_SPACE),
            check([] {
                EXPECT_EQ(win::Application::cursorOverride(), systemCursor(IDC_CROSS));
                EXPECT_EQ(selectionWindow().Selection.corners(), (AreaRect{100, 100, 300, 200}));
                EXPECT_TRUE(outlined(200, 100));
            }),
            key(VK_RETURN),
        },
    }));
    EXPECT_EQ(result, (AreaRect{100, 100, 300, 200}));
    EXPECT_EQ(win::Application::cursorOverride(), nullptr);
}

TEST_F(SelectArea, ArrowKeysNudgeTheCornersByTheirModifiers) {
    const AreaRect result = run(concat({
        drawRectangle(100, 100, 300, 200),
        {
            key(VK_LEFT),  // both corners
            holdModifiers(true, false),
            key(VK_UP),  // the start only
            holdModifiers(false, true),
            key(VK_DOWN),  // the end only
            holdModifiers(true, true),
            key(VK_LEFT),  // Shift wins: the start only
            holdModifiers(false, false),
            check([] {
                EXPECT_EQ(selectionWindow().Selection.corners(), (AreaRect{98, 99, 299, 201}));
                EXPECT_TRUE(outlined(150, 99)) << "the outline follows the keys";
            }),
            key(VK_RETURN),
        },
    }));
    EXPECT_EQ(result, (AreaRect{98, 99, 299, 201}));
}

TEST_F(SelectArea, AHeldArrowKeepsNudgingButAltWithAnArrowIsLeftToTheSystem) {
    const AreaRect result = run(concat({
        drawRectangle(100, 100, 300, 200),
        {
            key(VK_RIGHT),
            key(VK_RIGHT, WM_KEYDOWN, kRepeat),
            key(VK_RIGHT, WM_KEYDOWN, kRepeat),
            key(VK_LEFT, WM_SYSKEYDOWN, kAltDown),
            key(VK_UP, WM_SYSKEYDOWN, kAltDown | kRepeat),
            key(VK_RETURN),
        },
    }));
    EXPECT_EQ(result, (AreaRect{103, 100, 303, 200}));
}

TEST_F(SelectArea, EachSelectionStartsAfreshNotFromThePreviousOne) {
    EXPECT_EQ(run(concat({drawRectangle(100, 100, 300, 200), {key(VK_RETURN)}})),
              (AreaRect{100, 100, 300, 200}));
    const AreaRect second = run({
        check([] {
            EXPECT_EQ(selectionWindow().Selection.corners(), (AreaRect{0, 0, 0, 0}));
            EXPECT_FALSE(selectionWindow().Selection.Confirmed);
        }),
        // A press where the old rectangle's inside was starts a new one.
        hoverAt(150, 150),
        pressAt(150, 150),
        dragTo(250, 170),
        releaseAt(250, 170),
        key(VK_RETURN),
    });
    EXPECT_EQ(second, (AreaRect{150, 150, 250, 170}));
}

TEST_F(SelectArea, TheCursorOverrideAnswersForEveryWindowOfTheProgram) {
    struct Case {
        const char* what;
        HWND window;
    } cases[] = {
        {"the selection's image", surface()},
        {"a standard control of the main window", fmKestrelPrintScreen->buOK.handle()},
        {"a form", fmKestrelPrintScreen->handle()},
    };
    const auto askForCursor = [](HWND window) {
        return SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                            MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        win::Application::setCursorOverride(systemCursor(IDC_SIZEWE));
        SetCursor(systemCursor(IDC_ARROW));
        EXPECT_EQ(askForCursor(c.window), TRUE);
        EXPECT_EQ(GetCursor(), systemCursor(IDC_SIZEWE));
        win::Application::setCursorOverride(nullptr);
        askForCursor(c.window);
        EXPECT_NE(GetCursor(), systemCursor(IDC_SIZEWE)) << "each window's own cursor comes back";
    }
    // Without an override the image keeps its cross-hair.
    askForCursor(surface());
    EXPECT_EQ(GetCursor(), systemCursor(IDC_CROSS));
}

class SelectButton : public SelectArea {
public:
    TfmKestrelPrintScreen& main() { return *fmKestrelPrintScreen; }
    void SetUp() override {
        SelectArea::SetUp();
        main().ShowCapture();
        test::pumpMessagesFor(50);
        main().ScreenArea.setItemIndex(0);
    }
};

TEST_F(SelectButton, TheResultBecomesTheSelectedAreaAndIsOutlinedOnTheMiniature) {
    {
        SelectionScript script(concat({
            {check([this] {
                EXPECT_EQ(main().ScreenArea.itemIndex(), 3) << "chosen before the selection";
            })},
            drawRectangle(100, 100, 300, 200),
            {key(VK_RETURN)},
        }));
        main().buSelectClick();
        EXPECT_FALSE(script.stalled());
    }
    EXPECT_EQ(main().SelectedRect, (AreaRect{100, 100, 300, 200}));
    EXPECT_EQ(main().ScreenArea.itemIndex(), 3);
    ASSERT_TRUE(fmAnimatedRectangle->running());
    EXPECT_EQ(fmAnimatedRectangle->TargetImage, &main().ExampleImage);
    const AreaRect mapped = ScreenToPreviewRect(
        main().SelectedRect, main().ExampleImage.clientWidth(), main().ExampleImage.clientHeight());
    const OutlineRectangle outlined = fmAnimatedRectangle->OutlineRect;
    EXPECT_EQ((AreaRect{outlined.left, outlined.top, outlined.right, outlined.bottom}), mapped);
    EXPECT_FALSE(IsWindowVisible(selectionWindow().handle()));

    // A cancelled selection empties the Selected Area and keeps the choice.
    {
        SelectionScript script({key(VK_ESCAPE)});
        main().buSelectClick();
        EXPECT_FALSE(script.stalled());
    }
    EXPECT_EQ(main().SelectedRect, (AreaRect{0, 0, 0, 0}));
    EXPECT_EQ(main().ScreenArea.itemIndex(), 3);
}

// The selection covers the screen with the frozen picture: a new snapshot taken then would only
// photograph that picture with the outline on it, and the selection would go on over the copy.
TEST_F(SelectButton, AHotKeyOrAWakeUpDuringTheSelectionChangesNothing) {
    const std::string titleBefore = main().ForegroundTitle;
    const HBITMAP snapshotBefore = main().Snapshot.handle();
    {
        SelectionScript script(concat({
            drawRectangle(100, 100, 300, 200),
            {check([this] {
                SendMessageA(main().handle(), WM_HOTKEY, 777, 0);
                SendMessageA(main().handle(), WM_WAKEUP, 0, 0);
                EXPECT_TRUE(IsWindowVisible(selectionWindow().handle())) << "the selection goes on";
            })},
            {key(VK_RETURN)},
        }));
        main().buSelectClick();
        EXPECT_FALSE(script.stalled());
    }
    EXPECT_EQ(main().SelectedRect, (AreaRect{100, 100, 300, 200}));
    // An activation would have read the selection window as the one in front.
    EXPECT_EQ(main().ForegroundTitle, titleBefore);
    EXPECT_EQ(main().Snapshot.handle(), snapshotBefore);
    // Once the selection is over, the keys work as always.
    SendMessageA(main().handle(), WM_HOTKEY, 777, 0);
    EXPECT_TRUE(IsWindowVisible(main().handle()));
}

TEST_F(SelectButton, ClosingTheSelectionWindowCancelsAndTheHotKeysWorkAgain) {
    {
        SelectionScript script(concat({
            drawRectangle(100, 100, 300, 200),
            {[] { PostMessageA(selectionWindow().handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        }));
        main().buSelectClick();
        EXPECT_FALSE(script.stalled());
    }
    EXPECT_EQ(main().SelectedRect, (AreaRect{0, 0, 0, 0}));
    EXPECT_FALSE(selectionWindow().selecting());
    main().HideCapture();
    SendMessageA(main().handle(), WM_HOTKEY, 777, 0);
    EXPECT_TRUE(IsWindowVisible(main().handle()));
}

// Escape or Close on the main window while the selection is still open over the screen.
TEST_F(SelectButton, HidingTheMainWindowEndsTheSelectionAndLeavesNoOutlineRunning) {
    {
        SelectionScript script(concat({
            drawRectangle(100, 100, 300, 200),
            {[this] { main().buCancel.click(); }},
        }));
        main().buSelectClick();
        EXPECT_FALSE(script.stalled()) << "the hide must end the selection";
    }
    EXPECT_FALSE(IsWindowVisible(main().handle()));
    EXPECT_FALSE(IsWindowVisible(selectionWindow().handle()));
    EXPECT_FALSE(selectionWindow().selecting());
    test::pumpMessagesFor(100);
    EXPECT_FALSE(fmAnimatedRectangle->running());
}

}  // namespace
}  // namespace vps
