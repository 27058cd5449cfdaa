#include "sync/StoreSyncEdits.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include <map>

namespace {

class StoreEdits {
public:
    StoreEdits(CFavorStore& store, SyncMergeResult& merge) : m_store(store), m_merge(merge), m_made(merge.local.size()) {}

    bool Make(size_t i) {
        const LocalEdit& e = m_merge.local[i];
        const int pid = e.parentEdit >= 0 ? m_made[e.parentEdit] : e.parentId;
        switch (e.op) {
        case LocalEdit::Op::AddFolder: {
            FolderRecord f;
            f.name = e.name;
            f.pid = pid;
            if (!m_store.AddFolder(f)) return false;
            return Made(i, f.id);
        }
        case LocalEdit::Op::AddFavor: {
            FavorRecord f;
            f.name = e.name;
            f.location = e.location;
            f.pid = pid;
            if (!m_store.AddFavor(f)) return false;
            return Made(i, f.id);
        }
        case LocalEdit::Op::UpdateFolder: {
            FolderRecord f;
            f.id = e.id;
            f.name = e.name;
            f.pid = pid;
            return m_store.UpdateFolder(f);
        }
        case LocalEdit::Op::UpdateFavor: return UpdateFavor(e, pid);
        case LocalEdit::Op::DeleteFavor: return m_store.DeleteFavor(e.id);
        case LocalEdit::Op::DeleteFolder: return DeleteFolder(e.id);
        }
        return false;
    }

private:
    bool Made(size_t i, int id) {
        m_made[i] = id;
        m_merge.state.items[m_merge.local[i].stateItem].localId = id;
        return true;
    }

    // Tags and visits stay as they are: the record is read first.
    bool UpdateFavor(const LocalEdit& e, int pid) {
        auto loaded = m_loaded.find(e.fromParentId);
        if (loaded == m_loaded.end()) {
            loaded = m_loaded.emplace(e.fromParentId, std::vector<FavorRecord>()).first;
            if (!m_store.LoadFavors(e.fromParentId, loaded->second)) return false;
        }
        for (const FavorRecord& f : loaded->second) {
            if (f.id != e.id) continue;
            FavorRecord changed = f;
            changed.name = e.name;
            changed.location = e.location;
            changed.pid = pid;
            return m_store.UpdateFavor(changed);
        }
        return true;  // gone already: nothing to change
    }

    bool DeleteFolder(int id) {
        if (!m_treeLoaded && !(m_treeLoaded = m_store.LoadFolderTree(m_tree))) return false;
        std::vector<int> ids;
        if (const FolderRecord* f = Find(m_tree, id)) Subtree(*f, ids);
        return ids.empty() || m_store.DeleteFolders(ids);
    }
    static const FolderRecord* Find(const FolderRecord& in, int id) {
        for (const auto& s : in.subfolders) {
            if (s->id == id) return s.get();
            if (const FolderRecord* f = Find(*s, id)) return f;
        }
        return nullptr;
    }
    static void Subtree(const FolderRecord& f, std::vector<int>& ids) {
        for (const auto& s : f.subfolders) Subtree(*s, ids);
        ids.push_back(f.id);  // descendants first
    }

    CFavorStore& m_store;
    SyncMergeResult& m_merge;
    std::vector<int> m_made;
    std::map<int, std::vector<FavorRecord>> m_loaded;
    FolderRecord m_tree;
    bool m_treeLoaded = false;
};

}  // namespace

bool ApplySyncEditsToStore(CFavorStore& store, SyncMergeResult& merge, std::wstring& reason) {
    CFavorStore::Batch batch(store);
    StoreEdits edits(store, merge);
    bool ok = batch.Active();
    for (size_t i = 0; ok && i < merge.local.size(); ++i) ok = edits.Make(i);
    if (ok && batch.Commit()) return true;
    reason = L"the favorites could not be changed (" + FromUtf8(store.LastError().message) + L")";
    return false;
}
