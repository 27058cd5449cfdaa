// The two inputs of a sync besides the server's file: the local side, as the store
// holds it below the synced folder, and what the last sync left behind (the tree the
// server then had and which local folder or favorite each of its items is). Plain
// values; no window, no store.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
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

// A text as the last synced tree keeps it in memory: its fingerprint, which the merge
// compares with the texts of either side. (The favorites file keeps the text itself.)
using TextKey = std::size_t;
inline TextKey KeyOfText(std::wstring_view text) { return std::hash<std::wstring_view>()(text); }

// One folder or bookmark of the file as the last sync left it, with the local item it
// is. Separators and what Tidemarker does not show are not kept here.
struct SyncedItem {
    std::string id;        // the file's id
    std::string parentId;  // empty: the file's top level
    bool folder = false;
    TextKey title = KeyOfText({});
    TextKey href = KeyOfText({});
    int localId = 0;       // tbl_folder or tbl_favor row; 0 while the local item is not made yet
    // The texts themselves, where the merge that made the item still holds them (for
    // saving); null for items read from the favorites file.
    const std::wstring* titleText = nullptr;
    const std::wstring* hrefText = nullptr;
};

struct SyncState {
    std::vector<SyncedItem> items;  // parents before their children
};
