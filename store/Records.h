// The in-memory forms of folders and favorites that the store loads and the panes,
// dialogs and transfer jobs pass around. They are plain values: a favorite is copied or
// moved, a folder owns its sub-folders and its favorites. What a view keeps about a
// record (a tree item, a list row) lives with that view.
#pragma once
#include <memory>
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
};

// One row of the folder table, without what the folder holds.
struct FolderRow {
    int id = 0;
    int pid = 0;
    std::wstring name;
};

// Sub-folders are held by pointer so that a folder keeps its address while the tree
// around it grows (the folder tree pane hands these addresses to its items).
struct FolderRecord {
    std::wstring name;
    int id = 0;            // 0 is Root, never stored
    int pid = 0;
    std::vector<std::unique_ptr<FolderRecord>> subfolders;
    std::vector<FavorRecord> favors;

    FolderRecord() = default;
    FolderRecord(FolderRecord&&) = default;
    FolderRecord& operator=(FolderRecord&&) = default;
    FolderRow Row() const { return {id, pid, name}; }
    // Appends a new empty sub-folder and returns it.
    FolderRecord& AddSubfolder() { return *subfolders.emplace_back(std::make_unique<FolderRecord>()); }
};
