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
    for (const auto& child : parent.subfolders) {
        folders[child->id] = child.get();
        IndexSubtree(folders, *child);
    }
}

std::unique_ptr<FolderRecord> DetachFolder(FolderRecord& parent, const FolderRecord* child) {
    auto& list = parent.subfolders;
    const auto it = std::find_if(list.begin(), list.end(), [child](const auto& c) { return c.get() == child; });
    if (it == list.end()) return nullptr;
    std::unique_ptr<FolderRecord> taken = std::move(*it);
    list.erase(it);
    return taken;
}

bool MoveFolder(FolderRecord& root, FolderIndex& folders, FolderRecord& folder, int newPid) {
    FolderRecord* newParent = FindFolderIn(root, folders, newPid);
    if (!newParent || IsSelfOrDescendant(folders, folder.id, newPid)) return false;
    FolderRecord* oldParent = FindFolderIn(root, folders, folder.pid);
    std::unique_ptr<FolderRecord> moved = oldParent ? DetachFolder(*oldParent, &folder) : nullptr;
    if (!moved) return false;  // a folder nobody holds cannot be given a new parent
    moved->pid = newPid;
    newParent->subfolders.push_back(std::move(moved));
    return true;
}

void ForgetSubtree(FolderIndex& folders, const FolderRecord& folder, std::vector<int>& ids) {
    for (const auto& child : folder.subfolders) ForgetSubtree(folders, *child, ids);
    ids.push_back(folder.id);
    folders.erase(folder.id);
}

std::vector<int> SubtreeIds(const FolderRecord& folder) {
    std::vector<int> ids;
    for (const auto& child : folder.subfolders) {
        const std::vector<int> below = SubtreeIds(*child);
        ids.insert(ids.end(), below.begin(), below.end());
    }
    ids.push_back(folder.id);
    return ids;
}

namespace {
void AppendEntries(std::vector<FolderListEntry>& out, const FolderRecord& folder, int level, int excludedId) {
    for (const auto& child : folder.subfolders) {
        if (excludedId != 0 && child->id == excludedId) continue;
        out.push_back({std::wstring(static_cast<size_t>(3 * level), L' ') + child->name, child.get()});
        AppendEntries(out, *child, level + 1, excludedId);
    }
}
}  // namespace

std::vector<FolderListEntry> FolderListEntries(const FolderRecord& folder, int level, int excludedId) {
    std::vector<FolderListEntry> out;
    AppendEntries(out, folder, level, excludedId);
    return out;
}
