#include "store/FolderAssembly.h"
#include <unordered_set>

FolderAssembly::~FolderAssembly() {
    // Either TakeOver left nothing below m_root, or a failed load frees everything.
    FreeFavorList(m_root.favors);
    m_root.subfolders.clear();
    for (auto& [id, entry] : m_folders) {
        FreeFavorList(entry.folder->favors);
        delete entry.folder;
    }
}

void FolderAssembly::Add(FolderRecord* folder) {
    auto [it, added] = m_folders.emplace(folder->id, Entry{folder, false});
    if (!added) delete folder;  // row ids are unique; never keep two records for one id
}

FolderRecord* FolderAssembly::Parent(int pid) const {
    if (pid == m_root.id) return const_cast<FolderRecord*>(&m_root);
    const auto it = m_folders.find(pid);
    return it == m_folders.end() || it->second.dropped ? nullptr : it->second.folder;
}

int FolderAssembly::Link() {
    int linked = 0;
    for (auto& [id, entry] : m_folders) {
        FolderRecord* parent = Parent(entry.folder->pid);
        if (parent) {
            parent->subfolders.push_back(entry.folder);
            ++linked;
        } else {
            entry.dropped = true;
        }
    }
    return linked;
}

bool FolderAssembly::AddFavor(FavorRecord* favor) {
    FolderRecord* folder = Parent(favor->pid);
    if (!folder) {
        delete favor;
        return false;
    }
    folder->favors.push_back(favor);
    return true;
}

void FolderAssembly::TakeOver(FolderRecord& root) {
    FreeUnreachable();
    root.subfolders.insert(root.subfolders.end(), m_root.subfolders.begin(), m_root.subfolders.end());
    root.favors.insert(root.favors.end(), m_root.favors.begin(), m_root.favors.end());
    m_root.subfolders.clear();
    m_root.favors.clear();
}

// Frees every folder the root cannot reach and forgets all of them: the reachable ones
// now belong to the root's tree. A folder that joined a parent dropped later in the walk,
// or a ring of folders that are each other's parents, ends up here.
void FolderAssembly::FreeUnreachable() {
    std::unordered_set<const FolderRecord*> reachable;
    std::vector<const FolderRecord*> pending{&m_root};
    while (!pending.empty()) {
        const FolderRecord* folder = pending.back();
        pending.pop_back();
        for (const FolderRecord* child : folder->subfolders)
            if (reachable.insert(child).second) pending.push_back(child);
    }
    for (auto& [id, entry] : m_folders) {
        if (reachable.count(entry.folder)) continue;
        FreeFavorList(entry.folder->favors);
        delete entry.folder;
    }
    m_folders.clear();
}
