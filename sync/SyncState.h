// The two inputs of a sync besides the server's file: the local side, as the store
// holds it below the synced folder, and what the last sync left behind (the tree the
// server then had and which local folder or favorite each of its items is). Plain
// values; no window, no store.
#pragma once
#include <string>
#include <vector>

struct LocalFolder {
    int id = 0;
    int pid = 0;
    std::wstring name;
};

struct LocalFavor {
    int id = 0;
    int pid = 0;
    std::wstring name;
    std::wstring location;
};

// Everything below the synced folder `rootId` (0 = Root), flat, in any order.
struct LocalTree {
    int rootId = 0;
    std::vector<LocalFolder> folders;
    std::vector<LocalFavor> favors;
};

// One folder or bookmark of the file as the last sync left it, with the local item it
// is. Separators and what Tidemarker does not show are not kept here.
struct SyncedItem {
    std::string id;        // the file's id
    std::string parentId;  // empty: the file's top level
    bool folder = false;
    std::wstring title;
    std::wstring href;
    int localId = 0;       // tbl_folder or tbl_favor row; 0 while the local item is not made yet
};

struct SyncState {
    std::vector<SyncedItem> items;  // parents before their children
};
