#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "app/AppWindows.h"
#include "settings/uDefaults.h"
#include "settings/uIni.h"
#include "win/Application.h"

namespace vps {
namespace {

class DefaultsDialog : public testing::Test {
public:
    test::FreshSettingsFile settings;
    std::unique_ptr<TfmDefaults> dialog;

    TfmDefaults& open() {
        dialog = std::make_unique<TfmDefaults>(nullptr);
        dialog->show();
        return *dialog;
    }
};

TEST_F(DefaultsDialog, AFreshInstallationShowsTheDesignValuesWithTheIntervalRowOff) {
    TfmDefaults& d = open();
    EXPECT_EQ(d.ScreenArea.itemText(d.ScreenArea.itemIndex()), "All");
    EXPECT_EQ(d.Action.itemText(d.Action.itemIndex()), "Print to Default Printer");
    EXPECT_EQ(d.FileFormat.itemText(d.FileFormat.itemIndex()), "BMP - Bitmap");
    EXPECT_EQ(d.JPEGQuality.itemText(d.JPEGQuality.itemIndex()), "Good");
    EXPECT_EQ(d.EmailJPEGQuality.itemText(d.EmailJPEGQuality.itemIndex()), "Good");
    EXPECT_EQ(d.ResetToDefaultsAfter.itemText(d.ResetToDefaultsAfter.itemIndex()), "Restart");
    EXPECT_EQ(d.SpecifiedTime.value(), 1);
    EXPECT_FALSE(d.SpecifiedTime.enabled());
    EXPECT_FALSE(d.lbSpecifiedTime.enabled());
    EXPECT_FALSE(d.lbMinutes.enabled());
    EXPECT_EQ(d.text(), "Defaults");
}

TEST_F(DefaultsDialog, OnlySpecifiedTimeEnablesTheIntervalRow) {
    TfmDefaults& d = open();
    for (int policy : {2, 3, 2, 0}) {
        SendMessageA(d.ResetToDefaultsAfter.handle(), CB_SETCURSEL, static_cast<WPARAM>(policy), 0);
        SendMessageA(d.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(d.ResetToDefaultsAfter.handle()), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(d.ResetToDefaultsAfter.handle()));
        EXPECT_EQ(d.SpecifiedTime.enabled(), policy == 2) << policy;
        EXPECT_EQ(d.lbMinutes.enabled(), policy == 2) << policy;
    }
}

TEST_F(DefaultsDialog, OkWritesSevenKeysInPlaceAndCancelNone) {
    open();
    dialog.reset();  // Cancel: closing stores nothing
    EXPECT_FALSE(test::FreshSettingsFile::exists());

    test::FreshSettingsFile::write(
        "[ScreenArea]\r\nItemIndex=2\r\n[Action]\r\nItemIndex=3\r\n[FileFormat]\r\nItemIndex=1\r\n"
        "[JPEGQuality]\r\nPosition=4\r\n[EmailJPEGQuality]\r\nPosition=0\r\n"
        "[ResetToDefaultsAfter]\r\nItemIndex=2\r\n[SpecifiedTime]\r\nValue=45\r\n");
    const std::string before = test::FreshSettingsFile::contents();
    open().buOKClick();
    EXPECT_EQ(test::FreshSettingsFile::contents(), before);  // unchanged, the mail quality included
}

TEST_F(DefaultsDialog, AStoredIndexOutsideAListShowsNoSelectionAndStoresMinusOne) {
    test::FreshSettingsFile::write("[Action]\r\nItemIndex=7\r\n[ResetToDefaultsAfter]\r\nItemIndex=02\r\n");
    TfmDefaults& d = open();
    EXPECT_EQ(d.Action.itemIndex(), -1);
    EXPECT_EQ(d.ResetToDefaultsAfter.itemIndex(), 2);  // "02" reads as the number 2 here
    EXPECT_TRUE(d.SpecifiedTime.enabled());
    d.buOKClick();
    EXPECT_EQ(ReadString("Action", "ItemIndex"), "-1");
    EXPECT_EQ(ReadString("ResetToDefaultsAfter", "ItemIndex"), "2");
}

TEST_F(DefaultsDialog, TheIntervalStaysWithinOneTo99999) {
    TfmDefaults& d = open();
    struct Case {
        const char* typed;
        int value;
        const char* shownAfterLeaving;
    } cases[] = {{"0", 1, "1"}, {"250000", 99999, "99999"}, {"", 1, ""}, {"30", 30, "30"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        d.SpecifiedTime.setText(c.typed);
        EXPECT_EQ(d.SpecifiedTime.value(), c.value);
        SendMessageA(d.handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(d.SpecifiedTime.handle()), EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(d.SpecifiedTime.handle()));
        EXPECT_EQ(d.SpecifiedTime.text(), c.shownAfterLeaving);
    }
}

TEST_F(DefaultsDialog, TheMenuOpensAFreshDialogEachTimeAndLeavesNoneBehind) {
    auto windows = std::make_unique<AppWindows>();
    for (int round = 0; round < 2; ++round) {
        bool seen = false;
        test::whenWindowAppears("TfmDefaults", "Defaults", [&](HWND d) {
            seen = true;
            PostMessageA(test::findChildByCaption(d, "&Cancel"), BM_CLICK, 0, 0);
        });
        SendMessageA(fmKestrelPrintScreen->handle(), WM_COMMAND,
                     MAKEWPARAM(fmKestrelPrintScreen->MainMenu1.item("Defaults1").id(), 0), 0);
        EXPECT_TRUE(seen);
        EXPECT_EQ(FindWindowA("TfmDefaults", nullptr), nullptr);
    }
    EXPECT_FALSE(test::FreshSettingsFile::exists());
    windows.reset();
    win::Application::resumeAfterTermination();
}

class ResetPolicyOnShow : public testing::Test {
public:
    test::FreshSettingsFile settings;
    std::unique_ptr<AppWindows> windows = std::make_unique<AppWindows>();
    TfmKestrelPrintScreen& main = *fmKestrelPrintScreen;

    void TearDown() override {
        windows.reset();
        win::Application::resumeAfterTermination();
    }
    // Changes the action as the user would, hides the window, and shows it again after
    // `secondsLater` seconds have passed since the previous show.
    int actionAfterReshow(int secondsLater) {
        SendMessageA(main.Action.button(3), BM_CLICK, 0, 0);
        main.HideCapture();
        main.LastShowTick = GetTickCount64() - static_cast<unsigned long long>(secondsLater) * 1000;
        main.ShowCapture();
        return main.Action.itemIndex();
    }
};

TEST_F(ResetPolicyOnShow, WhenTheStoredChoicesComeBack) {
    struct Case {
        const char* policy;
        const char* minutes;
        int secondsLater;
        int expectedAction;  // 4 is the stored one, 3 the user's change
    } cases[] = {
        {"0", "", 3600, 3},  {"1", "", 1, 4},     {"2", "1", 59, 3}, {"2", "1", 61, 4},
        {"2", "", 290, 3},   {"2", "-5", 310, 4}, {"02", "1", 3600, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "policy " << c.policy << ", minutes '" << c.minutes << "', "
                                        << c.secondsLater << " s");
        WriteString("Action", "ItemIndex", "4");
        WriteString("ResetToDefaultsAfter", "ItemIndex", c.policy);
        WriteString("SpecifiedTime", "Value", c.minutes);
        main.ShowCapture();
        ASSERT_EQ(main.Action.itemIndex(), 4);
        EXPECT_EQ(actionAfterReshow(c.secondsLater), c.expectedAction);
        main.HideCapture();
        main.LastShowTick = 0;
    }
}

}  // namespace
}  // namespace vps
