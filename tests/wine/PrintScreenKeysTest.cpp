#include <gtest/gtest.h>

#include <memory>

#include "TestSupport.h"
#include "app/AppWindows.h"
#include "app/PrintScreenKeys.h"
#include "guidance/WindowsPrintScreenSetting.h"
#include "settings/uGeneralOptions.h"
#include "win/Application.h"

namespace vps {
namespace {

// Another program's hold on Print Screen alone, as a cloud-storage client takes it.
class PrintScreenHolder {
public:
    PrintScreenHolder()
        : window_(CreateWindowExA(0, "STATIC", "holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr)) {
        held_ = RegisterHotKey(window_, 1, 0, VK_SNAPSHOT);
    }
    ~PrintScreenHolder() {
        release();
        DestroyWindow(window_);
    }
    bool held() const { return held_; }
    void release() {
        if (held_) UnregisterHotKey(window_, 1);
        held_ = false;
    }

private:
    HWND window_;
    bool held_ = false;
};

// Windows 11's own use of Print Screen, switched for the test's user and removed afterwards.
class WindowsSettingValue {
public:
    explicit WindowsSettingValue(DWORD value) {
        RegSetKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Keyboard",
                        "PrintScreenKeyForSnippingEnabled", REG_DWORD, &value, sizeof value);
    }
    ~WindowsSettingValue() {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Control Panel\\Keyboard",
                           "PrintScreenKeyForSnippingEnabled");
    }
    static DWORD read() {
        DWORD value = 99;
        DWORD size = sizeof value;
        RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Keyboard",
                     "PrintScreenKeyForSnippingEnabled", RRF_RT_REG_DWORD, nullptr, &value, &size);
        return value;
    }
};

TEST(PrintScreenKeys, AKeyHeldElsewhereIsRefusedUntilARetryFindsItFree) {
    PrintScreenHolder holder;
    ASSERT_TRUE(holder.held());
    HWND window = CreateWindowExA(0, "STATIC", "keys", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  nullptr, nullptr);
    {
        PrintScreenKeys keys(window);
        EXPECT_EQ(keys.refused(), (std::array<bool, 3>{true, false, false}));
        keys.retryRefused();
        EXPECT_EQ(keys.refused(), (std::array<bool, 3>{true, false, false}));
        holder.release();
        keys.retryRefused();
        EXPECT_EQ(keys.refused(), (std::array<bool, 3>{false, false, false}));
    }
    // Gone with its owner: another program can take every key again.
    EXPECT_TRUE(RegisterHotKey(window, 5, 0, VK_SNAPSHOT));
    EXPECT_TRUE(RegisterHotKey(window, 6, MOD_ALT, VK_SNAPSHOT));
    UnregisterHotKey(window, 5);
    UnregisterHotKey(window, 6);
    DestroyWindow(window);
}

class HotKeyNoticeAtStart : public testing::Test {
public:
    test::FreshSettingsFile settings;
    std::unique_ptr<AppWindows> windows;

    void start(const std::string& settingsText = "") {
        test::FreshSettingsFile::write("[ShowCheatSheet1]\r\nChecked=0\r\n" + settingsText);
        windows = std::make_unique<AppWindows>();
    }
    void TearDown() override {
        windows.reset();
        win::Application::resumeAfterTermination();
    }
    TfmHotKeyNotice* notice() const { return fmKestrelPrintScreen->HotKeyNotice.get(); }
};

TEST_F(HotKeyNoticeAtStart, NothingShowsWhileEveryKeyReachesTheProgram) {
    start();
    EXPECT_EQ(notice(), nullptr);
}

TEST_F(HotKeyNoticeAtStart, AHeldKeyIsNamedAndTakenBackAtTheNextWakeUp) {
    PrintScreenHolder holder;
    start();
    ASSERT_NE(notice(), nullptr);
    EXPECT_TRUE(IsWindowVisible(notice()->handle()));
    EXPECT_EQ(notice()->lbMessage.text().substr(0, notice()->lbMessage.text().find('\r')),
              "These keys do not reach Vantaro Print Screen: Print Screen.");
    EXPECT_FALSE(notice()->buTurnOffWindowsSetting.visible());

    holder.release();
    SendMessageA(fmKestrelPrintScreen->handle(), WM_WAKEUP, 0, 0);
    EXPECT_EQ(fmKestrelPrintScreen->HotKeys->refused(), (std::array<bool, 3>{false, false, false}));
}

TEST_F(HotKeyNoticeAtStart, ASettingsChangeRetriesTheHeldKeysWithoutAWakeUp) {
    PrintScreenHolder holder;
    start();
    holder.release();
    SendMessageA(fmKestrelPrintScreen->handle(), WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(fmKestrelPrintScreen->HotKeys->refused(), (std::array<bool, 3>{false, false, false}));
    EXPECT_FALSE(IsWindowVisible(fmKestrelPrintScreen->handle()));
}

TEST_F(HotKeyNoticeAtStart, DoNotTellMeAgainIsStoredAndKeepsTheNextStartQuiet) {
    PrintScreenHolder holder;
    start();
    ASSERT_NE(notice(), nullptr);
    SendMessageA(notice()->HotKeyNoticeOff.handle(), BM_CLICK, 0, 0);
    EXPECT_NE(test::FreshSettingsFile::contents().find("[HotKeyNoticeOff]\r\nChecked=1"),
              std::string::npos);

    windows.reset();
    win::Application::resumeAfterTermination();
    windows = std::make_unique<AppWindows>();
    EXPECT_EQ(notice(), nullptr);
}

TEST_F(HotKeyNoticeAtStart, WindowsOwnUseOfTheKeyOffersTheButtonThatTurnsItOff) {
    WindowsSettingValue on(1);
    ASSERT_TRUE(windowsTakesPrintScreen());
    start();
    ASSERT_NE(notice(), nullptr);
    EXPECT_TRUE(notice()->buTurnOffWindowsSetting.visible());
    EXPECT_NE(
        notice()->lbMessage.text().find("\"Use the Print screen key to open screen capture\""),
        std::string::npos);

    SendMessageA(notice()->buTurnOffWindowsSetting.handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(WindowsSettingValue::read(), 0u);
    EXPECT_FALSE(windowsTakesPrintScreen());
    EXPECT_FALSE(notice()->buTurnOffWindowsSetting.enabled());
}

class GeneralOptionsDialog : public testing::Test {
public:
    test::FreshSettingsFile settings;
};

TEST_F(GeneralOptionsDialog, ShowsTheStoredSwitchAndOnlyOkStoresIt) {
    test::FreshSettingsFile::write("[HotKeyNoticeOff]\r\nChecked=1\r\n");
    {
        TfmGeneralOptions dialog(nullptr);
        dialog.show();
        EXPECT_EQ(dialog.text(), "General Options");
        EXPECT_TRUE(dialog.HotKeyNoticeOff.checked());
        dialog.HotKeyNoticeOff.setChecked(false);
    }  // closed without OK
    EXPECT_NE(test::FreshSettingsFile::contents().find("Checked=1"), std::string::npos);

    TfmGeneralOptions dialog(nullptr);
    dialog.show();
    dialog.HotKeyNoticeOff.setChecked(false);
    dialog.buOK.click();
    EXPECT_NE(test::FreshSettingsFile::contents().find("[HotKeyNoticeOff]\r\nChecked=0"),
              std::string::npos);
}

}  // namespace
}  // namespace vps
