#include <gtest/gtest.h>

#include "TestSupport.h"
#include "settings/FormStorage.h"
#include "settings/UnicodeIniFile.h"
#include "settings/uIni.h"
#include "win/WideText.h"
#include "win/Form.h"
#include "win/Menu.h"
#include "win/RadioGroup.h"
#include "win/SaveDialog.h"
#include "win/TrackBar.h"

namespace vps {
namespace {

// A form with one control of each persisted kind, named as the main window names them.
class SettingsStore : public testing::Test {
public:
    test::FreshSettingsFile settings;
    win::Form form{{.className = "TSettingsTestForm", .name = "fmTest", .caption = "Settings",
                    .clientWidth = 300, .clientHeight = 200}};
    win::RadioGroup screenArea{form, {.name = "ScreenArea", .bounds = {0, 0, 150, 100}, .caption = "Area"},
                               {"A", "B", "C", "D"}, 0};
    win::TrackBar quality{form, {.name = "JPEGQuality", .bounds = {0, 110, 150, 25}}, {0, 4, 2, 15}};
    win::MainMenu menu{{{.name = "Options1", .caption = "&Options",
                         .items = {{.name = "PrintTitle", .caption = "Print &Title", .checked = true}}}}};
    win::MenuItem& printTitle = menu.item("PrintTitle");
    win::SaveDialog saveDialog{"SaveDialog"};
};

TEST_F(SettingsStore, SavesEachKindUnderTheControlsNameAndLoadsItBack) {
    screenArea.setItemIndex(2);
    quality.setPosition(4);
    printTitle.setChecked(false);
    saveDialog.InitialDir = "C:\\Pictures";
    SaveProperty(screenArea, "ItemIndex");
    SaveProperty(quality, "Position");
    SaveProperty(printTitle, "Checked");
    SaveProperty(saveDialog, "InitialDir", "TfmKestrelPrintScreen", "SaveDialog_InitialDir");
    EXPECT_EQ(ReadString("ScreenArea", "ItemIndex"), "2");
    EXPECT_EQ(ReadString("JPEGQuality", "Position"), "4");
    EXPECT_EQ(ReadString("PrintTitle", "Checked"), "0");
    EXPECT_EQ(ReadString("TfmKestrelPrintScreen", "SaveDialog_InitialDir"), "C:\\Pictures");

    screenArea.setItemIndex(0);
    quality.setPosition(0);
    printTitle.setChecked(true);
    LoadProperty(screenArea, "ItemIndex");
    LoadProperty(quality, "Position");
    LoadProperty(printTitle, "Checked");
    EXPECT_EQ(screenArea.itemIndex(), 2);
    EXPECT_EQ(quality.position(), 4);
    EXPECT_FALSE(printTitle.checked());
}

TEST_F(SettingsStore, StoredTextLoadsByTheIntegerRulesAndRanges) {
    struct Case {
        const char* file;
        int screenArea, quality;
        bool printTitle;
        std::vector<std::string> warnedValues;
    } cases[] = {
        {"[ScreenArea]\r\nItemIndex=1\r\n[JPEGQuality]\r\nPosition=0x3\r\n[PrintTitle]\r\nChecked=5\r\n", 1, 3, true, {}},
        {"[screenarea]\r\nITEMINDEX=2\r\n[printtitle]\r\nchecked=0\r\n", 2, 2, false, {}},
        {"[ScreenArea]\r\nItemIndex=9\r\n[JPEGQuality]\r\nPosition=9\r\n", 3, 4, true, {}},
        {"[ScreenArea]\r\nItemIndex=-7\r\n[JPEGQuality]\r\nPosition=-1\r\n", -1, 0, true, {}},
        {"[ScreenArea]\r\nItemIndex=({[Undefined]})\r\n", 0, 2, true, {}},
        {"[ScreenArea]\r\nItemIndex=abc\r\n[JPEGQuality]\r\nPosition=3\r\n", 0, 3, true, {"abc"}},
        {"[ScreenArea]\r\nItemIndex=\r\n[PrintTitle]\r\nChecked=yes\r\n", 0, 2, true, {"", "yes"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        test::FreshSettingsFile fresh;
        test::FreshSettingsFile::write(c.file);
        screenArea.setItemIndex(0);
        quality.setPosition(2);
        printTitle.setChecked(true);
        test::WarningRecorder warnings;
        LoadProperty(screenArea, "ItemIndex");
        LoadProperty(quality, "Position");
        LoadProperty(printTitle, "Checked");
        EXPECT_EQ(screenArea.itemIndex(), c.screenArea);
        EXPECT_EQ(quality.position(), c.quality);
        EXPECT_EQ(printTitle.checked(), c.printTitle);
        ASSERT_EQ(warnings.texts().size(), c.warnedValues.size());
        for (std::size_t i = 0; i < c.warnedValues.size(); ++i) {
            EXPECT_NE(warnings.texts()[i].find("\r\nValue:  " + c.warnedValues[i] + "\r\n"), std::string::npos)
                << warnings.texts()[i];
        }
    }
}

TEST_F(SettingsStore, TheWarningNamesFileSectionKeyAndValue) {
    test::FreshSettingsFile::write("[ScreenArea]\r\nItemIndex=abc\r\n");
    test::WarningRecorder warnings;
    LoadProperty(screenArea, "ItemIndex");
    ASSERT_EQ(warnings.texts().size(), 1u);
    EXPECT_EQ(warnings.texts()[0], "Invalid setting in " + SettingsFileName() +
                                       "\r\nSection:  ScreenArea\r\nKeyName:  ItemIndex\r\nValue:  abc\r\n"
                                       "This setting will be ignored.");
}

TEST_F(SettingsStore, ReadIntegerAndReadBool) {
    test::FreshSettingsFile::write("[S]\r\nhex=0x10\r\nword=ten\r\nzero=0\r\nempty=\r\n");
    EXPECT_EQ(ReadInteger("S", "hex", 7), 16);
    EXPECT_EQ(ReadInteger("S", "word", 7), 7);
    EXPECT_EQ(ReadInteger("S", "empty", 7), 7);
    EXPECT_EQ(ReadInteger("S", "missing", 7), 7);
    EXPECT_FALSE(ReadBool("S", "zero", true));
    EXPECT_TRUE(ReadBool("S", "hex", false));
    EXPECT_TRUE(ReadBool("S", "missing", true));
    EXPECT_EQ(ReadString("S", "missing"), "");
    EXPECT_EQ(ReadString("S", "missing", "fallback"), "fallback");
}

TEST_F(SettingsStore, ReadIntegerWithinReportsTextAndValuesOutsideItsRangeOnce) {
    struct Case {
        const char* stored;  // null: no such key
        int expected;
        bool warned;
    } cases[] = {
        {nullptr, 12, false}, {"14", 14, false},     {"1", 1, false},
        {"999", 999, false},  {"0", 12, true},       {"-1", 12, true},
        {"1000", 12, true},   {"132000000", 12, true}, {"999999999", 12, true},
        {"big", 12, true},    {"", 12, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(missing)");
        test::FreshSettingsFile fresh;
        if (c.stored) WriteString("ReportFontSize", "FontSize", c.stored);
        test::WarningRecorder warnings;
        EXPECT_EQ(ReadIntegerWithin("ReportFontSize", "FontSize", 1, 999, 12), c.expected);
        ASSERT_EQ(warnings.texts().size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_EQ(warnings.texts()[0], "Invalid setting in " + SettingsFileName() +
                                               "\r\nSection:  ReportFontSize\r\nKeyName:  "
                                               "FontSize\r\nValue:  " +
                                               c.stored + "\r\nThis setting will be ignored.");
        }
    }
}

TEST_F(SettingsStore, LongValuesReadBackCutAt2047Characters) {
    const std::string title(3000, 'T');
    WriteString("ReportTitle", "Text", title);
    EXPECT_EQ(ReadString("ReportTitle", "Text"), title.substr(0, 2047));
}

// Read as another start of the program would read them: straight from the file.
std::string readFromTheFile(const char* section, const char* key) {
    wchar_t value[512] = {};
    GetPrivateProfileStringW(win::wide(section).c_str(), win::wide(key).c_str(), L"", value, 512,
                             win::wide(test::FreshSettingsFile::path()).c_str());
    return win::narrow(value);
}

// What an earlier version, which read the file through the ANSI calls, gets.
std::string readAsEarlierVersions(const char* section, const char* key) {
    char value[512] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, test::FreshSettingsFile::path().c_str());
    return value;
}

// On an English system (code page 1252) the ANSI calls stored Cyrillic, CJK and emoji as
// question marks.
TEST_F(SettingsStore, AnyScriptIsKeptAcrossARestartInAFileEarlierVersionsStillRead) {
    const std::string title = "Отчёт Ωμέγα 報告 📷 Café";
    const std::string folder = "C:\\Users\\Дмитрий\\Снимки 表";
    WriteString("ReportTitle", "Text", title);
    saveDialog.InitialDir = folder;
    SaveProperty(saveDialog, "InitialDir", "TfmKestrelPrintScreen", "SaveDialog_InitialDir");
    WriteString("ScreenArea", "ItemIndex", "2");

    EXPECT_TRUE(test::FreshSettingsFile::bytes().starts_with("\xFF\xFE"));
    EXPECT_EQ(readFromTheFile("ReportTitle", "Text"), title);
    EXPECT_EQ(readFromTheFile("TfmKestrelPrintScreen", "SaveDialog_InitialDir"), folder);
    EXPECT_EQ(ReadString("ReportTitle", "Text"), title);
    saveDialog.InitialDir = "";
    LoadProperty(saveDialog, "InitialDir", "TfmKestrelPrintScreen", "SaveDialog_InitialDir");
    EXPECT_EQ(saveDialog.InitialDir, folder);

    // Everything an earlier version could express reaches it as before.
    EXPECT_EQ(readAsEarlierVersions("ScreenArea", "ItemIndex"), "2");
    EXPECT_EQ(GetPrivateProfileIntA("ScreenArea", "ItemIndex", -1, test::FreshSettingsFile::path().c_str()), 2);
    WriteString("ReportTitle", "Text", "Caf\u00e9 Print");
    EXPECT_EQ(readAsEarlierVersions("ReportTitle", "Text"), "Caf\xE9 Print");
}

// The bytes earlier versions (or the user's editor) left; each reads as written and, at the
// first write, becomes UTF-16 with everything else in it kept.
TEST_F(SettingsStore, AFileOfAnEarlierVersionReadsAsWrittenAndBecomesUnicodeAtTheFirstWrite) {
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"code page 1252", "[ReportTitle]\r\nText=Caf\xE9\r\n[ScreenArea]\r\nItemIndex=1\r\n"},
        {"UTF-8 with its mark", "\xEF\xBB\xBF[ReportTitle]\r\nText=Caf\xC3\xA9\r\n[ScreenArea]\r\nItemIndex=1\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::FreshSettingsFile fresh;
        test::FreshSettingsFile::write(c.bytes);
        if (c.bytes.starts_with("[")) {
            EXPECT_EQ(ReadString("ReportTitle", "Text"), "Café");
        }

        WriteString("PrintTitle", "Checked", "0");
        EXPECT_TRUE(test::FreshSettingsFile::bytes().starts_with("\xFF\xFE"));
        EXPECT_EQ(ReadString("ReportTitle", "Text"), "Café");
        EXPECT_EQ(ReadString("ScreenArea", "ItemIndex"), "1");
        EXPECT_EQ(ReadString("PrintTitle", "Checked"), "0");
        EXPECT_EQ(readAsEarlierVersions("ReportTitle", "Text"), "Caf\xE9");
        EXPECT_NE(test::FreshSettingsFile::contents().find("[ReportTitle]\r\nText=Café\r\n"), std::string::npos)
            << test::FreshSettingsFile::contents();
        // A value only Unicode holds stays now.
        WriteString("ReportTitle", "Text", "Кафе");
        EXPECT_EQ(readFromTheFile("ReportTitle", "Text"), "Кафе");
        EXPECT_FALSE(GetFileAttributesW(ini::conversionFileFor(win::wide(test::FreshSettingsFile::path())).c_str()) !=
                     INVALID_FILE_ATTRIBUTES);
    }
}

// Should the converted file fail to take the old one's place, the old file is all there is.
TEST_F(SettingsStore, AConversionThatFailsLeavesTheOldFileAsItWas) {
    const std::string old = "[ReportTitle]\r\nText=Caf\xE9\r\n[ScreenArea]\r\nItemIndex=1\r\n";
    test::FreshSettingsFile::write(old);
    // A folder where the converted file would be written.
    const std::wstring converting = ini::conversionFileFor(win::wide(test::FreshSettingsFile::path()));
    ASSERT_TRUE(CreateDirectoryW(converting.c_str(), nullptr));
    EXPECT_TRUE(ini::prepareUnicodeFile(win::wide(test::FreshSettingsFile::path())));
    EXPECT_EQ(test::FreshSettingsFile::bytes(), old);

    // The store still writes, as earlier versions did, and loses nothing the file held.
    WriteString("PrintTitle", "Checked", "0");
    RemoveDirectoryW(converting.c_str());
    EXPECT_EQ(ReadString("ReportTitle", "Text"), "Café");
    EXPECT_EQ(ReadString("ScreenArea", "ItemIndex"), "1");
    EXPECT_EQ(ReadString("PrintTitle", "Checked"), "0");
}

TEST_F(SettingsStore, AnUnknownPropertyDoesNothing) {
    SaveProperty(screenArea, "Colour");
    EXPECT_FALSE(test::FreshSettingsFile::exists());
    test::FreshSettingsFile::write("[ScreenArea]\r\nColour=abc\r\n");
    test::WarningRecorder warnings;
    LoadProperty(screenArea, "Colour");
    EXPECT_TRUE(warnings.texts().empty());
}

TEST_F(SettingsStore, AFailedWriteIsAnError) {
    // A folder where the file should be: no write can succeed, even for an administrator, who
    // would write a read-only file regardless.
    const std::string path = test::FreshSettingsFile::path();
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    try {
        SaveProperty(screenArea, "ItemIndex");
        ADD_FAILURE() << "writing the settings succeeded";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + SettingsFileName());
    }
    RemoveDirectoryA(path.c_str());
}

TEST_F(SettingsStore, FormStorageRestoresTheFolderAtEveryShowAndSavesOnceAfterARestore) {
    FormStorage storage("TfmKestrelPrintScreen", {{&saveDialog, "InitialDir"}});
    storage.save();  // never shown: nothing is written
    EXPECT_FALSE(test::FreshSettingsFile::exists());

    test::FreshSettingsFile::write("[TfmKestrelPrintScreen]\r\nSaveDialog_InitialDir=  C:\\Shots  \r\n");
    storage.restore();
    EXPECT_EQ(saveDialog.InitialDir, "C:\\Shots");

    saveDialog.InitialDir = " D:\\Later ";
    storage.save();
    EXPECT_EQ(ReadString("TfmKestrelPrintScreen", "FormVersion"), "0");
    EXPECT_EQ(ReadString("TfmKestrelPrintScreen", "SaveDialog_InitialDir"), "D:\\Later");

    saveDialog.InitialDir = "E:\\Again";
    storage.save();  // at most once after each restore
    EXPECT_EQ(ReadString("TfmKestrelPrintScreen", "SaveDialog_InitialDir"), "D:\\Later");
}

// A folder of 1,000 characters, handed to the system's Save dialog, crashed every BMP save; it
// stayed in the file, so every later start crashed again.
TEST_F(SettingsStore, FormStorageIgnoresAFolderLongerThanAPathCanHold) {
    struct Case {
        std::size_t length;
        bool kept;
    } cases[] = {{win::SaveDialog::kMaxFolderLength, true},
                 {win::SaveDialog::kMaxFolderLength + 1, false},
                 {1000, false},
                 {2047, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string stored = "C:\\" + std::string(c.length - 3, 'd');
        test::FreshSettingsFile::write("[TfmKestrelPrintScreen]\r\nSaveDialog_InitialDir=" + stored + "\\\r\n");
        FormStorage storage("TfmKestrelPrintScreen", {{&saveDialog, "InitialDir"}});
        saveDialog.InitialDir = "C:\\Current\\";
        storage.restore();
        EXPECT_EQ(saveDialog.InitialDir, c.kept ? stored + "\\" : "C:\\Current\\");
    }
}

// The folder was read back at every show but written only at shut-down: a show after a save
// into another folder took the dialog back to the folder of the start.
TEST_F(SettingsStore, FormStorageKeepsAValueTheProgramChangedSinceTheLastRestore) {
    test::FreshSettingsFile::write("[TfmKestrelPrintScreen]\r\nSaveDialog_InitialDir=C:\\A\\\r\n");
    FormStorage storage("TfmKestrelPrintScreen", {{&saveDialog, "InitialDir"}});
    storage.restore();
    EXPECT_EQ(saveDialog.InitialDir, "C:\\A\\");

    saveDialog.InitialDir = "C:\\B\\";
    for (int show = 0; show < 2; ++show) {
        storage.restore();
        EXPECT_EQ(saveDialog.InitialDir, "C:\\B\\") << "show " << show;
    }
    // Back in the folder the file holds: the file has its say again.
    saveDialog.InitialDir = "C:\\A\\";
    test::FreshSettingsFile::write("[TfmKestrelPrintScreen]\r\nSaveDialog_InitialDir=C:\\Edited\\\r\n");
    storage.restore();
    EXPECT_EQ(saveDialog.InitialDir, "C:\\Edited\\");

    storage.save();
    EXPECT_EQ(ReadString("TfmKestrelPrintScreen", "SaveDialog_InitialDir"), "C:\\Edited\\");
}

TEST_F(SettingsStore, FormStorageSkipsValuesOfAnUnknownFormVersion) {
    test::FreshSettingsFile::write(
        "[TfmKestrelPrintScreen]\r\nFormVersion=-1\r\nSaveDialog_InitialDir=C:\\Shots\r\n");
    FormStorage storage("TfmKestrelPrintScreen", {{&saveDialog, "InitialDir"}});
    saveDialog.InitialDir = "C:\\Current";
    storage.restore();
    EXPECT_EQ(saveDialog.InitialDir, "C:\\Current");
}

}  // namespace
}  // namespace vps
