// The sync's own tables in a real favors.db, beside the store's connection: what the
// sync reads of the store, and its state saved in parts and read back.
#include "store/CFavorStore.h"
#include "logic/store/StoreTestSupport.h"
#include "logic/store/TempDbFile.h"
#include "store/TextConv.h"
#include "sync/CSyncStore.h"
#include <gtest/gtest.h>
#include <algorithm>

namespace {

std::vector<std::string> Ids(const SyncState& s) {
    std::vector<std::string> ids;
    for (const SyncedItem& i : s.items) ids.push_back(i.id + (i.parentId.empty() ? "" : "<" + i.parentId) + ":" +
                                                      std::to_string(i.localId) + ToUtf8(i.title));
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
    LocalTree local;
    SyncState state;
    bool missing = true;
    ASSERT_TRUE(sync.Read(news, L"t1", local, state, missing));
    EXPECT_FALSE(missing);
    ASSERT_EQ(1u, local.folders.size());  // World only: not News itself, not what hangs nowhere
    ASSERT_EQ(1u, local.favors.size());
    EXPECT_TRUE(state.items.empty());
    ASSERT_TRUE(sync.Read(4242, L"t1", local, state, missing));
    EXPECT_TRUE(missing);

    SyncState first;
    first.items = {{"1", "", true, L"World", L"", world}, {"2", "1", false, L"a", L"https://a/", a.id},
                   {"3", "", false, L"x", L"https://x/", 0}};
    ASSERT_TRUE(sync.Save(L"t1", {}, first));
    SyncState second = first;  // one changed, one gone, one new
    second.items[1].title = L"a2";
    second.items.erase(second.items.begin() + 2);
    second.items.push_back({"4", "1", false, L"y", L"https://y/", 77});
    ASSERT_TRUE(sync.Save(L"t1", first, second));
    ASSERT_TRUE(sync.Read(news, L"t1", local, state, missing));
    EXPECT_EQ(Ids(second), Ids(state));
    ASSERT_TRUE(sync.Read(news, L"t2", local, state, missing));  // another server or file
    EXPECT_TRUE(state.items.empty());
    ASSERT_TRUE(sync.Save(L"t2", {}, first));  // replaces the other target's state whole
    ASSERT_TRUE(sync.Read(news, L"t2", local, state, missing));
    EXPECT_EQ(Ids(first), Ids(state));
}
