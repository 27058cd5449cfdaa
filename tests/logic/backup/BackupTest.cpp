// Backup copies against real files: names and what is kept, a copy equal to its source,
// restore, and damaged files recognised (a copy refused, a file cut in the middle).
#include "backup/CBackups.h"
#include "backup/RestoreFavorites.h"
#include "backup/StoreRecovery.h"
#include "fakes/FakeSeams.h"
#include "fakes/TempFolder.h"
#include "logic/store/StoreTestSupport.h"
#include "logic/store/TempDbFile.h"
#include "store/TextConv.h"
#include <gtest/gtest.h>
#include <set>

namespace {

// Every row of both tables, as text.
std::string Rows(const std::wstring& path) {
    CppSQLite3Connection db;
    db.Open(ToUtf8(path).c_str(), true);
    std::string text;
    for (const char* sql : {"select * from tbl_folder order by id", "select * from tbl_favor order by id"}) {
        for (CppSQLite3Cursor rows = db.Query(sql); !rows.AtEnd(); rows.Next()) {
            for (int c = 0; c < rows.ColumnCount(); ++c) text += std::string(rows.TextValue(c, "<null>")) + "|";
            text += "\n";
        }
    }
    return text;
}

std::set<std::wstring> FilesIn(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

class BackupFiles : public testing::Test {
protected:
    void SetUp() override {
        seams.PinClock(2026, 11, 3, 14, 5, 9);
        ASSERT_TRUE(store.Open(DbPath()));
        news = AddTestFolder(store, L"News \u00e9t\u00e9", 0);
        AddTestFolder(store, L"Deep", news);
        FavorRecord f;
        f.name = L"Paper";
        f.location = L"https://paper.example/";
        f.tags = L"daily news";
        f.pid = news;
        ASSERT_TRUE(store.AddFavor(f));
        ASSERT_TRUE(store.CountVisit(f));
        paper = f.id;
        AddTestFavor(store, L"Loose", 0);
    }
    std::wstring DbPath() const { return dir.Path() + L"\\favors.db"; }
    std::wstring BackupsPath() const { return dir.Path() + L"\\Backups"; }

    FakeSeams seams;
    TempFolder dir;
    CFavorStore store;
    int news = 0, paper = 0;
};

TEST(BackupNames, RoundTripAndOtherNamesLeftAlone) {
    const BackupStamp stamp{2026, 1, 2, 3, 4, 5};
    for (BackupReason reason : {BackupReason::Daily, BackupReason::Import, BackupReason::Cleanup,
                                BackupReason::Restore, BackupReason::Sync}) {
        const auto parsed = ParseBackupFileName(BackupFileName(reason, stamp));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->reason, reason);
        EXPECT_TRUE(parsed->stamp == stamp);
    }
    EXPECT_EQ(BackupFileName(BackupReason::Cleanup, stamp), L"favors-20260102-030405-cleanup.db");
    for (const wchar_t* other : {L"favors.db", L"notes.txt", L"favors-20260102-030405-weekly.db",
                                 L"favors-20261302-030405-daily.db", L"favors-20260102-030405-daily.db.partial",
                                 L"favors-2026010-2030405-daily.db", L"favors-20260102-030405-daily.db.bak"})
        EXPECT_FALSE(ParseBackupFileName(other)) << other;
    EXPECT_TRUE(IsPartialBackupName(L"favors-20260102-030405-daily.db.partial"));
    EXPECT_TRUE(IsPartialBackupName(L"favors-20260102-030405-daily.db.partial-journal"));
    EXPECT_FALSE(IsPartialBackupName(L"notes.partial"));
}

// The new copy joins 20 daily and 12 other copies: the newest 15 daily and the newest 10
// of the others stay; a partial copy and files of other names are left to themselves.
TEST_F(BackupFiles, RetentionKeepsFifteenDailyAndTenOthers) {
    CreateDirectoryW(BackupsPath().c_str(), nullptr);
    std::vector<std::wstring> made;
    for (int day = 1; day <= 20; ++day) made.push_back(BackupFileName(BackupReason::Daily, {2026, 10, day, 8, 0, 0}));
    const BackupReason others[] = {BackupReason::Import, BackupReason::Cleanup, BackupReason::Sync};
    for (int i = 0; i < 12; ++i) made.push_back(BackupFileName(others[i % 3], {2026, 10, 1 + i, 9, 0, 0}));
    made.push_back(L"notes.txt");
    made.push_back(L"favors-20261001-080000-daily.db.partial");
    for (const std::wstring& name : made) TempDbFile::WriteFile(BackupsPath() + L"\\" + name, "x");

    CBackups backups(DbPath());
    const BackupOutcome outcome = backups.MakeBackup(BackupReason::Restore);
    ASSERT_EQ(outcome.kind, BackupOutcome::Kind::Made) << outcome.problem;
    EXPECT_EQ(outcome.path, BackupsPath() + L"\\favors-20261103-140509-restore.db");

    std::set<std::wstring> want{L"notes.txt", L"favors-20261001-080000-daily.db.partial",
                                L"favors-20261103-140509-restore.db"};
    for (int day = 6; day <= 20; ++day) want.insert(made[static_cast<size_t>(day - 1)]);
    for (int i = 3; i < 12; ++i) want.insert(made[static_cast<size_t>(20 + i)]);
    EXPECT_EQ(FilesIn(BackupsPath()), want);

    backups.RemoveLeftovers();
    EXPECT_EQ(FilesIn(BackupsPath()).count(L"favors-20261001-080000-daily.db.partial"), 0u);
    EXPECT_EQ(backups.List().front().name.fileName, L"favors-20261103-140509-restore.db");
}

// A copy is an ordinary SQLite file equal to its source, row for row; restore puts those
// rows back (ids, tags and visits as they were) and copies what it replaces first.
TEST_F(BackupFiles, ACopyEqualsItsSourceAndRestoreBringsItBack) {
    CBackups backups(DbPath());
    const std::string before = Rows(DbPath());
    const BackupOutcome made = backups.MakeBackup(BackupReason::Import);
    ASSERT_EQ(made.kind, BackupOutcome::Kind::Made) << made.problem;
    EXPECT_EQ(Rows(made.path), before);
    EXPECT_FALSE(backups.HasDailyBackupOf(CBackups::Now()));
    EXPECT_EQ(backups.MakeDailyBackupIfDue().kind, BackupOutcome::Kind::Made);
    EXPECT_TRUE(backups.HasDailyBackupOf(CBackups::Now()));
    EXPECT_TRUE(backups.MakeDailyBackupIfDue().path.empty());  // one a day

    ASSERT_TRUE(store.DeleteFolders({news}));
    AddTestFavor(store, L"Later", 0);
    std::vector<FavorRecord> visited;
    ASSERT_TRUE(store.GetMostVisited(visited));
    EXPECT_TRUE(visited.empty());
    const std::string changed = Rows(DbPath());

    seams.PinClock(2026, 11, 3, 14, 6, 0);
    const RestoreOutcome restored = RestoreFavorites(store, backups, made.path);
    ASSERT_EQ(restored.kind, RestoreOutcome::Kind::Restored) << restored.problem;
    EXPECT_EQ(Rows(DbPath()), before);
    EXPECT_EQ(Rows(BackupsPath() + L"\\favors-20261103-140600-restore.db"), changed);
    visited.clear();
    ASSERT_TRUE(store.GetMostVisited(visited));  // the visit lists follow
    ASSERT_EQ(visited.size(), 1u);
    EXPECT_EQ(visited[0].id, paper);
}

// A copy whose pages were overwritten is refused and changes nothing; a file cut in the
// middle is damaged: its copy is not kept and the next start is told to check it.
TEST_F(BackupFiles, DamagedCopiesAndFilesAreRecognised) {
    {
        CFavorStore::Batch batch(store);
        for (int i = 0; i < 400; ++i) AddTestFavor(store, L"Filler page with a longer name " + std::to_wstring(i), news);
        ASSERT_TRUE(batch.Commit());
    }
    CBackups backups(DbPath());
    const BackupOutcome made = backups.MakeBackup(BackupReason::Daily);
    ASSERT_EQ(made.kind, BackupOutcome::Kind::Made) << made.problem;
    std::string bytes = TempDbFile::ReadFile(made.path);
    ASSERT_GT(bytes.size(), 16384u);
    for (size_t i = 4096; i < 12288; ++i) bytes[i] = static_cast<char>(i * 7);
    TempDbFile::WriteFile(made.path, bytes);
    const std::string before = Rows(DbPath());
    const RestoreOutcome refused = RestoreFavorites(store, backups, made.path);
    EXPECT_EQ(refused.kind, RestoreOutcome::Kind::CopyDamaged);
    EXPECT_FALSE(refused.problem.empty());
    EXPECT_EQ(Rows(DbPath()), before);
    EXPECT_EQ(backups.List().size(), 1u);  // no "restore" copy either

    ASSERT_TRUE(store.Open(dir.Path() + L"\\other.db"));  // the data file is free to be cut
    bytes = TempDbFile::ReadFile(DbPath());
    TempDbFile::WriteFile(DbPath(), bytes.substr(0, bytes.size() / 2));
    EXPECT_EQ(CheckDatabase(DbPath()).kind, DbOutcome::Kind::Damaged);
    EXPECT_FALSE(backups.CheckAtStartNoted());
    EXPECT_FALSE(ExamineDataFile(backups, false).damaged);  // an ordinary start checks nothing
    const BackupOutcome cut = backups.MakeBackup(BackupReason::Cleanup);
    EXPECT_EQ(cut.kind, BackupOutcome::Kind::Damaged);
    EXPECT_EQ(backups.List().size(), 1u);
    EXPECT_TRUE(backups.CheckAtStartNoted());
    const RecoveryOffer offer = ExamineDataFile(backups, false);
    EXPECT_TRUE(offer.damaged);
    EXPECT_FALSE(offer.copy);  // the only copy is damaged too
}

}  // namespace
