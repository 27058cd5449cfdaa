// The folder hierarchy as plain data: lookups, the "is inside" check, moves and
// removals over a root record and the id -> record index of every folder below it.
// No windows here; the tree pane mirrors what these functions decide.
#pragma once
#include "store/Records.h"
#include <map>
#include <string>
#include <vector>

using FolderIndex = std::map<int, FolderRecord*>;

// The record for id: the root for 0, else the indexed folder, or null.
FolderRecord* FindFolderIn(FolderRecord& root, const FolderIndex& folders, int id);

// True when targetId is folderId itself or lies anywhere below it. The root (0) can
// be moved nowhere; anything can move to the root; an unknown target is not inside.
bool IsSelfOrDescendant(const FolderIndex& folders, int folderId, int targetId);

// Enters every folder below `parent` into the index (pre-order).
void IndexSubtree(FolderIndex& folders, const FolderRecord& parent);

// Takes `child` out of `parent`'s subfolder list and hands it over; null when it was
// not there.
std::unique_ptr<FolderRecord> DetachFolder(FolderRecord& parent, const FolderRecord* child);

// Gives `folder` the parent newPid and appends it to that parent's subfolders.
// Refused (false, nothing changed) when the new parent is unknown or lies inside
// the folder's own subtree.
bool MoveFolder(FolderRecord& root, FolderIndex& folders, FolderRecord& folder, int newPid);

// Drops `folder` and everything below it from the index and appends their ids, every
// descendant before its ancestor and `folder` last. The caller detaches `folder` from
// its parent first and lets it go.
void ForgetSubtree(FolderIndex& folders, const FolderRecord& folder, std::vector<int>& ids);

// The ids of `folder` and everything below it, in the order FreeSubtree gives them.
std::vector<int> SubtreeIds(const FolderRecord& folder);

// One entry of an indented folder list: 3 blanks per level before the name.
struct FolderListEntry {
    std::wstring text;
    const FolderRecord* folder;
};
// The subfolders of `folder`, depth first in list order, starting at `level`; the
// folder whose id is excludedId (not 0; -1 excludes nothing) is left out together
// with everything below it.
std::vector<FolderListEntry> FolderListEntries(const FolderRecord& folder, int level, int excludedId);
