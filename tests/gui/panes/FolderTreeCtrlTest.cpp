// The folder tree pane on a real tree view: what the items show after filling,
// adding, renaming, moving and deleting, and what the parent window is told.
#include "ui/CFolderTreeCtrl.h"
#include "gui/panes/PaneHost.h"
#include <gtest/gtest.h>

namespace {

std::wstring ItemText(HWND tree, HTREEITEM item) {
    wchar_t buf[256] = {};
    TVITEMW tvi{};
    tvi.mask = TVIF_TEXT | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.pszText = buf;
    tvi.cchTextMax = 256;
    TreeView_GetItem(tree, &tvi);
    return buf;
}

// "Name(child,child(...))" for an item and its subtree; also checks that every
// item's data is a record that the tree shows by that item.
std::wstring Shape(const CFolderTreeCtrl& control, HTREEITEM item) {
    HWND tree = control.Hwnd();
    std::wstring s = ItemText(tree, item);
    const FolderRecord* rec = CFolderTreeCtrl::RecordOf(tree, item);
    if (!rec || control.ItemOf(rec->id) != item) s += L"!";
    HTREEITEM child = TreeView_GetChild(tree, item);
    if (!child) return s;
    s += L"(";
    for (bool first = true; child; child = TreeView_GetNextSibling(tree, child), first = false)
        s += (first ? L"" : L",") + Shape(control, child);
    return s + L")";
}

class FolderTreeTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.Create(nullptr));
        HWND h = host.CreateChild(WC_TREEVIEWW, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                                  IDC_TEST_TREE);
        ASSERT_TRUE(tree.Subclass(h));
        FolderRecord loaded;
        BuildTestHierarchy(loaded);
        tree.FillTree(loaded);
        EXPECT_TRUE(loaded.subfolders.empty());
        host.foldersChanged = host.selectionChanges = 0;
    }
    std::wstring Shape() const { return ::Shape(tree, TreeView_GetRoot(tree.Hwnd())); }
    int SelectedId() const {
        const FolderRecord* f = tree.GetSelectedFolder();
        return f ? f->id : -1;
    }
    static FolderRow Rec(int id, int pid, const wchar_t* name) { return {id, pid, name}; }

    PaneHost host;
    CFolderTreeCtrl tree;
    static constexpr int IDC_TEST_TREE = 9201;
    const std::wstring kFilled = L"Favor Folders(News(World(Europe(Paris)),Sports),Tech(Linux))";
};

}  // namespace

TEST_F(FolderTreeTest, FillShowsTheHierarchyAndSelectsTheRoot) {
    EXPECT_EQ(Shape(), kFilled);
    EXPECT_EQ(SelectedId(), 0);
    EXPECT_EQ(&tree.GetRootFolder(), tree.FindFolder(0));
    EXPECT_EQ(tree.FindFolder(7)->name, L"Paris");
    EXPECT_EQ(tree.FindFolder(8), nullptr);

    tree.SelectFolder(3);
    EXPECT_EQ(SelectedId(), 3);
    tree.SelectFolder(99);  // unknown: the first item
    EXPECT_EQ(SelectedId(), 0);

    FolderRecord again;  // refilling replaces everything
    AddTestFolder(again, 11, L"Only");
    tree.FillTree(again);
    EXPECT_EQ(Shape(), L"Favor Folders(Only)");
    EXPECT_EQ(tree.FindFolder(1), nullptr);
}

TEST_F(FolderTreeTest, AddAppendsUnderTheParentAndSelectsUnlessQuiet) {
    tree.AddFolderItem(Rec(8, 1, L"Weather"), false);
    EXPECT_EQ(Shape(), L"Favor Folders(News(World(Europe(Paris)),Sports,Weather),Tech(Linux))");
    EXPECT_EQ(SelectedId(), 8);
    EXPECT_EQ(host.foldersChanged, 1);

    tree.AddFolderItem(Rec(9, 0, L"Imported"), true);
    EXPECT_EQ(SelectedId(), 8);
    EXPECT_EQ(host.foldersChanged, 1);
    tree.AddFolderItem(Rec(10, 42, L"Lost"), false);  // unknown parent
    tree.AddFolderItem(Rec(8, 0, L"Twice"), false);   // id already shown
    EXPECT_EQ(Shape(), L"Favor Folders(News(World(Europe(Paris)),Sports,Weather),Tech(Linux),Imported)");
    EXPECT_EQ(host.foldersChanged, 1);
}

TEST_F(FolderTreeTest, UpdateRenamesOrMovesWithTheSubtree) {
    tree.UpdateFolderItem(Rec(4, 1, L"Games"));
    EXPECT_EQ(Shape(), L"Favor Folders(News(World(Europe(Paris)),Games),Tech(Linux))");
    EXPECT_EQ(host.foldersChanged, 1);

    tree.SelectFolder(2);
    host.selectionChanges = 0;
    tree.UpdateFolderItem(Rec(2, 5, L"Globe"));
    EXPECT_EQ(Shape(), L"Favor Folders(News(Games),Tech(Linux,Globe(Europe(Paris))))");
    EXPECT_EQ(SelectedId(), 2);
    EXPECT_EQ(host.selectionChanges, 1);  // straight to the moved folder
    EXPECT_EQ(tree.FindFolder(2)->pid, 5);
    EXPECT_TRUE(tree.IsSelfOrDescendant(5, 7));
    EXPECT_FALSE(tree.IsSelfOrDescendant(1, 7));

    tree.UpdateFolderItem(Rec(5, 3, L"Tech"));  // under its own descendant: refused
    tree.UpdateFolderItem(Rec(5, 5, L"Tech"));
    tree.UpdateFolderItem(Rec(77, 0, L"x"));  // unknown id
    EXPECT_EQ(Shape(), L"Favor Folders(News(Games),Tech(Linux,Globe(Europe(Paris))))");
    EXPECT_EQ(host.foldersChanged, 2);

    tree.UpdateFolderItem(Rec(7, 0, L"Paris"));  // a leaf to the top level
    EXPECT_EQ(Shape(), L"Favor Folders(News(Games),Tech(Linux,Globe(Europe)),Paris)");
}

TEST_F(FolderTreeTest, DeleteRemovesTheSubtreeDeepestFirstAndASelectionInsideGoesToTheParent) {
    tree.SelectFolder(2);
    std::vector<int> ids;
    tree.DeleteFolderItem(1, ids, true);
    EXPECT_EQ(ids, (std::vector<int>{7, 3, 2, 4, 1}));
    EXPECT_EQ(Shape(), L"Favor Folders(Tech(Linux))");
    EXPECT_EQ(SelectedId(), 0);
    for (int id : ids) EXPECT_EQ(tree.FindFolder(id), nullptr);
    EXPECT_GE(host.foldersChanged, 1);

    ids.clear();
    tree.DeleteFolderItem(6, ids, true);
    EXPECT_EQ(ids, (std::vector<int>{6}));
    EXPECT_EQ(SelectedId(), 0);  // a selection elsewhere stays
    tree.DeleteFolderItem(0, ids, true);  // the root stays
    tree.DeleteFolderItem(42, ids, true);
    EXPECT_EQ(ids, (std::vector<int>{6}));
    EXPECT_EQ(Shape(), L"Favor Folders(Tech)");
}
