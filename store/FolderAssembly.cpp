#include "store/FolderAssembly.h"
#include <algorithm>
#include <map>

void FolderAssembly::Add(std::unique_ptr<FolderRecord> folder) {
    FolderRecord* raw = folder.get();
    m_folders.push_back({std::move(folder), raw, false});
}

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
    m_folders.erase(std::unique(m_folders.begin(), m_folders.end(),
                                [](const Entry& a, const Entry& b) { return a.folder->id == b.folder->id; }),
                    m_folders.end());

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

    // A folder joins its parent by pointer and stays owned here; TakeOver hands the
    // reachable ones to their parents' lists.
    int linked = 0;
    for (size_t i = 0; i < m_folders.size(); ++i) {
        const ptrdiff_t at = parents[i];
        const bool joins = at == kRoot || (at != kMissing && !m_folders[static_cast<size_t>(at)].dropped);
        if (joins) ++linked;
        else m_folders[i].dropped = true;
    }
    m_parents = std::move(parents);
    return linked;
}

bool FolderAssembly::AddFavor(FavorRecord&& favor) {
    FolderRecord* folder = Parent(favor.pid);
    if (!folder) return false;
    folder->favors.push_back(std::move(favor));
    return true;
}

int FolderAssembly::AddFavors(std::vector<FavorRecord>&& favors) {
    std::vector<FolderRecord*> homes(favors.size());
    int lastPid = 0;
    FolderRecord* last = nullptr;
    for (size_t i = 0; i < favors.size(); ++i) {
        // A folder's favorites mostly come one after another.
        if (!last || favors[i].pid != lastPid) {
            lastPid = favors[i].pid;
            last = Parent(lastPid);
        }
        homes[i] = last;
    }
    std::map<FolderRecord*, size_t> sizes;
    for (FolderRecord* home : homes)
        if (home) ++sizes[home];
    for (const auto& [folder, n] : sizes) folder->favors.reserve(folder->favors.size() + n);
    int added = 0;
    for (size_t i = 0; i < favors.size(); ++i) {
        if (!homes[i]) continue;
        homes[i]->favors.push_back(std::move(favors[i]));
        ++added;
    }
    favors.clear();
    return added;
}

void FolderAssembly::TakeOver(FolderRecord& root) {
    MarkUnreachable();
    // Children join their parents in ascending id order, which is the entries' order.
    for (size_t i = 0; i < m_folders.size(); ++i) {
        Entry& entry = m_folders[i];
        if (entry.dropped) continue;
        const ptrdiff_t at = m_parents[i];
        FolderRecord& parent = at == kRoot ? m_root : *m_folders[static_cast<size_t>(at)].folder;
        parent.subfolders.push_back(std::move(entry.owned));
    }
    for (auto& sub : m_root.subfolders) root.subfolders.push_back(std::move(sub));
    root.favors.insert(root.favors.end(), std::make_move_iterator(m_root.favors.begin()),
                       std::make_move_iterator(m_root.favors.end()));
    m_root.subfolders.clear();
    m_root.favors.clear();
    m_folders.clear();
    m_parents.clear();
}

// Marks every folder the root cannot reach along the links Link made as dropped: a
// folder that joined a parent dropped later in the walk, or a ring of folders that are
// each other's parents. Only the others join the tree.
void FolderAssembly::MarkUnreachable() {
    std::vector<std::vector<size_t>> children(m_folders.size());
    std::vector<size_t> pending;
    for (size_t i = 0; i < m_folders.size(); ++i) {
        const ptrdiff_t at = m_parents[i];
        if (m_folders[i].dropped) continue;
        if (at == kRoot) pending.push_back(i);
        else children[static_cast<size_t>(at)].push_back(i);
        m_folders[i].dropped = true;
    }
    while (!pending.empty()) {
        const size_t i = pending.back();
        pending.pop_back();
        if (!m_folders[i].dropped) continue;  // a ring is walked once
        m_folders[i].dropped = false;
        for (size_t child : children[i]) pending.push_back(child);
    }
}
