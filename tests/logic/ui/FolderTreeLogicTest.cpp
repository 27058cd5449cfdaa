// The folder hierarchy without windows: the "is inside" check, moves, removals and
// the indented folder list of the edit dialogs.
#include "ui/FolderTreeLogic.h"
#include <gtest/gtest.h>
#include <memory>

namespace {

// Root
//  1 News / 2 World / 3 Europe / 7 Paris
//         / 4 Sports
//  5 Tech / 6 Linux
struct Hierarchy {
    FolderRecord root;
    FolderIndex index;
    Hierarchy() {
        Add(0, 1, L"News");
        Add(1, 2, L"World");
        Add(2, 3, L"Europe");
        Add(3, 7, L"Paris");
        Add(1, 4, L"Sports");
        Add(0, 5, L"Tech");
        Add(5, 6, L"Linux");
        IndexSubtree(index, root);
    }
    void Add(int pid, int id, const wchar_t* name) {
        FolderRecord* parent = pid == 0 ? &root : Find(root, pid);
        FolderRecord& f = parent->AddSubfolder();
        f.id = id;
        f.pid = pid;
        f.name = name;
    }
    static FolderRecord* Find(FolderRecord& from, int id) {
        for (auto& c : from.subfolders) {
            if (c->id == id) return c.get();
            if (FolderRecord* f = Find(*c, id)) return f;
        }
        return nullptr;
    }
    std::vector<int> ChildIds(int id) {
        std::vector<int> ids;
        for (const auto& c : FindFolderIn(root, index, id)->subfolders) ids.push_back(c->id);
        return ids;
    }
};

}  // namespace

TEST(FolderTreeLogic, IsSelfOrDescendant) {
    Hierarchy h;
    struct Case { int folder, target; bool inside; } cases[] = {
        {0, 0, true},  {0, 5, true},   // the root moves nowhere
        {1, 0, false},                  // anything may become top level
        {1, 1, true},  {1, 2, true},  {1, 3, true}, {1, 7, true}, {2, 7, true},
        {2, 4, false}, {3, 1, false}, {7, 3, false}, {5, 3, false}, {4, 6, false},
        {1, 99, false}, {99, 1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsSelfOrDescendant(h.index, c.folder, c.target), c.inside) << c.folder << " -> " << c.target;
}

TEST(FolderTreeLogic, BrokenParentChainEndsTheWalk) {
    Hierarchy h;
    FolderRecord* a = h.index[3];
    a->pid = 7;  // 3 -> 7 -> 3 ...
    EXPECT_FALSE(IsSelfOrDescendant(h.index, 5, 7));
    EXPECT_TRUE(IsSelfOrDescendant(h.index, 3, 7));
    a->pid = 2;
}

TEST(FolderTreeLogic, MoveRefusesOwnSubtreeAndUnknownParents) {
    Hierarchy h;
    FolderRecord& news = *h.index[1];
    EXPECT_FALSE(MoveFolder(h.root, h.index, news, 1));
    EXPECT_FALSE(MoveFolder(h.root, h.index, news, 3));
    EXPECT_FALSE(MoveFolder(h.root, h.index, news, 42));
    EXPECT_EQ(news.pid, 0);
    EXPECT_EQ(h.ChildIds(0), (std::vector<int>{1, 5}));

    FolderRecord& world = *h.index[2];
    ASSERT_TRUE(MoveFolder(h.root, h.index, world, 5));
    EXPECT_EQ(world.pid, 5);
    EXPECT_EQ(h.ChildIds(1), (std::vector<int>{4}));
    EXPECT_EQ(h.ChildIds(5), (std::vector<int>{6, 2}));  // appended, subtree kept
    EXPECT_EQ(h.ChildIds(2), (std::vector<int>{3}));
    EXPECT_TRUE(IsSelfOrDescendant(h.index, 5, 7));

    ASSERT_TRUE(MoveFolder(h.root, h.index, world, 0));  // to the top level
    EXPECT_EQ(h.ChildIds(0), (std::vector<int>{1, 5, 2}));
}

TEST(FolderTreeLogic, ForgetSubtreeListsDescendantsBeforeAncestors) {
    Hierarchy h;
    FolderRecord* news = h.index[1];
    news->favors.emplace_back();
    const std::unique_ptr<FolderRecord> detached = DetachFolder(h.root, news);
    ASSERT_TRUE(detached);
    std::vector<int> ids;
    ForgetSubtree(h.index, *detached, ids);
    EXPECT_EQ(ids, (std::vector<int>{7, 3, 2, 4, 1}));
    EXPECT_EQ(h.index.size(), 2u);
    EXPECT_EQ(h.ChildIds(0), (std::vector<int>{5}));
}

TEST(FolderTreeLogic, FolderListIsIndentedDepthFirstAndSkipsTheExcludedSubtree) {
    Hierarchy h;
    auto texts = [&](int excluded) {
        std::vector<std::wstring> out;
        for (const FolderListEntry& e : FolderListEntries(h.root, 1, excluded)) out.push_back(e.text);
        return out;
    };
    const std::vector<std::wstring> all = {L"   News", L"      World", L"         Europe", L"            Paris",
                                           L"      Sports", L"   Tech", L"      Linux"};
    EXPECT_EQ(texts(-1), all);
    EXPECT_EQ(texts(0), all);
    EXPECT_EQ(texts(2), (std::vector<std::wstring>{L"   News", L"      Sports", L"   Tech", L"      Linux"}));
    EXPECT_EQ(texts(1), (std::vector<std::wstring>{L"   Tech", L"      Linux"}));
    EXPECT_EQ(FolderListEntries(h.root, 1, -1)[2].folder->id, 3);
}
