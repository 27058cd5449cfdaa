#include "app/CAppSettings.h"
#include "framework/WindowDpi.h"
#include "logic/transfer/TransferTestFiles.h"
#include <gtest/gtest.h>

namespace {

class AppSettingsFile : public testing::Test {
protected:
    void SetUp() override { settings.SetFilePath(ini); }

    std::wstring RawValue(const wchar_t* section, const wchar_t* key) {
        wchar_t text[256] = {};
        GetPrivateProfileStringW(section, key, L"<missing>", text, 256, ini.c_str());
        return text;
    }
    void ExpectAllDefaults() {
        EXPECT_TRUE(settings.ReadBrowserMode());
        EXPECT_FALSE(settings.ReadTopMost());
        const int width = GetSystemMetrics(SM_CXFULLSCREEN);
        const int height = GetSystemMetrics(SM_CYFULLSCREEN);
        for (bool browser : {true, false}) {
            RECT r{1, 1, 1, 1};
            settings.ReadWindowRect(browser, r);
            const int dpi = fw::SystemDpi();
            const int w = fw::ScaleToDpi(browser ? 730 : 340, dpi), h = fw::ScaleToDpi(browser ? 520 : 400, dpi);
            EXPECT_EQ(r.left, (width - w) / 2);
            EXPECT_EQ(r.top, (height - h) / 2);
            EXPECT_EQ(r.right - r.left, w);
            EXPECT_EQ(r.bottom - r.top, h);
        }
        int most = 0, latest = 0;
        settings.ReadVisitListSizes(most, latest);
        EXPECT_EQ(most, 10);
        EXPECT_EQ(latest, 10);
        int keys[4] = {};
        settings.ReadHotkeys(keys[0], keys[1], keys[2], keys[3]);
        EXPECT_EQ(keys[0], 47);
        EXPECT_EQ(keys[1], 2);
        EXPECT_EQ(keys[2], 78);
        EXPECT_EQ(keys[3], 6);
    }

    ScratchFolder folder;
    std::wstring ini = folder / L"Tidemarker.ini";
    CAppSettings settings;
};

}  // namespace

TEST_F(AppSettingsFile, MissingFileGivesTheDefaults) {
    ExpectAllDefaults();
    EXPECT_FALSE(IsFile(ini));  // reading makes no file
}

TEST_F(AppSettingsFile, GarbledFileGivesTheDefaults) {
    ASSERT_TRUE(WriteBytes(ini, std::string("\xff\xfe\x00[Disp\x01lay\nIsBrowser\x00=0\n\x80\x81", 24)));
    ExpectAllDefaults();
    ASSERT_TRUE(WriteBytes(ini, "[General]\nIsBrowser=0\nTopMost=1\n[Display]\nMostVisitedItemCount=3\n"));
    ExpectAllDefaults();  // keys in the wrong sections
}

TEST_F(AppSettingsFile, NoFilePathReadsDefaultsAndWritesNothing) {
    CAppSettings unset;
    EXPECT_TRUE(unset.ReadBrowserMode());
    unset.WriteBrowserMode(false);
    unset.WriteHotkeys(1, 2, 3, 4);
    EXPECT_TRUE(unset.ReadBrowserMode());
}

TEST_F(AppSettingsFile, OnlyOneMeansOnForTheFlags) {
    // An empty value counts as missing: each flag keeps its default.
    struct Case { const char* stored; bool browser, topMost; };
    const Case cases[] = {{"1", true, true},     {"2", false, false},  {"0", false, false},
                          {"-1", false, false},  {"abc", false, false}, {"1abc", true, true},
                          {"", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stored '" << c.stored << "'");
        ASSERT_TRUE(WriteBytes(ini, std::string("[display]\nisbrowser=") + c.stored +
                                           "\ntopmost=" + c.stored + "\n"));
        EXPECT_EQ(settings.ReadBrowserMode(), c.browser);
        EXPECT_EQ(settings.ReadTopMost(), c.topMost);
    }
}

TEST_F(AppSettingsFile, FlagsAreWrittenAsOneOrZero) {
    settings.WriteBrowserMode(false);
    settings.WriteTopMost(true);
    EXPECT_EQ(RawValue(L"Display", L"IsBrowser"), L"0");
    EXPECT_EQ(RawValue(L"Display", L"TopMost"), L"1");
    EXPECT_FALSE(settings.ReadBrowserMode());
    EXPECT_TRUE(settings.ReadTopMost());
    settings.WriteBrowserMode(true);
    EXPECT_EQ(RawValue(L"Display", L"IsBrowser"), L"1");
}

TEST_F(AppSettingsFile, RectanglesKeepTheirFourNumbers) {
    ASSERT_TRUE(WriteBytes(ini, "[Display]\nBrowserPos=10:20\n"));
    RECT r{};
    settings.ReadWindowRect(true, r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 0);
    EXPECT_EQ(r.bottom, 0);

    settings.WriteWindowRect(true, RECT{-8, -8, 1288, 1002});
    settings.WriteWindowRect(false, RECT{100, 200, 400, 600});
    EXPECT_EQ(RawValue(L"Display", L"BrowserPos"), L"-8:-8:1288:1002");
    EXPECT_EQ(RawValue(L"Display", L"QuickPanelPos"), L"100:200:400:600");
    settings.ReadWindowRect(false, r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right, 400);
    EXPECT_EQ(r.bottom, 600);
}

TEST_F(AppSettingsFile, ARectangleOfAMonitorThatIsGoneComesBackOnScreen) {
    ASSERT_TRUE(WriteBytes(ini, "[Display]\nBrowserPos=-30000:-30000:-29200:-29440\n"));
    RECT r{};
    settings.ReadWindowRect(true, r);
    EXPECT_EQ(r.right - r.left, 800);
    EXPECT_EQ(r.bottom - r.top, 560);
    EXPECT_NE(MonitorFromRect(&r, MONITOR_DEFAULTTONULL), nullptr);
}

TEST_F(AppSettingsFile, NumbersAreWrittenAsDecimalsAndReadBack) {
    settings.WriteVisitListSizes(25, 0);
    settings.WriteHotkeys(0x70, 1 + 4, 0, 8);
    EXPECT_EQ(RawValue(L"General", L"MostVisitedItemCount"), L"25");
    EXPECT_EQ(RawValue(L"General", L"LatestVisitedItemCount"), L"0");
    EXPECT_EQ(RawValue(L"Hotkeys", L"Activate"), L"112");
    EXPECT_EQ(RawValue(L"Hotkeys", L"ActivateModifier"), L"5");
    int most = -1, latest = -1, keys[4] = {};
    settings.ReadVisitListSizes(most, latest);
    settings.ReadHotkeys(keys[0], keys[1], keys[2], keys[3]);
    EXPECT_EQ(most, 25);
    EXPECT_EQ(latest, 1);  // read back within 1..100, as Preferences accepts them
    EXPECT_EQ(keys[0], 112);
    EXPECT_EQ(keys[1], 5);
    EXPECT_EQ(keys[2], 0);   // 0 = no hotkey, not the default
    EXPECT_EQ(keys[3], 8);
}

// The menus' id ranges hold 101 entries: a hand-edited file cannot make longer lists.
TEST_F(AppSettingsFile, VisitListSizesAreReadWithinOneToAHundred) {
    for (const auto& [stored, read] : {std::pair{300, 100}, {-5, 1}, {0, 1}, {100, 100}, {1, 1}}) {
        settings.WriteVisitListSizes(stored, stored);
        int most = 0, latest = 0;
        settings.ReadVisitListSizes(most, latest);
        EXPECT_EQ(most, read) << stored;
        EXPECT_EQ(latest, read) << stored;
    }
}

TEST_F(AppSettingsFile, SyncSectionHasDefaultsAndKeepsNoPassword) {
    SyncSettings sync = settings.ReadSyncSettings();
    EXPECT_EQ(L"", sync.url);
    EXPECT_EQ(L"bookmarks.xbel", sync.file);
    EXPECT_EQ(15, sync.minutes);
    EXPECT_TRUE(sync.enabled);
    sync = {L"https://dav.example/bm/", L"ann", L"mine.xbel", 12, 3, false, L"AB12"};
    settings.WriteSyncSettings(sync);
    EXPECT_EQ(L"3", RawValue(L"Sync", L"Minutes"));  // written as given,
    EXPECT_EQ(5, settings.ReadSyncSettings().minutes);  // read within 5 to 1440
    EXPECT_EQ(L"0", RawValue(L"Sync", L"Enabled"));
    EXPECT_EQ(L"AB12", settings.ReadSyncSettings().trustedCertificate);
    EXPECT_EQ(12, settings.ReadSyncSettings().folder);
    WritePrivateProfileStringW(L"Sync", L"Minutes", L"99999", ini.c_str());
    EXPECT_EQ(1440, settings.ReadSyncSettings().minutes);
}
