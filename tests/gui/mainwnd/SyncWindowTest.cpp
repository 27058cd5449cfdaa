// The sync as the user meets it in the main window, against the real servers: set up
// on the Preferences page and started with its "Sync Now", the status line's end, the
// questions (a refused password told once, a certificate trusted), and a window that
// keeps answering while a sync runs.
#include "fakes/TestDavServers.h"
#include "gui/mainwnd/MainWindowHost.h"
#include "sync/SyncPassword.h"
#include "sync/Xbel.h"
#include <prsht.h>
#include <atomic>
#include <thread>

namespace {

class SyncWindowOnServers : public MainWindowTest {
protected:
    void SetUp() override {
        servers = FindTestDavServers();
        if (!servers) GTEST_SKIP() << "no WebDAV servers started for this run";
        MainWindowTest::SetUp();
        seams.PinClock(2026, 3, 4, 12, 34, 0);
    }
    void TearDown() override {
        if (servers) DeleteSyncPassword(servers->reference.url);
        MainWindowTest::TearDown();
    }
    // What the user would have entered on the page, written as the page writes it.
    void Configure(const TestDavServer& server, const std::wstring& password, const std::wstring& thumbprint = {}) {
        settings.WriteSyncSettings({server.url, servers->user, file, 0, 15, false, thumbprint});
        SaveSyncPassword(server.url, servers->user, password);
    }
    // Until the status line's end tells how the sync went.
    bool WaitForSync(DWORD ms = 30000) {
        const ULONGLONG until = GetTickCount64() + ms;
        while (GetTickCount64() < until) {
            Pump();
            if (window->Sync().Busy() || Text(IDC_SYNC_STATUS) == L"Syncing...") {
                Sleep(10);
                continue;
            }
            return true;
        }
        return false;
    }
    static std::string ServerFile(const std::vector<std::pair<std::wstring, std::wstring>>& marks) {
        SyncTree tree;
        for (const auto& m : marks)
            tree.root.children.push_back({SyncItem::Kind::Bookmark, std::to_string(++tree.highestId), m.first, m.second, {}});
        return WriteXbel(tree);
    }
    std::vector<std::wstring> TopFavorNames() {
        std::vector<FavorRecord> favors;
        store.LoadFavors(0, favors);
        std::vector<std::wstring> names;
        for (const FavorRecord& f : favors) names.push_back(f.name);
        return names;
    }

    const TestDavServers* servers = nullptr;
    const std::wstring file = UniqueDavFileName();
};

}  // namespace

TEST_F(SyncWindowOnServers, SetUpOnThePageAndSyncedWithItsButton) {
    const TestDavServer& server = servers->reference;
    ASSERT_TRUE(PutDavFile(server, file, ServerFile({{L"from the server", L"https://server.example/"}})));
    AddFavor(L"from here", L"https://here.example/", 0);
    Open();
    std::wstring resultLine;
    fw::SetModalHook([&](HWND sheet) {
        PropSheet_SetCurSel(sheet, nullptr, 2);
        HWND page = PropSheet_GetCurrentPageHwnd(sheet);
        SetDlgItemTextW(page, IDC_SYNC_URL, server.url.c_str());
        SetDlgItemTextW(page, IDC_SYNC_USER, servers->user.c_str());
        SetDlgItemTextW(page, IDC_SYNC_PASSWORD, servers->password.c_str());
        SetDlgItemTextW(page, IDC_SYNC_FILE, file.c_str());
        if (!server.thumbprint.empty()) seams.QueueAnswer(IDYES);  // https: the test's own certificate
        SendDlgItemMessageW(page, IDC_SYNC_NOW, BM_CLICK, 0, 0);
        WaitForSync();
        resultLine = fw::WindowText(GetDlgItem(page, IDC_SYNC_RESULT));
        PostMessageW(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    });
    Command(IDM_PREFERENCES);
    WaitForSync();  // a sync that began as the sheet closed ends first
    EXPECT_EQ(L"Synced 12:34", resultLine);
    EXPECT_EQ(L"Synced 12:34", Text(IDC_SYNC_STATUS));
    EXPECT_EQ((std::vector<std::wstring>{L"from here", L"from the server"}), TopFavorNames());
    const std::string written = ReadDavFile(server, file);
    EXPECT_NE(std::string::npos, written.find("from here"));
    // The password went to Credential Manager only.
    EXPECT_EQ(servers->password, LoadSyncPassword(server.url).value_or(L""));
    wchar_t kept[256] = {};
    GetPrivateProfileSectionW(L"Sync", kept, 256, IniPath().c_str());
    for (const wchar_t* p = kept; *p; p += wcslen(p) + 1) EXPECT_EQ(std::wstring::npos, std::wstring(p).find(servers->password));
    EXPECT_EQ(server.thumbprint, settings.ReadSyncSettings().trustedCertificate);
}

TEST_F(SyncWindowOnServers, AnAutomaticSyncComesOnceTheWindowIsUp) {
    ASSERT_TRUE(PutDavFile(servers->reference, file, ServerFile({{L"from the server", L"https://server.example/"}})));
    Configure(servers->reference, servers->password, servers->reference.thumbprint);
    SyncSettings s = settings.ReadSyncSettings();
    s.enabled = true;
    settings.WriteSyncSettings(s);
    Open();
    const ULONGLONG until = GetTickCount64() + 20000;
    while (Text(IDC_SYNC_STATUS).rfind(L"Synced", 0) != 0 && GetTickCount64() < until) {
        Pump();
        Sleep(10);
    }
    EXPECT_EQ(L"Synced 12:34", Text(IDC_SYNC_STATUS));
    EXPECT_EQ(std::vector<std::wstring>{L"from the server"}, TopFavorNames());
}

TEST_F(SyncWindowOnServers, ARefusedPasswordIsToldOnceAndACertificateTrustedOnlyWhenTheUserSaysSo) {
    Configure(servers->reference, L"wrong");
    settings.WriteSyncSettings({servers->reference.url, servers->user, file, 0, 15, true, servers->reference.thumbprint});
    Open();
    Command(IDM_SYNC_NOW);
    ASSERT_TRUE(WaitForSync());
    EXPECT_EQ(0u, Text(IDC_SYNC_STATUS).rfind(L"Not synced: ", 0));
    ASSERT_EQ(1u, seams.Messages().size());
    EXPECT_NE(std::wstring::npos, seams.Messages()[0].text.find(L"refused the user name or password"));
    SendMessageW(Main(), WM_TIMER, CSyncCommands::kIntervalTimer, 0);  // the next automatic turn: not tried
    ASSERT_TRUE(WaitForSync());
    EXPECT_EQ(1u, seams.Messages().size());

    // An https server with a certificate nobody trusts: asked, refused, then trusted.
    seams.Clear();
    Configure(servers->apacheHttps, servers->password);
    window->Sync().SettingsChanged();
    seams.QueueAnswer(IDNO);
    Command(IDM_SYNC_NOW);
    ASSERT_TRUE(WaitForSync());
    ASSERT_EQ(1u, seams.Messages().size());
    EXPECT_NE(std::wstring::npos, seams.Messages()[0].text.find(servers->apacheHttps.thumbprint));
    EXPECT_EQ(L"", settings.ReadSyncSettings().trustedCertificate);
    EXPECT_FALSE(DavFileExists(servers->apacheHttps, file));
    seams.QueueAnswer(IDYES);
    Command(IDM_SYNC_NOW);
    ASSERT_TRUE(WaitForSync());
    EXPECT_EQ(servers->apacheHttps.thumbprint, settings.ReadSyncSettings().trustedCertificate);
    EXPECT_EQ(L"Synced 12:34", Text(IDC_SYNC_STATUS));
    DeleteSyncPassword(servers->apacheHttps.url);
}

TEST_F(SyncWindowOnServers, ManyDeletionsAreAskedAboutFirst) {
    for (int i = 0; i < 10; ++i) AddFavor((L"f" + std::to_wstring(i)).c_str(), (L"https://f.example/" + std::to_wstring(i)).c_str(), 0);
    Configure(servers->reference, servers->password, servers->reference.thumbprint);
    Open();
    Command(IDM_SYNC_NOW);
    ASSERT_TRUE(WaitForSync());
    // Another client keeps only 3 of the 10.
    SyncTree kept;
    std::wstring why;
    ASSERT_TRUE(ReadXbel(ReadDavFile(servers->reference, file), kept, why));
    kept.root.children.resize(3);
    ASSERT_TRUE(PutDavFile(servers->reference, file, WriteXbel(kept)));
    seams.QueueAnswer(IDNO);
    Command(IDM_SYNC_NOW);
    ASSERT_TRUE(WaitForSync());
    ASSERT_EQ(1u, seams.Messages().size());
    EXPECT_NE(std::wstring::npos, seams.Messages()[0].text.find(L"delete 7 of the 10 favorites here"));
    EXPECT_EQ(10u, TopFavorNames().size());
    EXPECT_EQ(L"Not synced: it would delete 7 favorites", Text(IDC_SYNC_STATUS));
    seams.QueueAnswer(IDYES);
    Command(IDM_SYNC_NOW);
    ASSERT_TRUE(WaitForSync());
    EXPECT_EQ((std::vector<std::wstring>{L"f0", L"f1", L"f2"}), TopFavorNames());
    EXPECT_EQ(L"Synced 12:34", Text(IDC_SYNC_STATUS));
}

TEST_F(SyncWindowOnServers, TheWindowAnswersAndTheUsersEditCountsWhileASyncRuns) {
    std::vector<std::pair<std::wstring, std::wstring>> many;
    for (int i = 0; i < 3000; ++i) many.emplace_back(L"m" + std::to_wstring(i), L"https://many.example/" + std::to_wstring(i));
    ASSERT_TRUE(PutDavFile(servers->reference, file, ServerFile(many)));
    const int mine = AddFolder(L"Mine", 0);
    AddFavor(L"paper", L"https://paper.example/", mine);
    Configure(servers->reference, servers->password, servers->reference.thumbprint);
    Open();
    // Another thread sends the window a message every few milliseconds while the sync
    // works, and notes how long the slowest answer took.
    std::atomic<bool> done{false}, probing{true};
    std::atomic<DWORD> slowest{0};
    std::thread probe([&] {
        while (!done) {
            const ULONGLONG before = GetTickCount64();
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(Main(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
            slowest = std::max<DWORD>(slowest, static_cast<DWORD>(GetTickCount64() - before));
            Sleep(5);
        }
        probing = false;
    });
    Command(IDM_SYNC_NOW);
    // Meanwhile the user renames a favorite in the details pane.
    ClickFolder(mine);
    SelectRows({0});
    SetDlgItemTextW(Main(), IDC_DETAIL_NAME, L"morning paper");
    Command(IDC_SAVE_DETAILS);
    const bool ended = WaitForSync();
    done = true;
    while (probing) Pump();  // its last message still gets its answer
    probe.join();
    ASSERT_TRUE(ended);
    EXPECT_EQ(L"Synced 12:34", Text(IDC_SYNC_STATUS));
    EXPECT_EQ(3000u, TopFavorNames().size());
    EXPECT_NE(std::string::npos, ReadDavFile(servers->reference, file).find("morning paper"));
    EXPECT_LT(slowest.load(), 1000u);  // only the store's edits come on the window's thread, never the network
    EXPECT_EQ(L"Sync", window->Edits().UndoName());
}
