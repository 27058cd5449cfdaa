#include "StoreTestSupport.h"
#include "fakes/FakeSeams.h"
#include "store/TextConv.h"
#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::wstring>;

class FavorStoreTest : public testing::Test {
protected:
    void SetUp() override {
        seams.PinClock(2024, 3, 5, 7, 8, 9);
        ASSERT_TRUE(store.Open(L":memory:"));
    }
    Names Search(const std::wstring& text) {
        OwnedFavors found;
        EXPECT_TRUE(store.SearchFavors(text, found.list)) << text.size();
        return found.Names();
    }
    Names MostVisited() {
        std::vector<FavorRecord> cached;  // the store's own records
        EXPECT_TRUE(store.GetMostVisited(cached));
        return OwnedNames(cached);
    }
    Names LatestVisited() {
        std::vector<FavorRecord> cached;
        EXPECT_TRUE(store.GetLatestVisited(cached));
        return OwnedNames(cached);
    }
    static Names OwnedNames(const std::vector<FavorRecord>& records) {
        Names names;
        for (const FavorRecord& f : records) names.push_back(f.name);
        return names;
    }
    void Visit(int id, int times) {
        FavorRecord favor;
        favor.id = id;
        for (int i = 0; i < times; ++i) {
            seams.PinClock(2024, 4, 1, 12, 0, static_cast<WORD>(m_second++));
            ASSERT_TRUE(store.CountVisit(favor));
        }
    }

    FakeSeams seams;
    CFavorStore store;
    int m_second = 0;
};

TEST(FavorStoreClock, TimeTextIsZeroPaddedLocalTime) {
    FakeSeams seams;
    const struct { WORD y, mo, d, h, mi, s; const wchar_t* text; } cases[] = {
        {2024, 3, 5, 7, 8, 9, L"2024-03-05 07:08:09"},
        {2009, 12, 31, 23, 59, 59, L"2009-12-31 23:59:59"},
        {2000, 1, 1, 0, 0, 0, L"2000-01-01 00:00:00"},
        {999, 10, 10, 10, 10, 10, L"999-10-10 10:10:10"},
    };
    for (const auto& c : cases) {
        seams.PinClock(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(CFavorStore::CurrentTimeText(), c.text);
    }
}

TEST_F(FavorStoreTest, AddedFavorsGetFreshIdsAndNoVisitsAndReadBackWhole) {
    FavorRecord first;
    first.name = L"Grüße \u4e2d";
    first.location = L"http://example.com/?q=a&b='c'";
    first.tags = L"  spaced tags  ";
    first.pid = 3;
    first.hits = 7;
    first.lastHit = L"old";
    ASSERT_TRUE(store.AddFavor(first));
    EXPECT_EQ(first.hits, 0);
    EXPECT_EQ(first.lastHit, L"2024-03-05 07:08:09");

    const int second = AddTestFavor(store, L"second", 3);
    ASSERT_TRUE(store.DeleteFavor(second));
    const int third = AddTestFavor(store, L"third", 3);
    EXPECT_GT(second, first.id);
    EXPECT_GE(third, second);  // never below an id still in the table

    OwnedFavors loaded;
    ASSERT_TRUE(store.LoadFavors(3, loaded.list));
    ASSERT_EQ(loaded.Names(), (Names{first.name, L"third"}));
    const FavorRecord& back = loaded.list[0];
    EXPECT_EQ(back.id, first.id);
    EXPECT_EQ(back.pid, 3);
    EXPECT_EQ(back.location, first.location);
    EXPECT_EQ(back.tags, first.tags);
    EXPECT_EQ(back.hits, 0);
    EXPECT_EQ(back.lastHit, L"2024-03-05 07:08:09");

    OwnedFavors empty;
    ASSERT_TRUE(store.LoadFavors(0, empty.list));
    EXPECT_TRUE(empty.list.empty());
}

TEST_F(FavorStoreTest, UpdateFavorMovesAndRenamesButKeepsVisits) {
    FavorRecord favor;
    favor.name = L"before";
    favor.pid = 1;
    ASSERT_TRUE(store.AddFavor(favor));
    Visit(favor.id, 2);
    favor.name = L"after";
    favor.location = L"http://new/";
    favor.tags = L"t";
    favor.pid = 2;
    favor.hits = 0;
    favor.lastHit.clear();
    ASSERT_TRUE(store.UpdateFavor(favor));

    OwnedFavors moved;
    ASSERT_TRUE(store.LoadFavors(2, moved.list));
    ASSERT_EQ(moved.Names(), Names{L"after"});
    EXPECT_EQ(moved.list[0].location, L"http://new/");
    EXPECT_EQ(moved.list[0].tags, L"t");
    EXPECT_EQ(moved.list[0].hits, 2);
    EXPECT_EQ(moved.list[0].lastHit, L"2024-04-01 12:00:01");
}

TEST_F(FavorStoreTest, DeletingASubtreeRemovesEveryLevelAndItsFavorites) {
    const int a = AddTestFolder(store, L"a", 0);
    const int b = AddTestFolder(store, L"b", a);
    const int c = AddTestFolder(store, L"c", b);
    const int d = AddTestFolder(store, L"d", 0);
    for (const auto& [name, pid] : {std::pair{L"fa", a}, {L"fb", b}, {L"fc", c}, {L"fd", d}, {L"root", 0}})
        AddTestFavor(store, name, pid);

    FolderRecord renamed;
    renamed.id = d;
    renamed.name = L"d2";
    renamed.pid = a;
    ASSERT_TRUE(store.UpdateFolder(renamed));
    renamed.pid = 0;
    ASSERT_TRUE(store.UpdateFolder(renamed));

    ASSERT_TRUE(store.DeleteFolders({c, b, a}));
    OwnedTree all;
    int count = -1;
    ASSERT_TRUE(store.LoadAll(all.root, count));
    EXPECT_EQ(Render(all.root), L"d2[fd][root]");
    EXPECT_EQ(count, 3);
}

TEST_F(FavorStoreTest, VisitListsFollowVisitsAndRefreshOnlyWhenStale) {
    ASSERT_TRUE(store.SetVisitListSizes(2, 2));
    const int a = AddTestFavor(store, L"a", 0);
    const int b = AddTestFavor(store, L"b", 0);
    const int c = AddTestFavor(store, L"c", 0);
    const int d = AddTestFavor(store, L"d", 0);
    EXPECT_EQ(MostVisited(), Names{});  // added, never visited
    EXPECT_EQ(LatestVisited(), Names{});

    Visit(c, 3);
    Visit(b, 2);
    Visit(a, 1);
    EXPECT_EQ(MostVisited(), (Names{L"c", L"b"}));
    EXPECT_EQ(LatestVisited(), (Names{L"a", L"b"}));

    // Deleting or adding does not refresh the lists, nor does setting the same sizes.
    ASSERT_TRUE(store.DeleteFavor(c));
    AddTestFavor(store, L"e", 0);
    ASSERT_TRUE(store.SetVisitListSizes(2, 2));
    EXPECT_EQ(MostVisited(), (Names{L"c", L"b"}));

    // A new size refreshes its own list only.
    ASSERT_TRUE(store.SetVisitListSizes(3, 2));
    EXPECT_EQ(MostVisited(), (Names{L"b", L"a"}));
    ASSERT_TRUE(store.SetVisitListSizes(3, 1));
    EXPECT_EQ(LatestVisited(), (Names{L"a"}));

    // A visit refreshes both.
    Visit(d, 3);
    EXPECT_EQ(MostVisited(), (Names{L"d", L"b", L"a"}));
    EXPECT_EQ(LatestVisited(), (Names{L"d"}));

    // Until the next refresh the same records come back.
    EXPECT_EQ(MostVisited(), MostVisited());
}

TEST_F(FavorStoreTest, SearchMatchesLikePatternsSafely) {
    const struct { const wchar_t* name; const wchar_t* location; const wchar_t* tags; int hits; } favors[] = {
        {L"O'Brien's page", L"http://obrien.example/", L"", 3},
        {L"Plain", L"http://shop.example/100%_off", L"deals", 2},
        {L"Mixed CASE", L"http://mixed.example/", L"", 1},
        {L"Stra\u00dfe", L"http://de.example/", L"german", 4},
        {L"\u00fcber uns", L"http://ueber.test/", L"", 0},
    };
    for (const auto& f : favors) Visit(AddTestFavor(store, f.name, 0, f.location, f.tags), f.hits);
    const std::wstring longName = L"L" + std::wstring(200, L'y') + L"end";
    AddTestFavor(store, longName, 0, L"http://long.test/");

    const struct { std::wstring text; Names found; } cases[] = {
        {L"example", {L"Stra\u00dfe", L"O'Brien's page", L"Plain", L"Mixed CASE"}},  // highest hits first
        {L"'", {L"O'Brien's page"}},
        {L"O'Brien's", {L"O'Brien's page"}},
        {L"' or 1=1 or name like '", {}},
        {L"%' --", {}},
        {L"mixed case", {L"Mixed CASE"}},  // ASCII letters ignore case
        {L"\u00dcBER", {}},                // other letters do not
        {L"\u00fcber", {L"\u00fcber uns"}},
        {L"deals", {L"Plain"}},
        {L"100%_off", {L"Plain"}},
        {L"P_ain", {L"Plain"}},            // "_" is any one character
        {L"shop%off", {L"Plain"}},         // "%" is any run
        {L"german", {L"Stra\u00dfe"}},
        {std::wstring(118, L'y'), {longName}},
        {std::wstring(200, L'y') + L"end", {longName}},  // far beyond any fixed statement buffer
        {std::wstring(4000, L'\''), {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Search(c.text), c.found) << ToUtf8(c.text).substr(0, 40);
}

TEST_F(FavorStoreTest, SearchReturnsAtMost150) {
    CFavorStore::Batch batch(store);
    for (int i = 0; i < 160; ++i) AddTestFavor(store, L"n" + std::to_wstring(i), 0);
    ASSERT_TRUE(batch.Commit());
    EXPECT_EQ(Search(L"%").size(), 150u);
    EXPECT_EQ(Search(L"").size(), 150u);
    EXPECT_EQ(Search(L"n15_").size(), 10u);
}

// Folder ids 1..12 get these parents; 9 is its own parent, 10 and 11 are each other's,
// 3 and 8 hang from a folder that does not exist. 5 joins 8 before 8 is found orphaned.
constexpr int kParents[] = {0, 1, 99, 3, 8, 5, 1, 99, 9, 11, 10, 0};

class FavorStoreOrphans : public FavorStoreTest {
protected:
    void SetUp() override {
        FavorStoreTest::SetUp();
        for (int i = 0; i < 12; ++i) ASSERT_EQ(AddTestFolder(store, L"f" + std::to_wstring(i + 1), 0), i + 1);
        for (int i = 0; i < 12; ++i) {
            FolderRecord folder;
            folder.id = i + 1;
            folder.name = L"f" + std::to_wstring(i + 1);
            folder.pid = kParents[i];
            ASSERT_TRUE(store.UpdateFolder(folder));
        }
        for (int pid : {0, 1, 2, 4, 6, 12, 99}) AddTestFavor(store, L"x" + std::to_wstring(pid), pid);
    }
};

TEST_F(FavorStoreOrphans, FolderTreeLeavesOutEverythingBelowAMissingParent) {
    OwnedTree tree;
    ASSERT_TRUE(store.LoadFolderTree(tree.root));
    EXPECT_EQ(Render(tree.root), L"f1(f2 f7) f12");
}

TEST_F(FavorStoreOrphans, LoadAllKeepsTheSubtreeAndCountsWhatItAttached) {
    const struct { int rootId; const wchar_t* tree; int count; } cases[] = {
        // Attached folders: 1 2 5 6 7 9 10 11 12; favorites: x0 x1 x2 x6 x12.
        {0, L"f1(f2[x2] f7)[x1] f12[x12][x0]", 14},
        // Attached folders: 2 5 6 7 9 10 11; favorites: x1 x2 x6.
        {1, L"f2[x2] f7[x1]", 10},
        // Folders 3 and 8 hang from 99: attached 3 4 5 6 8 9 10 11; favorites x4 x6 x99.
        {99, L"f3(f4[x4]) f8(f5(f6[x6]))[x99]", 11},
        // 11 hangs from 10, and 10 (as a folder) from 11: attached 5 6 9 10 11; favorite x6.
        {10, L"f11(f10)", 6},
    };
    for (const auto& c : cases) {
        OwnedTree all;
        all.root.id = c.rootId;
        int count = -1;
        ASSERT_TRUE(store.LoadAll(all.root, count));
        EXPECT_EQ(Render(all.root), c.tree) << c.rootId;
        EXPECT_EQ(count, c.count) << c.rootId;
    }
    // The orphans' rows stay in the file.
    OwnedFavors kept;
    ASSERT_TRUE(store.LoadFavors(4, kept.list));
    ASSERT_TRUE(store.LoadFavors(99, kept.list));
    EXPECT_EQ(kept.Names(), (Names{L"x4", L"x99"}));
}

}  // namespace
