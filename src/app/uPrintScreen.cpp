// The main window TfmKestrelPrintScreen: creation, hot keys, activation (ShowCapture), hiding
// (HideCapture), closing and shutting down.
#include "app/uPrintScreen.h"

#include <algorithm>
#include <cstdlib>

#include "app/AppWindows.h"
#include "app/TestAids.h"
#include "core/AreaGeometry.h"
#include "core/CaptureChoices.h"
#include "core/CreditsText.h"
#include "core/HotKeyNotice.h"
#include "core/IniValues.h"
#include "core/MonitorGeometry.h"
#include "core/MonitorLayout.h"
#include "core/ResetPolicy.h"
#include "core/TextUtil.h"
#include "capture/Preview.h"
#include "capture/uSelectArea.h"
#include "capture/uAnimatedRectangle.h"
#include "guidance/uAboutBox.h"
#include "guidance/uCheatSheet.h"
#include "guidance/WindowsPrintScreenSetting.h"
#include "settings/uDefaults.h"
#include "settings/uGeneralOptions.h"
#include "settings/uPrintingOptions.h"
#include "settings/uIni.h"
#include "win/Application.h"
#include "win/MessageDialog.h"
#include "win/StepTimes.h"

namespace vps {

namespace {

using namespace vps::layout;

constexpr COLORREF kPowerOn = RGB(0, 255, 0);
constexpr COLORREF kPowerOff = RGB(255, 0, 0);
constexpr COLORREF kScreenGrey = RGB(128, 128, 128);
constexpr SIZE kMinimumSize{329, 450};

const std::vector<win::MenuItemDescription>& mainMenuTable() {
    static const std::vector<win::MenuItemDescription> table = {
        {.name = "Options1", .caption = "&Options", .helpContext = 1210, .items = {
            {.name = "Defaults1", .caption = "&Defaults...", .helpContext = 1220},
            {.name = "Printing1", .caption = "&Printing...", .helpContext = 1230},
            {.name = "General1", .caption = "&General..."},
            {},
            {.name = "ShowCheatSheet1", .caption = "&Show Cheat Sheet", .checked = true},
            {},
            {.name = "Close1", .caption = "&Close"},
            {.name = "Exit1", .caption = "E&xit (Shut Down)"},
        }},
        {.name = "Help1", .caption = "&Help", .helpContext = 1240, .items = {
            {.name = "Contents1", .caption = "&Table of Contents", .helpContext = 1250},
            {.name = "HowtoUseHelp1", .caption = "&How to Use Help", .helpContext = 1270},
            {},
            {.name = "About1", .caption = "&About...", .helpContext = 1290},
        }},
    };
    return table;
}

constexpr const char* kShutDownWarning =
    "This will shut down Vantaro Print Screen and make it unavailable.\r\n"
    "To use this program after it is shut down, it will be necessary to \"run\" it again.\r\n"
    "(To close the main window without shutting down, just click the \"Close\" button.)\r\n"
    "Are you sure you want to shut down this program?";

bool firstArgumentIsFirstRun() {
    return __argc > 1 && equalsIgnoringAsciiCase(__argv[1], "/FIRSTRUN");
}

}  // namespace

TfmKestrelPrintScreen::TfmKestrelPrintScreen()
    : Form({.className = "TfmKestrelPrintScreen",
            .name = "fmKestrelPrintScreen",
            .caption = "Vantaro Print Screen",
            .clientWidth = 321,
            .clientHeight = 407,
            .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
            .exStyle = WS_EX_CONTEXTHELP,
            .minimumSize = kMinimumSize}),
      MainMenu1(mainMenuTable()),
      paMonitor(*this, {.name = "paMonitor", .bounds = {8, 2, 305, 223}, .anchors = AnchorTop,
                        .helpContext = 1000},
                {.outer = win::Bevel::None}),
      Panel9(paMonitor, {.name = "Panel9", .bounds = {0, 0, 301, 207}, .anchors = kAllEdges},
             {.outer = win::Bevel::Raised, .inner = win::Bevel::Raised, .bevelWidth = 2}),
      Panel10(Panel9, {.name = "Panel10", .bounds = {14, 14, 273, 173}, .anchors = kAllEdges},
              {.outer = win::Bevel::Lowered, .inner = win::Bevel::Lowered, .color = kScreenGrey}),
      ExampleImage(Panel10, {.name = "ExampleImage"}, kScreenGrey),
      Credits(Panel10, {.name = "Credits"}),
      buMonitorPower(Panel9, {.name = "buMonitorPower", .bounds = {255, 191, 15, 8},
                              .anchors = AnchorRight | AnchorBottom, .caption = " "},
                     {.tabStop = false}),
      paMonitorIndicator(Panel9, {.name = "paMonitorIndicator", .bounds = {272, 192, 6, 6},
                                  .anchors = AnchorRight | AnchorBottom},
                         {.outer = win::Bevel::Lowered, .color = kPowerOn}),
      Panel12(paMonitor, {.name = "Panel12", .bounds = {54, 211, 193, 9},
                          .anchors = AnchorLeft | AnchorRight | AnchorBottom}),
      Panel8(paMonitor, {.name = "Panel8", .bounds = {113, 202, 74, 12},
                         .anchors = AnchorLeft | AnchorRight | AnchorBottom}),
      paBottom(*this, {.name = "paBottom", .bounds = {0, 227, 321, 179}, .anchors = AnchorBottom},
               {.outer = win::Bevel::None}),
      ScreenArea(paBottom, {.name = "ScreenArea", .bounds = {8, 0, 145, 93}, .helpContext = 1090,
                            .caption = "Please Select Screen Area:"},
                 {"&All", "All, except &Task Bar", "Foreground &Window", "&Selected Area"}, 0),
      Action(paBottom, {.name = "Action", .bounds = {166, 0, 147, 93}, .helpContext = 1100,
                        .caption = "Please select action:"},
             {"Print to &Default Printer", "&Print to Selected Printer", "Save as a &File",
              "&Copy to Clipboard", "&Email as JPEG"},
             2),
      FileFormat(paBottom, {.name = "FileFormat", .bounds = {8, 99, 105, 48}, .helpContext = 1110,
                            .caption = "File Format"},
                 {"&BMP - Bitmap", "&JPG - JPEG"}, 0),
      buOK(paBottom, {.name = "buOK", .bounds = {35, 153, 75, 25}, .helpContext = 1120, .caption = "O&K"}),
      buCancel(paBottom, {.name = "buCancel", .bounds = {123, 153, 75, 25}, .helpContext = 1130,
                          .caption = "C&lose"}),
      buSelect(paBottom, {.name = "buSelect", .bounds = {113, 74, 14, 14}, .helpContext = 1140}),
      gbQuality(paBottom, {.name = "gbQuality", .bounds = {120, 98, 193, 50}, .helpContext = 1150,
                           .caption = "JPEG Quality"}),
      JPEGQuality(gbQuality, {.name = "JPEGQuality", .bounds = {8, 13, 177, 21}}, {0, 4, 2, 15}),
      EmailJPEGQuality(gbQuality, {.name = "EmailJPEGQuality", .bounds = {8, 13, 177, 21}}, {0, 4, 2, 15}),
      tbBitmap(gbQuality, {.name = "tbBitmap", .bounds = {8, 13, 177, 21}, .helpContext = 1160}, {1, 6, 5, 15}),
      lbQualityInfo(gbQuality, {.name = "lbQualityInfo", .bounds = {2, 34, 189, 13}}, win::TextAlign::Centre),
      buHelp(paBottom, {.name = "buHelp", .bounds = {211, 152, 75, 25}, .helpContext = 1180, .caption = "&Help"}),
      SaveDialog("SaveDialog"),
      Storage("TfmKestrelPrintScreen", {{&SaveDialog, "InitialDir"}}) {
    ExampleImage.setAlign(win::Align::Client);
    ExampleImage.setTag(1300);
    Credits.setAlign(win::Align::Client);
    setMenu(MainMenu1);
    setCancelButton(&buCancel);
    // With no choice, OK would do nothing at all.
    for (win::RadioGroup* group : {&ScreenArea, &Action, &FileFormat}) group->setNoChoiceStored(false);
    buildSelectButton();
    bindEvents();
    FormCreate();
}

TfmKestrelPrintScreen::~TfmKestrelPrintScreen() { FormDestroy(); }

void TfmKestrelPrintScreen::bindEvents() {
    OnShow = [this] {
        Storage.restore();
        win::steptimes::stamp("showing: form storage restored");
        FormShow();
    };
    OnResize = [this] { FormResize(); };
    OnCloseQuery = [this] { return FormCloseQuery(); };
    OnMouseDown = [this](const win::MouseEvent& event) { FormMouseDown(event); };
    buCancel.OnClick = [this] { buCancelClick(); };
    buMonitorPower.OnClick = [this] { buMonitorPowerClick(); };
    MainMenu1.item("Close1").OnClick = [this] { Close1Click(); };
    MainMenu1.item("Exit1").OnClick = [this] { Exit1Click(); };
    MainMenu1.item("Defaults1").OnClick = [this] { Defaults1Click(); };
    MainMenu1.item("Printing1").OnClick = [this] { Printing1Click(); };
    MainMenu1.item("General1").OnClick = [this] { General1Click(); };
    MainMenu1.item("ShowCheatSheet1").OnClick = [this] { ShowCheatSheet1Click(); };
    MainMenu1.item("Contents1").OnClick = [this] { Contents1Click(); };
    MainMenu1.item("HowtoUseHelp1").OnClick = [this] { HowtoUseHelp1Click(); };
    MainMenu1.item("About1").OnClick = [this] { About1Click(); };
    ExampleImage.OnClick = [this] { ExampleImageClick(); };
    ExampleImage.OnBeforePaint = [this] { finishMiniature(); };
    buHelp.OnClick = [this] { buHelpClick(); };
    buOK.OnClick = [this] { buOKClick(); };
    buSelect.OnClick = [this] { buSelectClick(); };
    ScreenArea.OnClick = [this] { ScreenAreaClick(); };
    Action.OnClick = [this] { ActionClick(); };
    FileFormat.OnClick = [this] { FileFormatClick(); };
    JPEGQuality.OnChange = [this] { JPEGQualityChange(&JPEGQuality); };
    EmailJPEGQuality.OnChange = [this] { JPEGQualityChange(&EmailJPEGQuality); };
    tbBitmap.OnChange = [this] { tbBitmapChange(); };

    onMessage(WM_HOTKEY, [this](WPARAM id, LPARAM) {
        if (std::ranges::find(HotKeyIds, static_cast<int>(id)) != std::end(HotKeyIds)) {
            activateUnlessSelecting();
        }
        return 0;
    });
    onMessage(WM_WAKEUP, [this](WPARAM, LPARAM) {
        activateUnlessSelecting();
        return 0;
    });
    // A program that held a Print Screen key may have let go of it, or Windows' own use of the
    // key may just have been switched off.
    onMessage(WM_SETTINGCHANGE, [this](WPARAM, LPARAM) {
        HotKeys->retryRefused();
        return 0;
    });
    // The user already said yes to the removal of the whole program.
    onMessage(WM_SHUTDOWN_NOW, [this](WPARAM, LPARAM) {
        ShutDownRequested = true;
        close();
        return 0;
    });
    // The resident program never holds up a log-off or shut-down.
    onMessage(WM_QUERYENDSESSION, [](WPARAM, LPARAM) { return 1; });
    onMessage(WM_ENDSESSION, [this](WPARAM endingNow, LPARAM) {
        if (endingNow) {
            ShutDownRequested = true;
            close();
        }
        return 0;
    });
}

void TfmKestrelPrintScreen::FormCreate() {
    Credits.setLines(formatCredits(designCreditsLines(), ExeInfo.FileVersion, ExeInfo.LegalCopyright));
    HotKeys = std::make_unique<PrintScreenKeys>(handle());
    Snapshot = ScreenSnapshot();
    SelectedRect = {0, 0, 0, 0};
    win::Application::setHintTiming(1500, 15000);
    LastShowTick = 0;
    LoadingSettings = true;
    ActionClick();
    win::Application::setHelpFile(win::Application::exeDirectory() + "VANTAROPRINTSCREEN.HLP");
    LoadProperty(MainMenu1.item("ShowCheatSheet1"), settings::ShowCheatSheet);
    tellAboutHeldKeys();
    if (firstArgumentIsFirstRun()) PostMessageW(handle(), WM_WAKEUP, 0, 0);
}

void TfmKestrelPrintScreen::FormDestroy() {
    Destroying = true;
    // The outline may still be marching over the miniature, which goes with this window.
    if (fmAnimatedRectangle) fmAnimatedRectangle->StopOutline();
    Storage.save();
    HotKeyNotice.reset();
    HotKeys.reset();
    releaseSnapshot();
}

void TfmKestrelPrintScreen::ShowCapture() {
    win::steptimes::stamp("activation: begins");
    using options::ScreenToCaptureChoice;
    const ScreenToCaptureChoice choice = screenToCaptureChoice(ReadInteger(settings::ScreenToCapture));
    const CapturedScreen captured = GetCapturedScreen(choice);
    // The window comes up where the user looks: on the monitor under the pointer when that one
    // is captured, else over the primary screen as always.
    const bool onCapturedMonitor = choice == ScreenToCaptureChoice::UnderPointer;
    const AreaRect workArea = onCapturedMonitor ? captured.workArea : GetWorkAreaRect();
    const int height = std::max<int>(workArea.Bottom - workArea.Top, scaled(kMinimumSize.cy));
    SetWindowPos(handle(), nullptr, 0, 0, bounds().width, height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const win::Box monitor = paMonitor.bounds();
    const int width = monitor::windowWidthForMonitor(monitor.width, monitor.height, paBottom.bounds().top,
                                                     scaled(monitor::kSideMargins));
    const int left = (onCapturedMonitor ? workArea.Left : 0) + monitor::windowLeftOverWorkArea(workArea, width);
    if (!visible()) setScreenBounds({left, workArea.Top, width, height});
    win::steptimes::stamp("activation: sized and placed");

    // Taken while the window is still hidden, so the picture never contains it; the foreground
    // window is read before this window comes to the front.
    // A filter still reading the previous snapshot ends before the capture overwrites it.
    SmoothMiniature.forget();
    try {
        testaids::failCaptureOnRequest();
        CaptureScreen(Snapshot, captured.bounds);
    } catch (...) {
        // A window that stays hidden keeps nothing running and no half-taken picture.
        if (!visible()) HideCapture();
        throw;
    }
    win::steptimes::stamp("activation: screen captured");
    AllRect = captured.bounds;
    WorkAreaRect = captured.workArea;
    ForegroundRect = GetForegroundWindowRect(AllRect);
    ForegroundTitle = GetForegroundWindowTitle();
    win::steptimes::stamp("activation: areas read");

    if (visible()) {
        DrawPreview();
    } else {
        // The smooth miniature is filtered on another processor while the window is being
        // shown, and drawn with its outline as the image's first paint begins (finishMiniature),
        // so that paint shows it; a quick miniature now would never be seen. The image already
        // has the size the window was just given.
        SmoothMiniature.prepare(Snapshot, ExampleImage.clientWidth(), ExampleImage.clientHeight());
    }
    win::steptimes::stamp("activation: miniature under way");
    if (!previewShowing()) buMonitorPowerClick();
    show();
    win::steptimes::stamp("activation: shown");
    BringWindowToTop(handle());
    SetForegroundWindow(handle());
    if (MainMenu1.item("ShowCheatSheet1").checked()) cheatSheet().show();
    win::steptimes::stamp("activation: in front, card shown");
    finishMiniature();  // where showing painted nothing yet
}

CallOuts& TfmKestrelPrintScreen::callOutFrames() {
    if (!CallOutFrames) CallOutFrames = std::make_unique<CallOuts>(*this);
    return *CallOutFrames;
}

void TfmKestrelPrintScreen::finishMiniature() {
    if (!SmoothMiniature.pending()) return;
    outlineChosenArea();
    win::steptimes::stamp("activation: miniature and outline drawn");
}

void TfmKestrelPrintScreen::tellAboutHeldKeys() {
    if (ReadBool(settings::HotKeyNoticeOff)) return;
    const hotkeys::Notice notice = hotkeys::noticeFor({HotKeys->refused(), windowsTakesPrintScreen()});
    if (!notice.show) return;
    // Not modal: the program is usable at once, and a second start wakes it whatever the keys.
    HotKeyNotice = std::make_unique<TfmHotKeyNotice>(notice);
    HotKeyNotice->show();
}

void TfmKestrelPrintScreen::activateUnlessSelecting() {
    // Whatever held a key may have let go of it since.
    HotKeys->retryRefused();
    // The selection covers the screen with the frozen picture, so a snapshot taken now would
    // only photograph that picture, outline and all, and the selection would go on over it.
    if (fmSelectedArea && fmSelectedArea->selecting()) return;
    ShowCapture();
}

void TfmKestrelPrintScreen::HideCapture() {
    // A selection still open over the screen would go on drawing its outline for a window no
    // one sees; it ends as cancelled once its loop looks again.
    if (fmSelectedArea && fmSelectedArea->selecting()) fmSelectedArea->CancelSelection();
    // The credits' timer thread would go on drawing every 15 ms while hidden; the next showing
    // starts with the miniature anyway.
    if (!previewShowing()) buMonitorPowerClick();
    fmAnimatedRectangle->StopOutline();
    if (fmCheatSheet) fmCheatSheet->hide();
    releaseSnapshot();
    hide();
}

void TfmKestrelPrintScreen::FormShow() {
    const std::string policyText = ReadString(settings::ResetToDefaultsAfter);
    const auto minutes = ini::parseInteger(ReadString(settings::SpecifiedTime));
    if (policy::reloadsOnShow(policyText, {LastShowTick, GetTickCount64()}, minutes)) LoadPanelSettings();
    win::steptimes::stamp("showing: reset policy applied");
    // What FormResize does but the quick miniature, which the smooth one drawn after the
    // showing replaces before anything is painted.
    fitMonitorToWidth();
    ScreenAreaClick();
    win::steptimes::stamp("showing: laid out");
    LastShowTick = GetTickCount64();
    applySavingRule();
    // The miniature and the outline follow as the image first paints (finishMiniature), while
    // the filter runs beside the showing.
    ActionClick();
    win::steptimes::stamp("showing: panel refreshed");
}

void TfmKestrelPrintScreen::Defaults1Click() {
    // A fresh dialog each time, gone again however it closes.
    TfmDefaults dialog(handle());
    dialog.showModal();
}

void TfmKestrelPrintScreen::Printing1Click() {
    // A fresh dialog each time, gone again however it closes.
    TfmPrintingOptions dialog(handle());
    dialog.showModal();
}

void TfmKestrelPrintScreen::General1Click() {
    // A fresh dialog each time, gone again however it closes.
    TfmGeneralOptions dialog(handle());
    dialog.showModal();
}

void TfmKestrelPrintScreen::About1Click() {
    // A fresh box each time, gone again however it closes, its credits stopped with it.
    TfmAboutBox dialog(handle(), Credits.lines());
    dialog.showModal();
}

void TfmKestrelPrintScreen::FormResize() {
    if (Destroying) return;
    cutSelectButtonHole();
    fitMonitorToWidth();
    DrawPreview();
    ScreenAreaClick();
}

void TfmKestrelPrintScreen::fitMonitorToWidth() {
    const monitor::Fit fit = monitor::fitMonitor(clientWidth(), paBottom.bounds().top, scaled(monitor::kSideMargins));
    paMonitor.setBounds({fit.left, paMonitor.bounds().top, fit.width, fit.height});
}

bool TfmKestrelPrintScreen::FormCloseQuery() {
    if (ShutDownRequested) {
        Storage.save();
        return true;
    }
    HideCapture();
    return false;
}

void TfmKestrelPrintScreen::FormMouseDown(const win::MouseEvent& event) {
    // A hidden way out for the developer: Ctrl+double-click on the bare window ends the program.
    if (event.ctrl && event.doubleClick) {
        ShutDownRequested = true;
        close();
    }
}

void TfmKestrelPrintScreen::buCancelClick() { HideCapture(); }

void TfmKestrelPrintScreen::Close1Click() { HideCapture(); }

void TfmKestrelPrintScreen::Exit1Click() {
    const int answer = win::showMessageDialog(
        handle(), {.text = kShutDownWarning,
                   .caption = "Warning",
                   .kind = win::DialogKind::Warning,
                   .buttons = {{"&Yes", IDYES}, {"&No", IDNO}},
                   .defaultResult = IDYES,
                   .cancelResult = IDNO});
    if (answer == IDYES) {
        ShutDownRequested = true;
        close();
    }
}

void TfmKestrelPrintScreen::buMonitorPowerClick() {
    ExampleImage.setVisible(!ExampleImage.visible());
    Credits.setVisible(!Credits.visible());
    Credits.setActive(Credits.visible());
    paMonitorIndicator.setColor(previewShowing() ? kPowerOff : kPowerOn);
}

bool TfmKestrelPrintScreen::previewShowing() const { return paMonitorIndicator.color() == kPowerOn; }

void TfmKestrelPrintScreen::releaseSnapshot() {
    SmoothMiniature.forget();  // first: a filter may still be reading the snapshot
    Snapshot = ScreenSnapshot();
    // The miniature shown goes with the snapshot it shows: a few MiB at today's screen sizes
    // that a hidden program would otherwise keep all day. The next showing draws it afresh.
    ExampleImage.setPicture(win::Bitmap());
}

void TfmKestrelPrintScreen::DrawPreview() { drawQuickPreview(Snapshot, ExampleImage); }

void TfmKestrelPrintScreen::ScreenAreaClick() {
    applySavingRule();
    if (visible()) {
        outlineChosenArea();
    } else if (fmAnimatedRectangle) {
        // A hidden window keeps no outline worker running (a resize before a failed capture, the
        // end of a selection cancelled by a hide); showing the window outlines the area again.
        fmAnimatedRectangle->StopOutline();
    }
}

void TfmKestrelPrintScreen::outlineChosenArea() {
    if (!fmAnimatedRectangle) return;  // still starting up: nothing to outline yet
    fmAnimatedRectangle->StopOutline();
    SmoothMiniature.draw(Snapshot, ExampleImage);
    const int w = ExampleImage.clientWidth();
    const int h = ExampleImage.clientHeight();
    using options::indexOf;
    using options::ScreenAreaChoice;
    switch (ScreenArea.itemIndex()) {
        case indexOf(ScreenAreaChoice::All):
            fmAnimatedRectangle->StartOutline({0, 0, w - 1, h - 1}, ExampleImage);
            break;
        case indexOf(ScreenAreaChoice::WorkArea): HighlightArea(WorkAreaRect); break;
        case indexOf(ScreenAreaChoice::Foreground): HighlightArea(ForegroundRect); break;
        case indexOf(ScreenAreaChoice::Selected): HighlightArea(SelectedRect); break;
        default: break;
    }
}

void TfmKestrelPrintScreen::HighlightArea(const AreaRect& area) {
    // A selection made over another monitor in an earlier activation shows only where it
    // overlaps this capture.
    const AreaRect r = ScreenToPreviewRect(clipToArea(area, AllRect), AllRect, ExampleImage.clientWidth(),
                                           ExampleImage.clientHeight());
    fmAnimatedRectangle->StartOutline({r.Left, r.Top, r.Right, r.Bottom}, ExampleImage);
}

}  // namespace vps
