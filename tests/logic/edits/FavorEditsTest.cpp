// The one path for changes against a real store in a file: every kind of step done,
// undone and redone leaves the rows exactly as they were, and the views hear of it.
#include "edits/FavorEdits.h"
#include "fakes/FakeSeams.h"
#include "fakes/StoreRows.h"
#include "fakes/TempFolder.h"
#include "store/CFavorStore.h"
#include "store/CppSQLite3Connection.h"
#include "store/TextConv.h"
#include <gtest/gtest.h>
#include <functional>

namespace {

// What the views were told, one line per call.
struct RecordingViews : IFavorViews {
    std::vector<std::wstring> heard;
    static std::wstring Ids(const std::vector<int>& ids) {
        std::wstring s;
        for (int id : ids) s += L" " + std::to_wstring(id);
        return s;
    }
    void FoldersAdded(const std::vector<FolderRow>& f) override { heard.push_back(L"folders+" + std::to_wstring(f.size())); }
    void FoldersChanged(const std::vector<FolderRow>& f) override { heard.push_back(L"folders~" + f[0].name); }
    void FoldersRemoved(const std::vector<int>& ids) override { heard.push_back(L"folders-" + Ids(ids)); }
    void FavorsAdded(const std::vector<FavorRecord>& f, bool) override {
        heard.push_back(L"favors+" + std::to_wstring(f.size()) + L" hits " + std::to_wstring(f[0].hits));
    }
    void FavorsChanged(const std::vector<FavorRecord>& f, bool) override { heard.push_back(L"favors~" + f[0].name); }
    void FavorsRemoved(const std::vector<int>& ids) override { heard.push_back(L"favors-" + Ids(ids)); }
    void VisitCounted(const FavorRecord& f) override { heard.push_back(L"visit " + std::to_wstring(f.hits)); }
};

class FavorEditsTest : public testing::Test {
protected:
    void SetUp() override {
        seams.PinClock(2025, 6, 7, 8, 9, 10);
        ASSERT_TRUE(store.Open(Db()));
        edits.AddView(&views);
        news = Folder(L"News", 0);
        world = Folder(L"World", news);
        tech = Folder(L"Tech", 0);
        a = Favor(L"a", news, 3);
        b = Favor(L"b", world, 0);
        c = Favor(L"c", tech, 1);
    }
    std::wstring Db() const { return dir.Path() + L"\\favors.db"; }
    int Folder(const wchar_t* name, int pid) {
        FolderRecord f;
        f.name = name;
        f.pid = pid;
        EXPECT_TRUE(store.AddFolder(f));
        return f.id;
    }
    int Favor(const wchar_t* name, int pid, int visits) {
        FavorRecord f;
        f.name = name;
        f.location = std::wstring(L"http://") + name + L"/";
        f.tags = L"t";
        f.pid = pid;
        EXPECT_TRUE(store.AddFavor(f));
        for (int i = 0; i < visits; ++i) store.CountVisit(f);
        return f.id;
    }
    std::string Rows() const { return StoreRows(Db()); }

    FakeSeams seams;
    TempFolder dir;
    CFavorStore store;
    FavorEdits edits{store};
    RecordingViews views;
    int news = 0, world = 0, tech = 0, a = 0, b = 0, c = 0;
};

}  // namespace

TEST_F(FavorEditsTest, EveryKindOfStepIsUndoneAndRedoneToTheSameRows) {
    const std::pair<const wchar_t*, std::function<bool()>> steps[] = {
        {L"New Folder", [&] { FolderRow f{0, news, L"Fresh"}; return edits.AddFolder(f) && f.id > tech; }},
        {L"Move", [&] { return edits.ChangeFolder({world, tech, L"Globe"}, L"Move"); }},
        {L"Delete Folder", [&] { return edits.DeleteFolder(news); }},
        {L"New Favorite", [&] { FavorRecord f; f.pid = tech; f.name = L"n"; return edits.AddFavor(f, L"New Favorite"); }},
        {L"Drop", [&] {
             std::vector<FavorRecord> dropped(3);
             for (FavorRecord& f : dropped) f.pid = world;
             return edits.AddFavors(dropped, L"Drop") && dropped[2].id > dropped[1].id;
         }},
        {L"Edit", [&] {
             FavorRecord f;
             f.id = a;
             f.pid = tech;
             f.name = L"A";
             f.location = L"http://A/";
             return edits.ChangeFavors({f}, L"Edit");
         }},
        {L"Move Favorites", [&] { return edits.MoveFavors({a, b}, tech); }},
        {L"Delete Favorites", [&] { return edits.DeleteFavors({a, c}, L"Delete Favorites", EditKind::Cleanup); }},
        {L"Import", [&] {
             FolderRecord root;
             FolderRecord& sub = root.AddSubfolder();
             sub.name = L"Sub";
             sub.favors.emplace_back().name = L"deep";
             root.favors.emplace_back().name = L"top";
             EditStep stored;
             if (!edits.StoreImport(root, L"Imported", {}, stored)) return false;
             edits.Publish(std::move(stored));
             return true;
         }},
    };
    for (const auto& [name, step] : steps) {
        SCOPED_TRACE(name);
        const std::string before = Rows();
        ASSERT_TRUE(step());
        const std::string after = Rows();
        EXPECT_NE(after, before);
        EXPECT_EQ(edits.UndoName(), name);
        ASSERT_TRUE(edits.Undo());
        EXPECT_EQ(Rows(), before);
        EXPECT_EQ(edits.RedoName(), name);
        ASSERT_TRUE(edits.Redo());
        EXPECT_EQ(Rows(), after);
        ASSERT_TRUE(edits.Undo());
        EXPECT_EQ(Rows(), before);
        EXPECT_FALSE(edits.CanUndo());
    }
}

TEST_F(FavorEditsTest, UndoIsLastInFirstOutAndTheViewsFollow) {
    ASSERT_TRUE(edits.DeleteFolder(news));  // News, World, a (3 visits), b
    EXPECT_EQ(views.heard, (std::vector<std::wstring>{L"favors- " + std::to_wstring(a) + L" " + std::to_wstring(b),
                                                      L"folders- " + std::to_wstring(news) + L" " + std::to_wstring(world)}));
    ASSERT_TRUE(edits.MoveFavors({c}, 0));
    views.heard.clear();
    ASSERT_TRUE(edits.Undo());  // the move first
    EXPECT_EQ(views.heard, (std::vector<std::wstring>{L"favors~c"}));
    views.heard.clear();
    ASSERT_TRUE(edits.Undo());  // then the folder comes back, parents first, with its visit data
    EXPECT_EQ(views.heard, (std::vector<std::wstring>{L"folders+2", L"favors+2 hits 3"}));

    FavorRecord counted;
    counted.id = a;
    ASSERT_TRUE(edits.CountVisit(counted));  // not a step
    EXPECT_EQ(views.heard.back(), L"visit 4");
    EXPECT_EQ(edits.UndoName(), L"");
    ASSERT_TRUE(edits.Redo());   // deletes again, keeping the fourth visit for the next undo
    FolderRow fresh{0, 0, L"Fresh"};
    ASSERT_TRUE(edits.AddFolder(fresh));
    EXPECT_FALSE(edits.CanRedo());  // a new change ends what could be redone
    ASSERT_TRUE(edits.Undo());
    ASSERT_TRUE(edits.Undo());
    std::vector<FavorRecord> back;
    ASSERT_TRUE(store.LoadFavorsById({a}, back));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].hits, 4);
}

TEST_F(FavorEditsTest, AStepTheStoreCannotTakeBackStaysAndChangesNothing) {
    ASSERT_TRUE(edits.DeleteFavors({a}, L"Delete Favorite"));
    const std::string deleted = Rows();
    {
        CppSQLite3Connection other;  // another program holds the file's write lock
        other.Open(ToUtf8(Db()).c_str());
        other.Execute("begin immediate;");
        EXPECT_FALSE(edits.Undo());
        EXPECT_TRUE(edits.CanUndo());
        EXPECT_EQ(edits.UndoName(), L"Delete Favorite");
        other.Execute("rollback;");
    }
    EXPECT_EQ(Rows(), deleted);
    EXPECT_TRUE(edits.Undo());

    CFavorStore memory;
    ASSERT_TRUE(memory.Open(L":memory:"));
    FavorEdits many(memory);
    for (int i = 0; i < 120; ++i) {
        FolderRow f{0, 0, L"f"};
        ASSERT_TRUE(many.AddFolder(f));
    }
    size_t kept = 0;
    while (many.Undo()) ++kept;
    EXPECT_EQ(kept, FavorEdits::kMaxUndoSteps);
}
