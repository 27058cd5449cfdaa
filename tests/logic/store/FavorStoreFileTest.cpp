#include "StoreTestSupport.h"
#include "TempDbFile.h"
#include "store/CppSQLite3Connection.h"
#include <gtest/gtest.h>
#include <atomic>
#include <map>
#include <thread>

namespace {

size_t FavorsIn(CFavorStore& store, int folderId) {
    OwnedFavors favors;
    EXPECT_TRUE(store.LoadFavors(folderId, favors.list));
    return favors.list.size();
}

TEST(FavorStoreFile, ANewFileGetsBothTablesAndKeepsWhatIsAdded) {
    TempDbFile file;  // exists, empty
    {
        CFavorStore store;
        ASSERT_TRUE(store.Open(file.Path()));
        OwnedTree tree;
        ASSERT_TRUE(store.LoadFolderTree(tree.root));
        EXPECT_TRUE(tree.root.subfolders.empty());
        EXPECT_EQ(FavorsIn(store, 0), 0u);
        AddTestFavor(store, L"kept", 0);
        ASSERT_TRUE(store.Open(file.Path()));  // reopening starts over cleanly
        EXPECT_EQ(FavorsIn(store, 0), 1u);
    }
    CppSQLite3Connection db;
    db.Open(file.Utf8Path().c_str());
    // SQLite keeps each create statement as run, with its keywords in capitals.
    CppSQLite3Cursor rows = db.Query("select sql from sqlite_master order by name");
    EXPECT_STREQ(rows.TextValue(0, ""),
                 "CREATE TABLE tbl_favor(id integer primary key, pid int, name char(512), "
                 "location char(1024), tags char(128), hits int, last_hit char(20))");
    rows.Next();
    EXPECT_STREQ(rows.TextValue(0, ""), "CREATE TABLE tbl_folder(id integer primary key, pid int, name char(128))");
    rows.Next();
    EXPECT_TRUE(rows.AtEnd());
}

TEST(FavorStoreFile, AnUnusableFileFailsToOpenAndIsLeftAsItWas) {
    const struct { const char* what; void (*make)(const TempDbFile&); } cases[] = {
        {"not a database", [](const TempDbFile& f) { f.WriteBytes(std::string(3000, 'x') + "\r\n"); }},
        {"folder table only",
         [](const TempDbFile& f) {
             CppSQLite3Connection db;
             db.Open(f.Utf8Path().c_str());
             db.Execute("create table tbl_folder(id integer primary key, pid int, name char(128));"
                        "insert into tbl_folder(pid, name) values(0, 'mine');");
         }},
    };
    for (const auto& c : cases) {
        TempDbFile file;
        c.make(file);
        const std::string before = file.Bytes();
        {
            CFavorStore store;
            EXPECT_FALSE(store.Open(file.Path())) << c.what;
            EXPECT_FALSE(store.IsOpen());
            std::vector<FavorRecord> none;
            EXPECT_FALSE(store.LoadFavors(0, none)) << c.what;
            EXPECT_EQ(AddTestFavor(store, L"lost", 0), -1) << c.what;
        }
        EXPECT_EQ(file.Bytes(), before) << c.what;
        EXPECT_EQ(GetFileAttributesW((file.Path() + L"-journal").c_str()), INVALID_FILE_ATTRIBUTES) << c.what;
    }
    CFavorStore store;
    EXPECT_FALSE(store.Open(L"Z:\\no such folder\\deeper\\favors.db"));
}

// A folder deletion that fails half-way (here a trigger refuses one folder's favorites)
// leaves every row of the subtree in place.
TEST(FavorStoreFile, AFolderDeletionIsAllOrNothing) {
    TempDbFile file;
    CFavorStore store;
    ASSERT_TRUE(store.Open(file.Path()));
    const int news = AddTestFolder(store, L"news", 0);
    const int daily = AddTestFolder(store, L"daily", news);
    AddTestFavor(store, L"paper", daily);
    AddTestFavor(store, L"kept", news);
    CppSQLite3Connection other;
    other.Open(file.Utf8Path().c_str());
    other.Execute(("create trigger refuse before delete on tbl_favor when old.pid = " + std::to_string(news) +
                   " begin select raise(abort, 'refused'); end;").c_str());
    EXPECT_FALSE(store.DeleteFolders({daily, news}));
    OwnedTree tree;
    int count = 0;
    ASSERT_TRUE(store.LoadAll(tree.root, count));
    EXPECT_EQ(Render(tree.root), L"news(daily[paper])[kept]");
}

TEST(FavorStoreBatch, CommitKeepsAndEveryOtherEndDiscards) {
    CFavorStore store;
    ASSERT_TRUE(store.Open(L":memory:"));
    {
        CFavorStore::Batch batch(store);
        ASSERT_TRUE(batch.Active());
        EXPECT_FALSE(store.BeginBatch());  // no nesting
        const int folder = AddTestFolder(store, L"imported", 0);
        AddTestFavor(store, L"a", folder);
        EXPECT_EQ(FavorsIn(store, folder), 1u);  // visible to the batch itself
        EXPECT_TRUE(batch.Commit());
        EXPECT_FALSE(batch.Commit());
    }
    {
        CFavorStore::Batch batch(store);  // left without Commit
        AddTestFavor(store, L"dropped", 0);
    }
    ASSERT_TRUE(store.BeginBatch());
    AddTestFavor(store, L"rolled back", 0);
    EXPECT_TRUE(store.EndBatch(false));
    EXPECT_FALSE(store.EndBatch(true));  // no batch any more

    OwnedTree all;
    int count = 0;
    ASSERT_TRUE(store.LoadAll(all.root, count));
    EXPECT_EQ(Render(all.root), L"imported[a]");
}

// A process that dies in the middle of an import leaves the file as it was before the
// import: a copy of the file (and journal) taken mid-batch opens without any of it.
TEST(FavorStoreBatch, AHalfDoneImportNeverReachesTheFile) {
    TempDbFile file, crashed;
    CFavorStore store;
    ASSERT_TRUE(store.Open(file.Path()));
    AddTestFavor(store, L"before", 0);
    {
        CFavorStore::Batch batch(store);
        for (int i = 0; i < 3000; ++i) AddTestFavor(store, L"imported " + std::to_wstring(i), 0);
        crashed.WriteBytes(file.Bytes());
        const std::string journal = TempDbFile::ReadFile(file.Path() + L"-journal");
        if (!journal.empty()) TempDbFile::WriteFile(crashed.Path() + L"-journal", journal);
        ASSERT_TRUE(batch.Commit());
    }
    EXPECT_EQ(FavorsIn(store, 0), 3001u);
    CFavorStore after;
    ASSERT_TRUE(after.Open(crashed.Path()));
    EXPECT_EQ(FavorsIn(after, 0), 1u);
}

// Without one lock around each whole operation the two threads' inserts would mix up
// their row ids, and the GUI thread could see half an import.
TEST(FavorStoreThreads, AnImportWorkerAndTheGuiThreadShareTheStore) {
    CFavorStore store;
    ASSERT_TRUE(store.Open(L":memory:"));
    constexpr int kEach = 400;
    std::map<int, std::wstring> workerAdded, guiAdded;
    std::atomic<bool> workerDone{false};
    std::thread worker([&] {
        for (int i = 0; i < kEach; ++i) {
            const std::wstring name = L"w" + std::to_wstring(i);
            workerAdded[AddTestFavor(store, name, 1)] = name;
        }
        CFavorStore::Batch batch(store);
        for (int i = 0; i < kEach; ++i) AddTestFavor(store, L"batch", 2);
        batch.Commit();
        workerDone = true;
    });
    std::vector<size_t> batchSeen;
    for (int i = 0; !workerDone || i < kEach; ++i) {
        if (i < kEach) {
            const std::wstring name = L"g" + std::to_wstring(i);
            guiAdded[AddTestFavor(store, name, 1)] = name;
        }
        batchSeen.push_back(FavorsIn(store, 2));
        std::vector<FavorRecord> cached;
        EXPECT_TRUE(store.GetMostVisited(cached));
    }
    worker.join();

    for (size_t seen : batchSeen) EXPECT_TRUE(seen == 0 || seen == kEach) << seen;
    ASSERT_EQ(workerAdded.size() + guiAdded.size(), 2u * kEach);  // all ids distinct
    OwnedFavors loaded;
    ASSERT_TRUE(store.LoadFavors(1, loaded.list));
    ASSERT_EQ(loaded.list.size(), 2u * kEach);
    for (const FavorRecord& f : loaded.list) {
        const auto& added = f.name[0] == L'w' ? workerAdded : guiAdded;
        const auto it = added.find(f.id);
        ASSERT_NE(it, added.end()) << f.id;
        EXPECT_EQ(it->second, f.name);
    }
}

TEST(FavorStoreThreads, OnlyTheBatchThreadCanEndItsBatch) {
    CFavorStore store;
    ASSERT_TRUE(store.Open(L":memory:"));
    ASSERT_TRUE(store.BeginBatch());
    bool endedElsewhere = true;
    std::thread other([&] { endedElsewhere = store.EndBatch(true); });
    other.join();
    EXPECT_FALSE(endedElsewhere);
    EXPECT_TRUE(store.EndBatch(true));
}

}  // namespace
