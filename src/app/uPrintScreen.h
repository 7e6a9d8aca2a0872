// The main window TfmKestrelPrintScreen: creation, hot keys, activation (ShowCapture), hiding
// (HideCapture), closing and shutting down.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/PrintScreenKeys.h"
#include "capture/Preview.h"
#include "capture/ScreenSnapshot.h"
#include "core/AreaRect.h"
#include "guidance/CreditsScroller.h"
#include "guidance/ExeInfo.h"
#include "guidance/uHotKeyNotice.h"
#include "guidance/ufrNumLab.h"
#include "win/Button.h"
#include "win/Form.h"
#include "win/GroupBox.h"
#include "win/Image.h"
#include "win/Label.h"
#include "win/Menu.h"
#include "win/Panel.h"
#include "win/RadioGroup.h"
#include "win/SaveDialog.h"
#include "win/TrackBar.h"
#include "settings/FormStorage.h"
#include "settings/uIni.h"

namespace vps {

class CaptureBitmap;

// The private message a second start posts to wake the resident copy.
inline constexpr UINT WM_WAKEUP = WM_USER + 777;
// The private message with which "/UNINSTALL" ends the resident copy without its question.
inline constexpr UINT WM_SHUTDOWN_NOW = WM_USER + 778;

// Set once the user or Windows asks the program to end; a close of the main window then ends
// the program instead of hiding it.
inline bool ShutDownRequested = false;
// Set while the main window is being destroyed; resizing then does nothing.
inline bool Destroying = false;

// The resident main window: the hot keys, the frozen screen, the monitor drawing with its
// miniature and the options below it.
class TfmKestrelPrintScreen : public win::Form {
public:
    TfmKestrelPrintScreen();
    ~TfmKestrelPrintScreen() override;

    void ShowCapture();
    void HideCapture();

    // Capture state of the current activation.
    ScreenSnapshot Snapshot;
    SmoothPreview SmoothMiniature;
    AreaRect SelectedRect;
    // The screen area the snapshot was taken of, which "All" chooses: its top-left is the
    // snapshot's pixel (0, 0). All four rectangles are in screen coordinates.
    AreaRect AllRect;
    AreaRect ForegroundRect;
    AreaRect WorkAreaRect;
    std::string ForegroundTitle;
    // When the window was last shown, on the 64-bit tick count; 0 before the first show.
    unsigned long long LastShowTick = 0;
    bool LoadingSettings = false;

    TExeInfo ExeInfo;

    win::MainMenu MainMenu1;
    // The monitor drawing. Siblings that overlap are declared top first: the bezel and the foot
    // stand in front of the neck.
    win::Panel paMonitor;
    win::Panel Panel9;
    win::Panel Panel10;
    win::Image ExampleImage;
    CreditsScroller Credits;
    win::PushButton buMonitorPower;
    win::Panel paMonitorIndicator;
    win::Panel Panel12;
    win::Panel Panel8;
    // The options panel, in its tab order.
    win::Panel paBottom;
    win::RadioGroup ScreenArea;
    win::RadioGroup Action;
    win::RadioGroup FileFormat;
    win::PushButton buOK;
    win::PushButton buCancel;
    win::PushButton buSelect;
    win::GroupBox gbQuality;
    win::TrackBar JPEGQuality;
    win::TrackBar EmailJPEGQuality;
    win::TrackBar tbBitmap;
    win::Label lbQualityInfo;
    win::PushButton buHelp;

    // Its folder is kept across runs by the form storage.
    win::SaveDialog SaveDialog;
    FormStorage Storage;

    // The five numbered call-outs, hidden for the whole run; made at the first ask rather than
    // with the window, whose start would wait for their ten windows and shaped regions.
    CallOuts& callOutFrames();

    // Registered at creation; a key another program holds is tried again at every wake-up.
    std::unique_ptr<PrintScreenKeys> HotKeys;
    // Shown at start when a Print Screen key does not reach the program; open until closed.
    std::unique_ptr<TfmHotKeyNotice> HotKeyNotice;

    void LoadPanelSettings();
    void SavePanelSettings();

    void ActionClick();
    void FileFormatClick();
    void JPEGQualityChange(win::Window* sender);
    void tbBitmapChange();
    void ScreenAreaClick();
    void HighlightArea(const AreaRect& area);
    void buOKClick();
    void buSelectClick();

    // Set while an OK is being handled: a second OK only beeps.
    bool ActionBusy = false;

private:
    std::unique_ptr<CallOuts> CallOutFrames;  // see callOutFrames()

    void FormCreate();
    void FormDestroy();
    void FormShow();
    void FormResize();
    // The monitor drawing refitted to the window's width (its height follows).
    void fitMonitorToWidth();
    bool FormCloseQuery();
    void FormMouseDown(const win::MouseEvent& event);
    void buCancelClick();
    void Close1Click();
    void Exit1Click();
    void buMonitorPowerClick();
    void buHelpClick();
    void Contents1Click();
    void HowtoUseHelp1Click();
    void ExampleImageClick();
    void ShowCheatSheet1Click();
    void Defaults1Click();
    void Printing1Click();
    void General1Click();
    void About1Click();

    // Under the reset policy Never every change of a choice is stored at once.
    void applySavingRule();
    // The five choices the settings file keeps for this window, in the order they are stored.
    std::vector<StoredProperty> panelProperties();
    void buildSelectButton();
    void cutSelectButtonHole();
    const AreaRect& chosenArea() const;
    bool runAction(const CaptureBitmap& capture);
    std::string saveBaseName() const;

    // Draws the smooth miniature and starts the outline of the chosen area on it.
    void outlineChosenArea();
    void DrawPreview();
    void activateUnlessSelecting();
    void tellAboutHeldKeys();
    void releaseSnapshot();
    // Draws the miniature being filtered since the activation, with its outline; nothing when
    // none is under way.
    void finishMiniature();
    bool previewShowing() const;
    void bindEvents();
};

inline TfmKestrelPrintScreen* fmKestrelPrintScreen = nullptr;

}  // namespace vps
