// The three-way merge on small trees: a first sync, later syncs with changes on either
// side or both, removals against edits, crossing moves, what the file keeps that the
// store never shows, ids, and the question before many deletions.
#include "sync/SyncMerge.h"
#include "sync/Xbel.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <map>

namespace {

using Kind = SyncItem::Kind;

SyncItem Folder(const char* id, const wchar_t* title, std::vector<SyncItem> children = {}) {
    return {Kind::Folder, id, title, {}, std::move(children)};
}
SyncItem Mark(const char* id, const wchar_t* title, const wchar_t* href) { return {Kind::Bookmark, id, title, href, {}}; }
SyncItem Separator(const char* id) { return {Kind::Separator, id, {}, L"https://separator.floccus.org/?id=" , {}}; }
SyncTree File(unsigned long long highestId, std::vector<SyncItem> top) {
    SyncTree t;
    t.highestId = highestId;
    t.root.children = std::move(top);
    return t;
}

// One machine: its store (as the loader gives it) and its sync state. Sync() merges with
// the server's file and applies the result as the program does after a good upload.
struct Machine {
    LocalTree tree;
    SyncState state;
    int nextId = 100;

    int AddFolder(const wchar_t* name, int pid = 0) {
        tree.folders.push_back({++nextId, pid, name});
        return nextId;
    }
    int AddFavor(const wchar_t* name, const wchar_t* location, int pid = 0) {
        tree.favors.push_back({++nextId, pid, name, location});
        return nextId;
    }
    LocalFavor* Favor(const wchar_t* name) {
        for (LocalFavor& f : tree.favors)
            if (f.name == name) return &f;
        return nullptr;
    }
    LocalFolder* FolderNamed(const wchar_t* name) {
        for (LocalFolder& f : tree.folders)
            if (f.name == name) return &f;
        return nullptr;
    }
    void RemoveFavor(const wchar_t* name) {
        tree.favors.erase(std::remove_if(tree.favors.begin(), tree.favors.end(), [&](auto& f) { return f.name == name; }),
                          tree.favors.end());
    }
    void Apply(const LocalEdit& e, std::vector<int>& made) {
        const int pid = e.parentEdit >= 0 ? made[e.parentEdit] : e.parentId;
        auto drop = [](auto& list, int id) {
            list.erase(std::remove_if(list.begin(), list.end(), [&](auto& x) { return x.id == id; }), list.end());
        };
        switch (e.op) {
        case LocalEdit::Op::AddFolder: made.back() = AddFolder(e.name.c_str(), pid); break;
        case LocalEdit::Op::AddFavor: made.back() = AddFavor(e.name.c_str(), e.location.c_str(), pid); break;
        case LocalEdit::Op::UpdateFolder:
            for (auto& f : tree.folders)
                if (f.id == e.id) f = {f.id, pid, e.name};
            break;
        case LocalEdit::Op::UpdateFavor:
            for (auto& f : tree.favors)
                if (f.id == e.id) f = {f.id, pid, e.name, e.location};
            break;
        case LocalEdit::Op::DeleteFavor: drop(tree.favors, e.id); break;
        case LocalEdit::Op::DeleteFolder:  // the test trees keep deleted folders' contents out of the way
            drop(tree.folders, e.id);
            break;
        }
    }
    SyncMergeResult Sync(SyncTree& server) {
        SyncMergeResult r = MergeSync(tree, server, state);
        SyncTree spent = server;  // the merge that takes the server's texts gives the same
        const SyncMergeResult taken = MergeSyncTakingTexts(tree, spent, state);
        EXPECT_EQ(WriteXbel(r.server), WriteXbel(taken.server));
        EXPECT_EQ(r.local.size(), taken.local.size());
        for (size_t i = 0; i < std::min(r.local.size(), taken.local.size()); ++i)
            EXPECT_TRUE(r.local[i].name == taken.local[i].name && r.local[i].location == taken.local[i].location);
        std::vector<int> made;
        for (const LocalEdit& e : r.local) {
            made.push_back(0);
            Apply(e, made);
            if (e.op == LocalEdit::Op::AddFolder || e.op == LocalEdit::Op::AddFavor)
                r.state.items[e.stateItem].localId = made.back();
        }
        if (r.serverChanged) server = r.server;
        state = r.state;
        return r;
    }

    // Folders as name(children), favorites as name, each level folders first, by name.
    std::wstring Render(int folder = 0) const {
        std::vector<std::wstring> parts, favors;
        for (const LocalFolder& f : tree.folders)
            if (f.pid == folder) {
                const std::wstring inner = Render(f.id);
                parts.push_back(f.name + (inner.empty() ? L"" : L"(" + inner + L")"));
            }
        for (const LocalFavor& f : tree.favors)
            if (f.pid == folder) favors.push_back(f.name);
        std::sort(parts.begin(), parts.end());
        std::sort(favors.begin(), favors.end());
        parts.insert(parts.end(), favors.begin(), favors.end());
        std::wstring text;
        for (const auto& p : parts) text += (text.empty() ? L"" : L" ") + p;
        return text;
    }
};

// The file in its order: folders as title(children), separators as "|", ids after "#".
std::wstring Render(const SyncItem& folder, bool ids = false) {
    std::wstring text;
    for (const SyncItem& c : folder.children) {
        if (!text.empty()) text += L' ';
        text += c.kind == Kind::Separator ? L"|" : c.title;
        if (ids) text += L'#' + std::wstring(c.id.begin(), c.id.end());
        if (c.kind == Kind::Folder && !c.children.empty()) text += L'(' + Render(c, ids) + L')';
    }
    return text;
}

SyncItem* Find(SyncItem& in, const wchar_t* title) {
    for (SyncItem& c : in.children) {
        if (c.title == title) return &c;
        if (SyncItem* f = Find(c, title)) return f;
    }
    return nullptr;
}

bool Remove(SyncItem& in, const wchar_t* title) {
    for (auto c = in.children.begin(); c != in.children.end(); ++c) {
        if (c->title == title) return in.children.erase(c), true;
        if (Remove(*c, title)) return true;
    }
    return false;
}

}  // namespace

TEST(SyncMerge, FirstSyncIsAUnionPairedAsFloccusPairs) {
    Machine m;
    const int news = m.AddFolder(L"News");
    m.AddFavor(L"a", L"https://a.example/", news);
    m.AddFavor(L"b here", L"https://B.example", news);  // the same location as the file's b
    m.AddFavor(L"c", L"https://c.example/");
    SyncTree server = File(7, {Folder("1", L"News", {Mark("2", L"b", L"https://b.example/"), Mark("3", L"d", L"https://d.example/")}),
                               Separator("4"), Folder("5", L"Tech"), Mark("6", L"e", L"https://e.example/")});
    const SyncMergeResult r = m.Sync(server);
    EXPECT_EQ(0u, r.localFavorsDeleted + r.serverFavorsDeleted);
    EXPECT_TRUE(r.serverChanged);
    // The local name wins; new local items take 8 and 9, in file order.
    EXPECT_EQ(L"News#1(b here#2 d#3 a#8) |#4 Tech#5 e#6 c#9", Render(server.root, true));
    EXPECT_EQ(9u, server.highestId);
    EXPECT_EQ(L"News(a b here d) Tech c e", m.Render());

    // Nothing changed since: nothing to write, nothing to do.
    const SyncMergeResult again = m.Sync(server);
    EXPECT_FALSE(again.serverChanged);
    EXPECT_TRUE(again.local.empty());
}

TEST(SyncMerge, LaterSyncsCarryEachSidesChangesAndLocalWinsTheSameItem) {
    Machine m;
    const int news = m.AddFolder(L"News");
    const int tech = m.AddFolder(L"Tech");
    for (const wchar_t* n : {L"a", L"b", L"c", L"d", L"e"}) m.AddFavor(n, (std::wstring(L"https://") + n + L"/").c_str(), news);
    SyncTree server = File(0, {});
    m.Sync(server);

    Find(server.root, L"a")->title = L"a server";         // renamed there
    Find(server.root, L"b")->title = L"b server";         // renamed on both sides
    m.Favor(L"b")->name = L"b local";
    m.Favor(L"c")->pid = tech;                            // moved here
    Remove(server.root, L"d");                            // removed there, edited here
    m.Favor(L"d")->name = L"d edited";
    m.RemoveFavor(L"e");                                  // removed here, edited there
    Find(server.root, L"e")->title = L"e server";
    SyncItem moved = *Find(server.root, L"a server");     // and moved there to the top level
    Remove(server.root, L"a server");
    server.root.children.push_back(moved);

    const SyncMergeResult r = m.Sync(server);
    EXPECT_EQ(L"News(b local) Tech(c) a server", Render(server.root));
    EXPECT_EQ(L"News(b local) Tech(c) a server", m.Render());
    EXPECT_EQ(1u, r.localFavorsDeleted);
    EXPECT_EQ(1u, r.serverFavorsDeleted);
}

TEST(SyncMerge, AFolderRemovedOnOneSideStaysForWhatTheOtherPutIntoIt) {
    Machine m;
    const int news = m.AddFolder(L"News");
    m.AddFavor(L"old", L"https://old/", news);
    SyncTree server = File(0, {Folder("1", L"Kept", {Mark("2", L"x", L"https://x/")})});
    m.Sync(server);

    Remove(server.root, L"News");  // the server drops News; here a new favorite goes into it
    m.AddFavor(L"new", L"https://new/", news);
    Find(server.root, L"Kept")->children.push_back(Mark("9", L"y", L"https://y/"));  // and the reverse
    const int kept = m.FolderNamed(L"Kept")->id;
    m.tree.favors.erase(std::remove_if(m.tree.favors.begin(), m.tree.favors.end(), [&](auto& f) { return f.pid == kept; }),
                        m.tree.favors.end());
    m.tree.folders.erase(std::remove_if(m.tree.folders.begin(), m.tree.folders.end(), [&](auto& f) { return f.id == kept; }),
                         m.tree.folders.end());

    m.Sync(server);
    EXPECT_EQ(L"Kept(y) News(new)", Render(server.root));
    EXPECT_EQ(L"Kept(y) News(new)", m.Render());
    EXPECT_NE("3", server.root.children[1].id);  // News is a folder made again on the server
}

TEST(SyncMerge, CrossingMovesKeepTheLocalOneAndSeparatorsStayInPlace) {
    Machine m;
    const int a = m.AddFolder(L"A");
    const int b = m.AddFolder(L"B");
    SyncTree server = File(0, {});
    m.Sync(server);
    server.root.children.insert(server.root.children.begin() + 1, Separator("50"));
    server.highestId = 50;

    m.FolderNamed(L"A")->pid = b;  // A into B here
    SyncItem movedB = *Find(server.root, L"B");  // B into A there
    Remove(server.root, L"B");
    Find(server.root, L"A")->children.push_back(movedB);

    m.Sync(server);
    EXPECT_EQ(L"B(A)", m.Render());
    EXPECT_EQ(L"| B(A)", Render(server.root));
    (void)a;
}

TEST(SyncMerge, TheFileDecidesNothingItCannotBack) {
    // A damaged state is no state: a first sync, which deletes nothing.
    Machine m;
    m.AddFavor(L"mine", L"https://mine/");
    m.state.items = {{"1", "7", false, KeyOfText(L"gone"), KeyOfText(L"https://gone/"), 42}};
    SyncTree server = File(3, {Mark("3", L"x", L"https://x/"), Mark("3", L"twin", L"https://twin/")});
    const SyncMergeResult r = m.Sync(server);
    EXPECT_EQ(0u, r.localFavorsDeleted + r.serverFavorsDeleted);
    EXPECT_EQ(L"x#3 twin#4 mine#5", Render(server.root, true));  // an id the file had twice is new

    // Folders deeper than the sync allows refuse the sync.
    Machine deep;
    int pid = 0;
    for (int i = 0; i <= kMaxSyncDepth; ++i) pid = deep.AddFolder(L"d", pid);
    SyncTree empty = File(0, {});
    EXPECT_TRUE(MergeSync(deep.tree, empty, deep.state).tooDeep);
}

TEST(SyncMerge, ManyDeletionsAskFirst) {
    Machine m;
    for (int i = 0; i < 30; ++i) m.AddFavor((L"f" + std::to_wstring(i)).c_str(), (L"https://f/" + std::to_wstring(i)).c_str());
    SyncTree server = File(0, {});
    m.Sync(server);
    struct Case { size_t removed; bool asks; } cases[] = {{6, false}, {7, true}};  // 20 % of 30 is 6
    for (const Case& c : cases) {
        SyncTree fewer = server;
        fewer.root.children.resize(30 - c.removed);
        const SyncMergeResult r = MergeSync(m.tree, fewer, m.state);
        EXPECT_EQ(c.removed, r.localFavorsDeleted);
        EXPECT_EQ(c.asks, DeletesTooMany(r)) << c.removed;
    }
    SyncMergeResult small;
    small.localFavors = 10;
    small.localFavorsDeleted = 5;  // half, but not more than 5
    EXPECT_FALSE(DeletesTooMany(small));
}

TEST(SyncMerge, StoredTextsCompareInTheFormTheFileGivesBack) {
    Machine m;
    m.AddFavor(L" tab\there ", L"https://t.example/\x7F");
    m.AddFavor(L"not a link", L"");
    m.AddFavor(L"looks like a separator", L"https://separator.floccus.org/?id=3");
    SyncTree server = File(0, {});
    m.Sync(server);
    EXPECT_EQ(L"tab here", Render(server.root));  // what the file can carry, as it reads back
    EXPECT_EQ(L"https://t.example/ ", server.root.children[0].href);
    const SyncMergeResult again = m.Sync(server);
    EXPECT_FALSE(again.serverChanged);
    EXPECT_TRUE(again.local.empty());  // the store keeps its own texts
    EXPECT_EQ(3u, m.tree.favors.size());
}
