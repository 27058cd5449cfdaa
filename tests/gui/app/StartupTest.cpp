#include "app/CAppSettings.h"
#include "app/FileSystem.h"
#include "app/InstanceSearch.h"
#include "app/ProgramPaths.h"
#include "app/Startup.h"
#include "app/StartupRecovery.h"
#include "backup/CBackups.h"
#include "fakes/TempFolder.h"
#include "fakes/FakeSeams.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include "ui/StoreProblems.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>

namespace {

// Runs the start-up from the temp folder as working directory with recording hooks; puts the
// working directory and the program folder's settings file back afterwards.
class StartupRun : public testing::Test {
protected:
    void SetUp() override {
        wchar_t cwd[MAX_PATH];
        GetCurrentDirectoryW(MAX_PATH, cwd);
        m_previousCwd = cwd;
        m_hadIni = MoveFileW(m_ini.c_str(), m_iniBackup.c_str());
        wchar_t temp[MAX_PATH];
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        ASSERT_TRUE(SetCurrentDirectoryW(temp));
        m_launchFolder = WorkingDirectory();
        ASSERT_NE(m_launchFolder, ProgramFolder());
        hooks.openStore = [this](const std::wstring& path) {
            openedPaths.push_back(path);
            return storeOpens;
        };
        hooks.setVisitListSizes = [this](int most, int latest) { sizes = {most, latest}; };
        hooks.runMainWindow = [this] { ++mainWindowRuns; };
        hooks.firstStart = [this](CAppSettings& s) { firstStartSettings = &s; };
    }
    void TearDown() override {
        SetCurrentDirectoryW(m_previousCwd.c_str());
        DeleteFileW(m_ini.c_str());
        if (m_hadIni) MoveFileW(m_iniBackup.c_str(), m_ini.c_str());
    }

    std::wstring m_launchFolder;
    std::wstring m_previousCwd;
    const std::wstring m_ini = ProgramFolder() + L"\\Tidemarker.ini";
    const std::wstring m_iniBackup = m_ini + L".startup-test";
    bool m_hadIni = false;

    FakeSeams seams;
    CAppSettings settings;
    StartupHooks hooks;
    bool storeOpens = true;
    std::vector<std::wstring> openedPaths;
    std::pair<int, int> sizes{-1, -1};
    int mainWindowRuns = 0;
    CAppSettings* firstStartSettings = nullptr;
};

}  // namespace

TEST_F(StartupRun, OpensBesideTheProgramAndRunsTheMainWindow) {
    ASSERT_TRUE(WritePrivateProfileStringW(L"General", L"MostVisitedItemCount", L"7", m_ini.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"General", L"LatestVisitedItemCount", L"12", m_ini.c_str()));
    EXPECT_EQ(RunStartup(settings, hooks), StartupEnd::MainWindowClosed);
    EXPECT_EQ(WorkingDirectory(), ProgramFolder());
    EXPECT_TRUE(FolderExists(ProgramFolder() + L"\\Data"));
    EXPECT_EQ(openedPaths, std::vector<std::wstring>{L".\\Data\\favors.db"});
    EXPECT_EQ(settings.FilePath(), m_ini);
    EXPECT_EQ(sizes, std::make_pair(7, 12));
    EXPECT_EQ(firstStartSettings, &settings);
    EXPECT_EQ(mainWindowRuns, 1);
    EXPECT_TRUE(seams.Messages().empty());
}

TEST_F(StartupRun, StoreFailureIsReportedAndNothingRuns) {
    storeOpens = false;
    EXPECT_EQ(RunStartup(settings, hooks), StartupEnd::StoreFailed);
    const auto shown = seams.Messages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].owner, nullptr);
    EXPECT_EQ(shown[0].text, L"Can not open your favorites data file: \\Data\\favors.db .");
    EXPECT_EQ(shown[0].caption, L"Tidemarker:");
    EXPECT_EQ(shown[0].flags, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
    EXPECT_TRUE(settings.FilePath().empty());
    EXPECT_EQ(sizes.first, -1);
    EXPECT_EQ(firstStartSettings, nullptr);
    EXPECT_EQ(mainWindowRuns, 0);
}

TEST_F(StartupRun, SecondCopyHandsOverWithoutOpeningTheStore) {
    HWND running = CreateWindowExW(0, L"STATIC", L"running", WS_POPUP, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
    ASSERT_NE(running, nullptr);
    MarkInstanceWindow(running);
    const StartupEnd end = RunStartup(settings, hooks);
    DestroyWindow(running);
    EXPECT_EQ(end, StartupEnd::HandedOver);
    EXPECT_TRUE(openedPaths.empty());
    EXPECT_EQ(mainWindowRuns, 0);
    EXPECT_EQ(WorkingDirectory(), m_launchFolder);  // nothing else happened
}

// A data file that cannot be written is announced once, with its cause, and the program
// still runs (read-only).
TEST_F(StartupRun, AStoreThatCannotWriteIsAnnouncedAndTheProgramStillRuns) {
    const std::wstring db = m_launchFolder + L"\\tm-startup-" + std::to_wstring(GetCurrentProcessId()) + L".db";
    ASSERT_TRUE(CFavorStore().Open(db));
    const std::wstring browse = L" You can browse and open your favorites, but changes cannot be saved.";
    const struct { bool readOnly; std::wstring said; } cases[] = {
        {true, L"Your favorites data file \\Data\\favors.db is read-only." + browse},
        {false, L"Your favorites data file \\Data\\favors.db is locked by another program." + browse},
    };
    for (const auto& c : cases) {
        CFavorStore store;
        CppSQLite3Connection other;
        other.Open(ToUtf8(db).c_str());
        if (!c.readOnly) other.Execute("begin immediate;");
        hooks.openStore = [&](const std::wstring&) { return store.Open(db, c.readOnly); };
        hooks.storeWriteProblem = [&] { return CheckStoreWritable(store); };
        seams.Clear();
        EXPECT_EQ(RunStartup(settings, hooks), StartupEnd::MainWindowClosed);
        const auto shown = seams.Messages();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].owner, nullptr);
        EXPECT_EQ(shown[0].text, c.said);
        EXPECT_EQ(shown[0].caption, L"Tidemarker:");
        EXPECT_TRUE(store.IsReadOnly());
    }
    EXPECT_EQ(mainWindowRuns, 2);
    DeleteFileW(db.c_str());
}

namespace {

std::string Bytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    std::ofstream(path.c_str(), std::ios::binary | std::ios::trunc) << bytes;
}

std::vector<std::wstring> TopFolders(CFavorStore& store) {
    FolderRecord root;
    std::vector<std::wstring> names;
    store.LoadFolderTree(root);
    for (const auto& f : root.subfolders) names.push_back(f->name);
    return names;
}

}  // namespace

// A data file that is no database, or one a backup copy found damaged (pages overwritten),
// with a good copy of yesterday: the start offers that copy. Yes keeps the damaged file
// aside byte for byte and starts on the copy; No leaves the file as it was and starts as
// before (the open fails, or the file is only read).
TEST_F(StartupRun, ADamagedDataFileIsOfferedTheNewestGoodCopy) {
    TempFolder dir;
    const std::wstring db = dir.Path() + L"\\favors.db";
    const std::wstring kept = dir.Path() + L"\\favors.db.damaged-20261103-091500";
    const struct { bool pagesOverwritten; int answer; StartupEnd end; bool readOnly; } cases[] = {
        {false, IDNO, StartupEnd::StoreFailed, false},
        {true, IDNO, StartupEnd::MainWindowClosed, true},
        {false, IDYES, StartupEnd::MainWindowClosed, false},
        {true, IDYES, StartupEnd::MainWindowClosed, false},
    };
    for (const auto& c : cases) {
        RemoveFolderTree(dir.Path() + L"\\Backups");
        DeleteFileW(db.c_str());
        DeleteFileW(kept.c_str());
        seams.PinClock(2026, 11, 2, 8, 0, 0);
        {
            CFavorStore before;
            ASSERT_TRUE(before.Open(db));
            FolderRecord folder;
            folder.name = L"Yesterday";
            ASSERT_TRUE(before.AddFolder(folder));
            ASSERT_EQ(CBackups(db).MakeBackup(BackupReason::Daily).kind, BackupOutcome::Kind::Made);
            CFavorStore::Batch batch(before);
            for (int i = 0; i < 300; ++i) {
                FavorRecord f;
                f.name = L"Favorite with a name long enough to fill pages " + std::to_wstring(i);
                before.AddFavor(f);
            }
            ASSERT_TRUE(batch.Commit());
        }
        std::string damaged = c.pagesOverwritten ? Bytes(db) : std::string(9000, 'x');
        if (c.pagesOverwritten) {
            ASSERT_GT(damaged.size(), 12288u);
            for (size_t i = 4096; i < 12288; ++i) damaged[i] = static_cast<char>(i * 7);
            WriteBytes(db, damaged);
            seams.PinClock(2026, 11, 2, 20, 0, 0);
            // The day's copy finds the damage and notes it for the next start.
            ASSERT_EQ(CBackups(db).MakeBackup(BackupReason::Daily).kind, BackupOutcome::Kind::Damaged);
        } else {
            WriteBytes(db, damaged);
        }
        seams.PinClock(2026, 11, 3, 9, 15, 0);
        seams.Clear();
        seams.QueueAnswer(c.answer);
        CFavorStore store;
        hooks.openStore = [&](const std::wstring&) { return store.Open(db); };
        hooks.openStoreReadOnly = [&](const std::wstring&) { return store.Open(db, true); };
        hooks.recoverStore = [&](const std::wstring&, bool openFailed) { return OfferStoreRecovery(db, openFailed); };
        hooks.storeWriteProblem = [&] { return CheckStoreWritable(store); };

        EXPECT_EQ(RunStartup(settings, hooks), c.end);
        EXPECT_EQ(store.IsReadOnly(), c.readOnly);
        const auto shown = seams.Messages();
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown[0].caption, L"Tidemarker:");
        EXPECT_EQ(shown[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_YESNO));
        EXPECT_NE(shown[0].text.find(L"Restore the newest good backup, made 2026-11-02 08:00:00 (1 folder, 0 favorites)?"),
                  std::wstring::npos) << shown[0].text;
        if (c.answer == IDYES) {
            EXPECT_EQ(Bytes(kept), damaged);
            EXPECT_EQ(TopFolders(store), std::vector<std::wstring>{L"Yesterday"});
            EXPECT_EQ(shown.size(), 1u);
        } else {
            EXPECT_EQ(GetFileAttributesW(kept.c_str()), INVALID_FILE_ATTRIBUTES);
            store.Open(dir.Path() + L"\\other.db");  // frees the data file
            EXPECT_EQ(Bytes(db), damaged);
            EXPECT_EQ(shown.size(), 2u);  // the message of a file that cannot be opened, or read-only use
        }
    }
}
