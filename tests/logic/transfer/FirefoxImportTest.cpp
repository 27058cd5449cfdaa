#include "logic/transfer/TransferTestFiles.h"
#include "logic/transfer/TreeBuilder.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include "transfer/CFavorTransfer.h"
#include "edits/FavorEdits.h"
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <cstdio>
#include <string>

namespace {

// A places database with Firefox's own tables (the columns the import reads and more).
class PlacesDb {
public:
    explicit PlacesDb(const std::wstring& path, bool withGuid = true) {
        sqlite3_open(ToUtf8(path).c_str(), &m_db);
        Run("create table moz_places (id integer primary key, url longvarchar, title longvarchar, "
            "rev_host longvarchar, visit_count integer default 0, hidden integer default 0 not null, "
            "typed integer default 0 not null, frecency integer default -1 not null, "
            "last_visit_date integer, guid text);");
        Run(std::string("create table moz_bookmarks (id integer primary key, type integer, fk integer "
                        "default null, parent integer, position integer, title longvarchar, keyword_id "
                        "integer, folder_type text, dateAdded integer, lastModified integer") +
            (withGuid ? ", guid text);" : ");"));
        m_withGuid = withGuid;
    }
    ~PlacesDb() { sqlite3_close(m_db); }
    sqlite3* Db() { return m_db; }

    void Run(const std::string& sql) {
        char* error = nullptr;
        ASSERT_EQ(sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "") << sql;
    }
    // Places root, menu, toolbar, tags, unsorted (and mobile) under the given ids.
    void Roots(int root, int menu, int toolbar, int tags, int unfiled) {
        Item(root, 2, 0, 0, "", "root________");
        Item(menu, 2, root, 0, "Bookmarks Menu", "menu________");
        Item(toolbar, 2, root, 0, "Bookmarks Toolbar", "toolbar_____");
        Item(tags, 2, root, 0, "Tags", "tags________");
        Item(unfiled, 2, root, 0, "Other Bookmarks", "unfiled_____");
        Item(root + 900, 2, root, 0, "Mobile", "mobile______");
    }
    void Folder(int id, int parent, const char* title) { Item(id, 2, parent, 0, title, nullptr); }
    void Bookmark(int id, int parent, const char* title, const char* url) {
        char sql[512];
        std::snprintf(sql, sizeof sql, "insert into moz_places(id, url, title) values(%d, '%s', 'page');", id, url);
        Run(sql);
        Item(id, 1, parent, id, title, nullptr);
    }

private:
    void Item(int id, int type, int parent, int fk, const char* title, const char* guid) {
        const std::string t = title ? "'" + std::string(title) + "'" : "null";
        const std::string f = fk ? std::to_string(fk) : "null";
        std::string sql = "insert into moz_bookmarks(id, type, fk, parent, position, title" +
                          std::string(m_withGuid ? ", guid" : "") + ") values(" + std::to_string(id) + ", " +
                          std::to_string(type) + ", " + f + ", " + std::to_string(parent) + ", 0, " + t;
        if (m_withGuid) sql += guid ? ", '" + std::string(guid) + "'" : ", 'g" + std::to_string(id) + "'";
        Run(sql + ");");
    }

    sqlite3* m_db = nullptr;
    bool m_withGuid = true;
};

// Everything the import must and must not take, with the roots under the given ids and
// the ordinary items shifted by `shift` (a migrated profile reuses the low ids).
void FillProfile(PlacesDb& db, int root, int menu, int toolbar, int tags, int unfiled, int shift) {
    db.Run("begin;");
    db.Roots(root, menu, toolbar, tags, unfiled);
    const int s = shift;
    db.Folder(s + 10, menu, "Dev");
    db.Folder(s + 11, s + 10, "Tools");
    db.Folder(s + 8, s + 10, "Older id below Dev");
    db.Folder(s + 12, toolbar, "Toolbar folder");
    db.Folder(s + 9, s + 12, "Below the toolbar, lower id");
    db.Folder(s + 13, s + 9, "Deeper below the toolbar");
    db.Folder(s + 14, tags, "a-tag");
    db.Folder(s + 15, unfiled, "Unsorted folder");
    db.Folder(s + 16, menu, nullptr);
    db.Folder(s + 17, menu, "\xe6\x97\xa5\xe6\x9c\xac");  // Japanese "Japan"
    db.Bookmark(s + 20, s + 10, "Python", "http://python.example/");
    db.Bookmark(s + 21, s + 11, nullptr, "http://untitled.example/");
    db.Bookmark(s + 22, menu, "Directly in the menu", "http://menu.example/");
    db.Bookmark(s + 23, toolbar, "On the toolbar", "http://toolbar.example/");
    db.Bookmark(s + 24, s + 13, "Deep toolbar", "http://deep-toolbar.example/");
    db.Bookmark(s + 25, s + 14, nullptr, "http://tagged.example/");
    db.Bookmark(s + 26, unfiled, "Unsorted", "http://unsorted.example/");
    db.Bookmark(s + 27, s + 15, "In an unsorted folder", "http://unsorted-folder.example/");
    db.Bookmark(s + 28, s + 17, "\xd0\x9c\xd0\xbe\xd1\x81\xd0\xba\xd0\xb2\xd0\xb0", "http://\xe4\xbe\x8b.jp/");
    db.Bookmark(s + 29, s + 8, "Older", "http://older.example/");
    db.Run("commit;");
}

const std::wstring kExpected =
    L"{Unsorted=http://unsorted.example/;"
    L"[Dev{Python=http://python.example/;[Older id below Dev{Older=http://older.example/;}]"
    L"[Tools{=http://untitled.example/;}]}][{}]"
    L"[\u65e5\u672c{\u041c\u043e\u0441\u043a\u0432\u0430=http://\u4f8b.jp/;}]}";

}  // namespace

TEST(FirefoxImport, TakesTheMenuFoldersAndUnsortedBookmarks) {
    const struct { const char* what; bool guid; int root, menu, toolbar, tags, unfiled, shift; } cases[] = {
        {"usual ids", true, 1, 2, 3, 4, 5, 0},
        {"no guid column", false, 1, 2, 3, 4, 5, 0},
        {"migrated roots", true, 500, 502, 503, 504, 505, -6},  // ids 2..5 are ordinary items
    };
    for (const auto& c : cases) {
        ScratchFolder dir;
        const std::wstring path = dir / L"places.sqlite";
        {
            PlacesDb db(path, c.guid);
            FillProfile(db, c.root, c.menu, c.toolbar, c.tags, c.unfiled, c.shift);
        }
        wchar_t before[MAX_PATH] = {}, after[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, before);
        OwnedTree tree;
        int count = -1;
        CFavorTransfer transfer;
        ASSERT_TRUE(transfer.ReadFirefoxPlaces(path, tree.root, count)) << c.what;
        EXPECT_EQ(Describe(tree.root), kExpected) << c.what;
        EXPECT_EQ(count, 10) << c.what;
        GetCurrentDirectoryW(MAX_PATH, after);
        EXPECT_STREQ(before, after);
    }
}

TEST(FirefoxImport, RefusesOtherFilesAndNames) {
    ScratchFolder dir;
    { PlacesDb db(dir / L"Places.sqlite"); FillProfile(db, 1, 2, 3, 4, 5, 0); }
    ASSERT_TRUE(WriteBytes(dir / L"places.sqlite", "this is not a database, just some text of enough length"));
    MakeFolder(dir / L"empty");
    CFavorTransfer transfer;
    for (const std::wstring& path : {dir / L"Places.sqlite", dir / L"places.sqlite", dir / L"empty\\places.sqlite",
                                     std::wstring(L"places.sqlite"), std::wstring()}) {
        OwnedTree tree;
        int count = -1;
        EXPECT_FALSE(transfer.ReadFirefoxPlaces(path, tree.root, count)) << path;
        EXPECT_EQ(count, 0);
        EXPECT_TRUE(tree.root.subfolders.empty() && tree.root.favors.empty());
    }
    EXPECT_FALSE(IsFile(dir / L"empty\\places.sqlite"));  // nothing created by the attempt
}

TEST(FirefoxImport, ReadsADatabaseThatARunningFirefoxHoldsLocked) {
    ScratchFolder dir;
    const std::wstring path = dir / L"places.sqlite";
    PlacesDb db(path);
    FillProfile(db, 1, 2, 3, 4, 5, 0);
    // As Firefox does: write-ahead log, exclusive locking, and a change still in the log.
    db.Run("pragma journal_mode = wal;");
    db.Run("pragma locking_mode = exclusive;");
    db.Run("begin exclusive; insert into moz_places(id, url) values(90, 'http://in-the-log.example/');"
           "insert into moz_bookmarks(id, type, fk, parent, title, guid) values(90, 1, 90, 5, 'Logged', 'g90');"
           "commit;");
    ASSERT_TRUE(IsFile(path + L"-wal"));
    OwnedTree tree;
    int count = -1;
    CFavorTransfer transfer;
    ASSERT_TRUE(transfer.ReadFirefoxPlaces(path, tree.root, count));
    EXPECT_EQ(count, 11);
    ASSERT_EQ(tree.root.favors.size(), 2u);
    EXPECT_EQ(tree.root.favors[1].location, L"http://in-the-log.example/");
}

TEST(FirefoxImport, FindsTheFirstProfile) {
    ScratchFolder dir;
    const std::wstring firefox = dir.Path() + L"\\Firefox\\";
    EXPECT_EQ(CFavorTransfer::PlacesPathFromProfiles(firefox), L"");
    MakeFolder(dir / L"Firefox");
    EXPECT_EQ(CFavorTransfer::PlacesPathFromProfiles(firefox), L"");  // no profiles.ini
    const struct { const char* ini; std::wstring path; } cases[] = {
        {"[General]\r\nStartWithLastProfile=1\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/ab12.default\r\n",
         firefox + L"Profiles/ab12.default\\places.sqlite"},
        {"[Profile1]\r\nIsRelative=1\r\nPath=Profiles/other\r\n[Profile0]\r\nPath=Profiles/first\r\n",
         firefox + L"Profiles/first\\places.sqlite"},
        {"[Profile0]\r\nIsRelative=0\r\nPath=D:\\Profiles\\mine\r\n", L"D:\\Profiles\\mine\\places.sqlite"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(WriteBytes(firefox + L"profiles.ini", c.ini));
        EXPECT_EQ(CFavorTransfer::PlacesPathFromProfiles(firefox), c.path) << c.ini;
    }
}

TEST(ImportStore, StoresTheWholeTreeInOneGo) {
    ScratchFolder dir;
    CFavorStore store;
    ASSERT_TRUE(store.Open(dir / L"favors.db"));
    OwnedTree tree;
    AddFav(tree.root, L"Top", L"http://top/");
    FolderRecord& news = AddSub(tree.root, L"News");
    AddFav(news, L"Daily", L"http://daily/");
    AddSub(news, L"Empty");
    AddFav(AddSub(tree.root, L"\u65e5\u672c"), L"Same", L"http://same/");
    AddFav(tree.root, L"Same", L"http://same/");
    int steps = 0;
    FavorEdits edits(store);
    EditStep stored;
    ASSERT_TRUE(edits.StoreImport(tree.root, L"Favorites From IE", [&] { ++steps; }, stored));
    EXPECT_EQ(steps, 7);
    std::vector<std::wstring> folders;
    for (const auto& c : stored.folders) folders.push_back(c.after->name + L"@" + std::to_wstring(c.after->pid));
    const std::wstring top = std::to_wstring(tree.root.id), newsId = std::to_wstring(stored.folders[1].after->id);
    EXPECT_EQ(folders, (std::vector<std::wstring>{L"Favorites From IE@0", L"News@" + top, L"Empty@" + newsId,
                                                  L"\u65e5\u672c@" + top}));
    OwnedTree loaded;
    int count = 0;
    ASSERT_TRUE(store.LoadAll(loaded.root, count));
    EXPECT_EQ(count, 8);
    EXPECT_EQ(Describe(loaded.root), L"{[Favorites From IE{Top=http://top/;Same=http://same/;"
                                     L"[News{Daily=http://daily/;[Empty{}]}][\u65e5\u672c{Same=http://same/;}]}]}");

    // A store that fails keeps nothing of the import.
    CFavorStore closed;
    FavorEdits refused(closed);
    OwnedTree again;
    AddFav(again.root, L"x", L"http://x/");
    EditStep none;
    EXPECT_FALSE(refused.StoreImport(again.root, L"Favorites From Firefox", nullptr, none));
    EXPECT_TRUE(none.Empty());
}
