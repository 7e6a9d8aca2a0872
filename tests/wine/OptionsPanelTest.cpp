#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "app/AppWindows.h"
#include "settings/uIni.h"
#include "win/Application.h"

namespace vps {
namespace {

class OptionsPanel : public testing::Test {
public:
    test::FreshSettingsFile settings;
    std::unique_ptr<AppWindows> windows;
    TfmKestrelPrintScreen* main = nullptr;

    void start() {
        windows = std::make_unique<AppWindows>();
        main = fmKestrelPrintScreen;
    }
    void TearDown() override {
        windows.reset();
        win::Application::resumeAfterTermination();
    }
    // A click on one of a radio group's buttons, as the user makes it.
    void clickItem(win::RadioGroup& group, int index) {
        SendMessageA(group.button(index), BM_CLICK, 0, 0);
    }
    void pressMenu(const char* item) {
        SendMessageA(main->handle(), WM_COMMAND, MAKEWPARAM(main->MainMenu1.item(item).id(), 0), 0);
    }
};

TEST_F(OptionsPanel, FreshInstallationShowsTheDesignValuesWithoutAMessage) {
    test::WarningRecorder warnings;
    start();
    main->ShowCapture();
    EXPECT_EQ(main->ScreenArea.itemIndex(), 0);
    EXPECT_EQ(main->Action.itemIndex(), 2);
    EXPECT_EQ(main->FileFormat.itemIndex(), 0);
    EXPECT_EQ(main->JPEGQuality.position(), 2);
    EXPECT_EQ(main->EmailJPEGQuality.position(), 2);
    EXPECT_TRUE(main->FileFormat.enabled());
    EXPECT_TRUE(main->JPEGQuality.visible());
    EXPECT_FALSE(main->JPEGQuality.enabled());
    EXPECT_FALSE(main->EmailJPEGQuality.visible());
    EXPECT_FALSE(main->tbBitmap.visible());
    EXPECT_FALSE(main->lbQualityInfo.enabled());
    EXPECT_EQ(main->lbQualityInfo.text(), "Good");
    EXPECT_TRUE(warnings.texts().empty());
    EXPECT_FALSE(test::FreshSettingsFile::exists());
}

TEST_F(OptionsPanel, EachActionShowsAndEnablesItsControls) {
    start();
    struct Case {
        int action, format;
        bool formatOn, jpegShown, jpegOn, emailShown, labelOn;
        const char* label;
    } cases[] = {
        {0, 1, false, true, false, false, false, "Very Good"},
        {1, 1, false, true, false, false, false, "Very Good"},
        {2, 0, true, true, false, false, false, "Very Good"},
        {2, 1, true, true, true, false, true, "Very Good"},
        {3, 1, false, true, false, false, false, "Very Good"},
        {4, 1, false, false, false, true, true, "Excellent"},
    };
    main->JPEGQuality.setPosition(3);
    main->EmailJPEGQuality.setPosition(4);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "action " << c.action << ", format " << c.format);
        clickItem(main->FileFormat, c.format);
        clickItem(main->Action, c.action);
        EXPECT_EQ(main->FileFormat.enabled(), c.formatOn);
        EXPECT_EQ(main->JPEGQuality.visible(), c.jpegShown);
        EXPECT_EQ(main->JPEGQuality.enabled(), c.jpegOn);
        EXPECT_EQ(main->EmailJPEGQuality.visible(), c.emailShown);
        EXPECT_TRUE(main->EmailJPEGQuality.enabled());
        EXPECT_EQ(main->lbQualityInfo.enabled(), c.labelOn);
        EXPECT_EQ(main->lbQualityInfo.text(), c.label);
        EXPECT_FALSE(main->tbBitmap.visible());
    }
}

TEST_F(OptionsPanel, EachQualityBarKeepsItsOwnPosition) {
    start();
    clickItem(main->Action, 4);
    main->EmailJPEGQuality.setPosition(0);
    EXPECT_EQ(main->lbQualityInfo.text(), "Very Poor (Very Small File)");
    clickItem(main->Action, 2);
    EXPECT_EQ(main->JPEGQuality.position(), 2);
    EXPECT_EQ(main->lbQualityInfo.text(), "Good");
    main->tbBitmap.setPosition(1);
    EXPECT_EQ(main->lbQualityInfo.text(), "Monochrome");
}

TEST_F(OptionsPanel, ChoicesAreStoredAtOnceOnlyUnderThePolicyNever) {
    for (const char* policy : {"0", "1", "2", "3", "03"}) {
        SCOPED_TRACE(policy);
        test::FreshSettingsFile fresh;
        WriteString("ResetToDefaultsAfter", "ItemIndex", policy);
        start();
        main->ShowCapture();
        const std::string before = test::FreshSettingsFile::contents();
        clickItem(main->Action, 3);
        const bool never = std::string(policy) == "3";
        EXPECT_EQ(ReadString("Action", "ItemIndex"), never ? "3" : "");
        EXPECT_EQ(test::FreshSettingsFile::contents() != before, never);
        if (never) {
            for (const char* section : {"ScreenArea", "FileFormat"}) {
                EXPECT_EQ(ReadString(section, "ItemIndex"), "0") << section;
            }
            EXPECT_EQ(ReadString("JPEGQuality", "Position"), "2");
            EXPECT_EQ(ReadString("EmailJPEGQuality", "Position"), "2");
        }
        windows.reset();
    }
}

TEST_F(OptionsPanel, NothingIsStoredBeforeTheFirstLoad) {
    WriteString("ResetToDefaultsAfter", "ItemIndex", "3");
    WriteString("Action", "ItemIndex", "4");
    start();
    clickItem(main->FileFormat, 1);  // before the window was ever shown
    EXPECT_EQ(ReadString("Action", "ItemIndex"), "4");
    EXPECT_EQ(ReadString("FileFormat", "ItemIndex"), "");
}

TEST_F(OptionsPanel, TheFirstShowLoadsTheStoredChoices) {
    test::FreshSettingsFile::write(
        "[ScreenArea]\r\nItemIndex=2\r\n[Action]\r\nItemIndex=4\r\n[FileFormat]\r\nItemIndex=1\r\n"
        "[JPEGQuality]\r\nPosition=0x3\r\n[EmailJPEGQuality]\r\nPosition=9\r\n");
    start();
    main->ShowCapture();
    EXPECT_EQ(main->ScreenArea.itemIndex(), 2);
    EXPECT_EQ(main->Action.itemIndex(), 4);
    EXPECT_EQ(main->FileFormat.itemIndex(), 1);
    EXPECT_EQ(main->JPEGQuality.position(), 3);
    EXPECT_EQ(main->EmailJPEGQuality.position(), 4);
    EXPECT_TRUE(main->EmailJPEGQuality.visible());
    EXPECT_EQ(main->lbQualityInfo.text(), "Excellent");
}

TEST_F(OptionsPanel, ABadStoredValueWarnsOnceAndTheOthersStillLoad) {
    test::FreshSettingsFile::write(
        "[ScreenArea]\r\nItemIndex=abc\r\n[Action]\r\nItemIndex=3\r\n[FileFormat]\r\nItemIndex=1\r\n"
        "[JPEGQuality]\r\nPosition=1\r\n[EmailJPEGQuality]\r\nPosition=0\r\n");
    test::WarningRecorder warnings;
    start();
    main->ShowCapture();
    ASSERT_EQ(warnings.texts().size(), 1u);
    EXPECT_NE(warnings.texts()[0].find("Value:  abc"), std::string::npos);
    EXPECT_EQ(main->ScreenArea.itemIndex(), 0);
    EXPECT_EQ(main->Action.itemIndex(), 3);
    EXPECT_EQ(main->FileFormat.itemIndex(), 1);
    EXPECT_EQ(main->JPEGQuality.position(), 1);
    EXPECT_EQ(main->EmailJPEGQuality.position(), 0);
    main->HideCapture();
    main->ShowCapture();  // only the first show loads
    EXPECT_EQ(warnings.texts().size(), 1u);
}

TEST_F(OptionsPanel, AStoredNoChoiceIsAnInvalidValueAndTheDesignChoiceStays) {
    // -1 is what a list shows for "nothing chosen"; in the main window OK would then do nothing.
    struct Case {
        const char* section;
        win::RadioGroup TfmKestrelPrintScreen::*group;
        int designIndex;
    };
    for (const Case& c : {Case{"ScreenArea", &TfmKestrelPrintScreen::ScreenArea, 0},
                          Case{"Action", &TfmKestrelPrintScreen::Action, 2},
                          Case{"FileFormat", &TfmKestrelPrintScreen::FileFormat, 0}}) {
        SCOPED_TRACE(c.section);
        test::FreshSettingsFile::write(std::string("[") + c.section + "]\r\nItemIndex=-1\r\n");
        test::WarningRecorder warnings;
        start();
        main->ShowCapture();
        ASSERT_EQ(warnings.texts().size(), 1u);
        EXPECT_NE(warnings.texts()[0].find("Value:  -1"), std::string::npos);
        EXPECT_EQ((main->*c.group).itemIndex(), c.designIndex);
        main->HideCapture();
        TearDown();
    }
}

TEST_F(OptionsPanel, ASecondOkQueuedBehindTheFirstIsHeardAfterTheHideAndDoesNothing) {
    start();
    test::RecordedErrors errors;
    main->ShowCapture();
    main->Action.setItemIndex(3);  // Copy to Clipboard: carried out without a dialog
    for (int click = 0; click < 2; ++click) {
        PostMessageA(main->paBottom.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(main->buOK.handle()), BN_CLICKED),
                     reinterpret_cast<LPARAM>(main->buOK.handle()));
    }
    test::pumpMessagesFor(200);
    EXPECT_FALSE(main->visible());
    EXPECT_TRUE(errors.messages().empty()) << errors.messages().front();
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
}

TEST_F(OptionsPanel, ShowCheatSheetIsToggledStoredAndReadAtStart) {
    start();
    win::MenuItem& item = main->MainMenu1.item("ShowCheatSheet1");
    EXPECT_TRUE(item.checked());
    pressMenu("ShowCheatSheet1");
    EXPECT_FALSE(item.checked());
    EXPECT_EQ(ReadString("ShowCheatSheet1", "Checked"), "0");
    windows.reset();

    start();
    EXPECT_FALSE(main->MainMenu1.item("ShowCheatSheet1").checked());
    pressMenu("ShowCheatSheet1");
    EXPECT_EQ(ReadString("ShowCheatSheet1", "Checked"), "1");
    EXPECT_TRUE(IsWindowVisible(fmCheatSheet->handle()));
}

TEST_F(OptionsPanel, TheSaveFolderIsRestoredAtShowAndStoredAtShutDown) {
    test::FreshSettingsFile::write("[TfmKestrelPrintScreen]\r\nSaveDialog_InitialDir= C:\\Shots \r\n");
    start();
    main->ShowCapture();
    EXPECT_EQ(main->SaveDialog.InitialDir, "C:\\Shots");
    main->SaveDialog.InitialDir = "C:\\Elsewhere";
    SendMessageA(main->handle(), WM_ENDSESSION, 1, 0);
    EXPECT_EQ(ReadString("TfmKestrelPrintScreen", "SaveDialog_InitialDir"), "C:\\Elsewhere");
    EXPECT_EQ(ReadString("TfmKestrelPrintScreen", "FormVersion"), "0");
}

// The dialog's folder was read back from the file at every show, and the file is written only at
// shut-down: after a save into another folder, the next wake-up opened the dialog where the
// first save of the run went.
TEST_F(OptionsPanel, TheFolderOfTheLastSaveOutlivesTheNextWakeUp) {
    test::FreshSettingsFile::write("[TfmKestrelPrintScreen]\r\nSaveDialog_InitialDir=C:\\A\\\r\n");
    start();
    main->ShowCapture();
    EXPECT_EQ(main->SaveDialog.InitialDir, "C:\\A\\");
    main->SaveDialog.InitialDir = "C:\\B\\";  // as a save into B leaves it
    main->HideCapture();
    main->ShowCapture();
    EXPECT_EQ(main->SaveDialog.InitialDir, "C:\\B\\");
    SendMessageA(main->handle(), WM_ENDSESSION, 1, 0);
    EXPECT_EQ(ReadString("TfmKestrelPrintScreen", "SaveDialog_InitialDir"), "C:\\B\\");
}

TEST_F(OptionsPanel, AProgramNeverShownStoresNoFolder) {
    start();
    windows.reset();
    EXPECT_FALSE(test::FreshSettingsFile::exists());
}

TEST_F(OptionsPanel, TabOrderFollowsThePanel) {
    start();
    main->ShowCapture();
    clickItem(main->FileFormat, 1);  // JPEG, so the quality bar is enabled and takes the focus
    // Walk the tab stops from the screen-area group's first button.
    std::vector<HWND> order;
    HWND start = main->ScreenArea.button(0);
    HWND at = start;
    do {
        order.push_back(at);
        at = GetNextDlgTabItem(main->handle(), at, FALSE);
    } while (at && at != start && order.size() < 20);
    // Radio groups are entered at their checked button.
    const std::vector<HWND> expected = {
        main->ScreenArea.button(0), main->Action.button(2), main->FileFormat.button(1),
        main->buOK.handle(), main->buCancel.handle(), main->buSelect.handle(),
        main->JPEGQuality.handle(), main->buHelp.handle()};
    EXPECT_EQ(order, expected);
}

}  // namespace
}  // namespace vps
