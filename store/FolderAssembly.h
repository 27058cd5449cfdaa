// Builds a folder tree out of folder rows read in any order. The assembly owns every
// folder it is given until TakeOver hands the tree below the root to the caller; what
// is not reachable from the root then (a missing or cyclic parent chain, or a folder
// outside the root's subtree) is let go with its favorites, and so is everything if
// the assembly dies without a TakeOver (a failed load).
#pragma once
#include "store/Records.h"
#include <memory>
#include <vector>

class FolderAssembly {
public:
    explicit FolderAssembly(int rootId) { m_root.id = rootId; }
    FolderAssembly(const FolderAssembly&) = delete;
    FolderAssembly& operator=(const FolderAssembly&) = delete;
    ~FolderAssembly() = default;

    void Add(std::unique_ptr<FolderRecord> folder);
    // Walks the folders in ascending id order: one whose pid is the root's id joins the
    // root, any other joins its parent unless the parent is missing or was dropped
    // earlier in the walk, in which case it is dropped too. Children always list in
    // ascending id order. Returns how many folders joined a parent.
    int Link();
    // Puts a favorite into the root or its folder; false (and let go) if that folder is
    // missing or was dropped. Only after Link.
    bool AddFavor(FavorRecord&& favor);
    // The same for many at once, each folder's list sized once; how many found a folder.
    int AddFavors(std::vector<FavorRecord>&& favors);
    // Appends the root's subfolders and favors to `root`'s lists and lets the rest go.
    void TakeOver(FolderRecord& root);

private:
    struct Entry {
        std::unique_ptr<FolderRecord> owned;  // until the folder joins its parent
        FolderRecord* folder;
        bool dropped;  // during the walk; afterwards: not reached from the root
    };
    static constexpr ptrdiff_t kRoot = -1;
    static constexpr ptrdiff_t kMissing = -2;

    // Index of the folder with this id or kMissing (by binary search once Link has sorted
    // the entries); Find gives kRoot for the root's id.
    ptrdiff_t Index(int id) const;
    ptrdiff_t Find(int pid) const;
    FolderRecord* Parent(int pid) const;
    void MarkUnreachable();

    FolderRecord m_root;
    std::vector<Entry> m_folders;
    std::vector<ptrdiff_t> m_parents;  // after Link: each entry's parent (an index, kRoot or kMissing)
};
