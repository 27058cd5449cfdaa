#include "ui/FolderTreeLogic.h"
#include <algorithm>

FolderRecord* FindFolderIn(FolderRecord& root, const FolderIndex& folders, int id) {
    if (id == 0) return &root;
    const auto it = folders.find(id);
    return it == folders.end() ? nullptr : it->second;
}

bool IsSelfOrDescendant(const FolderIndex& folders, int folderId, int targetId) {
    if (folderId == 0) return true;
    if (targetId == 0) return false;
    auto it = folders.find(targetId);
    if (it == folders.end()) return false;
    if (it->second->id == folderId) return true;
    // A pid chain that loops back on itself ends the walk after one round at most.
    for (size_t steps = 0; it->second->pid != 0 && steps <= folders.size(); ++steps) {
        if (it->second->pid == folderId) return true;
        it = folders.find(it->second->pid);
        if (it == folders.end()) return false;
    }
    return false;
}

void IndexSubtree(FolderIndex& folders, const FolderRecord& parent) {
    for (FolderRecord* child : parent.subfolders) {
        folders[child->id] = child;
        IndexSubtree(folders, *child);
    }
}

bool DetachFolder(FolderRecord& parent, const FolderRecord* child) {
    auto& list = parent.subfolders;
    const auto it = std::find(list.begin(), list.end(), child);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

bool MoveFolder(FolderRecord& root, FolderIndex& folders, FolderRecord& folder, int newPid) {
    FolderRecord* newParent = FindFolderIn(root, folders, newPid);
    if (!newParent || IsSelfOrDescendant(folders, folder.id, newPid)) return false;
    if (FolderRecord* oldParent = FindFolderIn(root, folders, folder.pid)) DetachFolder(*oldParent, &folder);
    folder.pid = newPid;
    newParent->subfolders.push_back(&folder);
    return true;
}

void FreeSubtree(FolderIndex& folders, FolderRecord* folder, std::vector<int>& ids) {
    for (FolderRecord* child : folder->subfolders) FreeSubtree(folders, child, ids);
    folder->subfolders.clear();
    FreeFavorList(folder->favors);
    ids.push_back(folder->id);
    folders.erase(folder->id);
    delete folder;
}

std::vector<int> SubtreeIds(const FolderRecord& folder) {
    std::vector<int> ids;
    for (const FolderRecord* child : folder.subfolders) {
        const std::vector<int> below = SubtreeIds(*child);
        ids.insert(ids.end(), below.begin(), below.end());
    }
    ids.push_back(folder.id);
    return ids;
}

namespace {
void AppendEntries(std::vector<FolderListEntry>& out, const FolderRecord& folder, int level, int excludedId) {
    for (const FolderRecord* child : folder.subfolders) {
        if (excludedId != 0 && child->id == excludedId) continue;
        out.push_back({std::wstring(static_cast<size_t>(3 * level), L' ') + child->name, child});
        AppendEntries(out, *child, level + 1, excludedId);
    }
}
}  // namespace

std::vector<FolderListEntry> FolderListEntries(const FolderRecord& folder, int level, int excludedId) {
    std::vector<FolderListEntry> out;
    AppendEntries(out, folder, level, excludedId);
    return out;
}
