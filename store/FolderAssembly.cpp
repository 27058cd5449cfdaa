#include "store/FolderAssembly.h"
#include <algorithm>

FolderAssembly::~FolderAssembly() {
    // Either TakeOver left nothing below m_root, or a failed load frees everything.
    FreeFavorList(m_root.favors);
    m_root.subfolders.clear();
    for (Entry& entry : m_folders) {
        FreeFavorList(entry.folder->favors);
        delete entry.folder;
    }
}

void FolderAssembly::Add(FolderRecord* folder) { m_folders.push_back({folder, false}); }

ptrdiff_t FolderAssembly::Index(int id) const {
    const auto it = std::lower_bound(m_folders.begin(), m_folders.end(), id,
                                     [](const Entry& e, int key) { return e.folder->id < key; });
    return it != m_folders.end() && it->folder->id == id ? it - m_folders.begin() : kMissing;
}

ptrdiff_t FolderAssembly::Find(int pid) const { return pid == m_root.id ? kRoot : Index(pid); }

FolderRecord* FolderAssembly::Parent(int pid) const {
    const ptrdiff_t at = Find(pid);
    if (at == kRoot) return const_cast<FolderRecord*>(&m_root);
    if (at == kMissing || m_folders[static_cast<size_t>(at)].dropped) return nullptr;
    return m_folders[static_cast<size_t>(at)].folder;
}

int FolderAssembly::Link() {
    std::sort(m_folders.begin(), m_folders.end(),
              [](const Entry& a, const Entry& b) { return a.folder->id < b.folder->id; });
    // Row ids are unique; never keep two records for one id.
    const auto same = [](const Entry& a, const Entry& b) { return a.folder->id == b.folder->id; };
    for (auto it = std::adjacent_find(m_folders.begin(), m_folders.end(), same); it != m_folders.end();
         it = std::adjacent_find(it, m_folders.end(), same)) {
        delete (it + 1)->folder;
        m_folders.erase(it + 1);
    }

    // Each child list is sized once: many folders have dozens of children.
    std::vector<ptrdiff_t> parents(m_folders.size());
    std::vector<size_t> children(m_folders.size());
    size_t rootChildren = 0;
    for (size_t i = 0; i < m_folders.size(); ++i) {
        parents[i] = Find(m_folders[i].folder->pid);
        if (parents[i] == kRoot) ++rootChildren;
        else if (parents[i] != kMissing) ++children[static_cast<size_t>(parents[i])];
    }
    m_root.subfolders.reserve(rootChildren);
    for (size_t i = 0; i < m_folders.size(); ++i) m_folders[i].folder->subfolders.reserve(children[i]);

    int linked = 0;
    for (size_t i = 0; i < m_folders.size(); ++i) {
        const ptrdiff_t at = parents[i];
        FolderRecord* parent = at == kRoot ? &m_root
                               : at == kMissing || m_folders[static_cast<size_t>(at)].dropped
                                   ? nullptr
                                   : m_folders[static_cast<size_t>(at)].folder;
        if (parent) {
            parent->subfolders.push_back(m_folders[i].folder);
            ++linked;
        } else {
            m_folders[i].dropped = true;
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
    for (Entry& entry : m_folders) entry.dropped = true;
    std::vector<const FolderRecord*> pending{&m_root};
    while (!pending.empty()) {
        const FolderRecord* folder = pending.back();
        pending.pop_back();
        for (const FolderRecord* child : folder->subfolders) {
            // The folder that has the root's id may hang below the root too (a ring through it).
            Entry& entry = m_folders[static_cast<size_t>(Index(child->id))];
            if (!entry.dropped) continue;  // a ring is walked once
            entry.dropped = false;
            pending.push_back(child);
        }
    }
    for (Entry& entry : m_folders) {
        if (!entry.dropped) continue;
        FreeFavorList(entry.folder->favors);
        delete entry.folder;
    }
    m_folders.clear();
}
