// The in-memory forms of folders and favorites that the store loads and the panes,
// dialogs and transfer jobs pass around. Records are heap objects handed over by
// pointer; whoever built a tree frees it (FreeFolderTree).
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

struct FavorRecord {
    std::wstring name;
    std::wstring location;
    std::wstring tags;
    int hits = 0;
    std::wstring lastHit;  // "YYYY-MM-DD HH:MM:SS" local time, or empty
    int id = 0;
    int pid = 0;
    int listItem = 0;      // row index in the favorites list
};

struct FolderRecord {
    std::wstring name;
    int id = 0;            // 0 is Root, never stored
    int pid = 0;
    std::vector<FolderRecord*> subfolders;
    std::vector<FavorRecord*> favors;
    HTREEITEM treeItem = nullptr;
};

// Frees every record below `root` (not root itself) and empties its lists.
inline void FreeFolderChildren(FolderRecord& root) {
    for (FavorRecord* f : root.favors) delete f;
    root.favors.clear();
    for (FolderRecord* s : root.subfolders) {
        FreeFolderChildren(*s);
        delete s;
    }
    root.subfolders.clear();
}

inline void FreeFavorList(std::vector<FavorRecord*>& list) {
    for (FavorRecord* f : list) delete f;
    list.clear();
}
