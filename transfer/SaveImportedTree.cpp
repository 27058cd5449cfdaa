#include "transfer/SaveImportedTree.h"
#include "store/CFavorStore.h"
#include <vector>

namespace {

class TreeSaver {
public:
    TreeSaver(CFavorStore& store, const std::function<void()>& step) : m_store(store), m_step(step) {}

    void SaveFolder(FolderRecord& folder) {
        m_ok = m_store.AddFolder(folder) && m_ok;
        m_folders.push_back(&folder);
    }

    void SaveContents(FolderRecord& folder) {
        for (FavorRecord& favor : folder.favors) {
            favor.pid = folder.id;
            if (favor.lastHit.empty()) favor.lastHit = m_now;  // one clock reading for the whole save
            m_ok = m_store.AddImportedFavor(favor) && m_ok;
            Step();
        }
        for (auto& sub : folder.subfolders) {
            sub->pid = folder.id;
            SaveFolder(*sub);
            Step();
            SaveContents(*sub);
        }
    }

    bool Ok() const { return m_ok; }
    const std::vector<FolderRecord*>& Folders() const { return m_folders; }

private:
    void Step() {
        if (m_step) m_step();
    }

    CFavorStore& m_store;
    const std::function<void()>& m_step;
    const std::wstring m_now = CFavorStore::CurrentTimeText();
    std::vector<FolderRecord*> m_folders;
    bool m_ok = true;
};

}  // namespace

bool SaveImportedTree(CFavorStore& store, FolderRecord& root, const std::wstring& topName,
                      const std::function<void()>& step,
                      const std::function<void(const FolderRecord&)>& folderStored) {
    root.name = topName;
    root.pid = 0;  // directly below Root
    TreeSaver saver(store, step);
    {
        CFavorStore::Batch batch(store);
        const bool batched = batch.Active();
        saver.SaveFolder(root);
        saver.SaveContents(root);
        if (!saver.Ok()) return false;  // leaving the scope rolls the batch back
        if (batched && !batch.Commit()) return false;
    }
    if (folderStored) {
        for (const FolderRecord* folder : saver.Folders()) folderStored(*folder);
    }
    return true;
}
