// The sync's own tables in a real favors.db, beside the store's connection: what the
// sync reads of the store, and its state saved in parts and read back.
#include "store/CFavorStore.h"
#include "logic/store/StoreTestSupport.h"
#include "logic/store/TempDbFile.h"
#include "sync/CSyncStore.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

// Texts as the memory keeps them: fingerprints, read back from the file's texts.
SyncedItem Item(const char* id, const char* pid, bool folder, const std::wstring& title, const std::wstring& href,
                int localId) {
    return {id, pid, folder, KeyOfText(title), KeyOfText(href), localId, &title, &href};
}

std::vector<std::string> Ids(const SyncState& s) {
    std::vector<std::string> ids;
    for (const SyncedItem& i : s.items)
        ids.push_back(i.id + (i.parentId.empty() ? "" : "<" + i.parentId) + ":" + std::to_string(i.localId) + ":" +
                      std::to_string(i.title) + ":" + std::to_string(i.href));
    std::sort(ids.begin(), ids.end());  // read back parents first, in no other order
    return ids;
}

}  // namespace

TEST(SyncStore, ReadsTheSyncedFolderAndKeepsItsStatePerTarget) {
    TempDbFile file;
    CFavorStore store;
    ASSERT_TRUE(store.Open(file.Path()));
    const int news = AddTestFolder(store, L"News", 0);
    const int world = AddTestFolder(store, L"World", news);
    AddTestFolder(store, L"Elsewhere", 0);
    FolderRecord orphan;
    orphan.name = L"lost";
    orphan.pid = 999;
    store.AddFolder(orphan);
    FavorRecord a, b;
    a.name = L"a";
    a.pid = world;
    b.name = L"b";
    b.pid = orphan.id;
    store.AddFavor(a);
    store.AddFavor(b);

    CSyncStore sync;
    ASSERT_TRUE(sync.Open(file.Path()));
    CSyncStore::Snapshot read;
    ASSERT_TRUE(sync.Read(news, L"t1", L"", read));
    EXPECT_FALSE(read.rootMissing);
    ASSERT_EQ(1u, read.local.folders.size());  // World only: not News itself, not what hangs nowhere
    ASSERT_EQ(1u, read.local.favors.size());
    EXPECT_TRUE(read.state.items.empty());
    ASSERT_TRUE(sync.Read(4242, L"t1", L"", read));
    EXPECT_TRUE(read.rootMissing);

    const std::wstring texts[] = {L"World", L"", L"a", L"https://a/", L"x", L"https://x/", L"a2", L"y", L"https://y/"};
    SyncState first;
    first.items = {Item("1", "", true, texts[0], texts[1], world), Item("2", "1", false, texts[2], texts[3], a.id),
                   Item("3", "", false, texts[4], texts[5], 0)};
    std::wstring v1, v2;
    ASSERT_TRUE(sync.Save(L"t1", {}, first, v1));
    SyncState second = first;  // one changed, one gone, one new
    second.items[1] = Item("2", "1", false, texts[6], texts[3], a.id);
    second.items.erase(second.items.begin() + 2);
    second.items.push_back(Item("4", "1", false, texts[7], texts[8], 77));
    ASSERT_TRUE(sync.Save(L"t1", first, second, v2));
    EXPECT_NE(v1, v2);
    ASSERT_TRUE(sync.Read(news, L"t1", v1, read));  // the version kept is old: read again
    EXPECT_TRUE(read.stateRead);
    EXPECT_EQ(v2, read.version);
    EXPECT_EQ(Ids(second), Ids(read.state));
    ASSERT_TRUE(sync.Read(news, L"t1", v2, read));  // the caller has it
    EXPECT_FALSE(read.stateRead);
    ASSERT_TRUE(sync.Read(news, L"t2", v2, read));  // another server or file
    EXPECT_TRUE(read.state.items.empty());
    ASSERT_TRUE(sync.Save(L"t2", {}, first, v1));  // replaces the other target's state whole
    ASSERT_TRUE(sync.Read(news, L"t2", L"", read));
    EXPECT_EQ(Ids(first), Ids(read.state));
}
