#include "sync/SyncEditStep.h"
#include "edits/FavorEdits.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include <map>
#include <set>

namespace {

class StepBuilder {
public:
    StepBuilder(CFavorStore& store, const SyncMergeResult& merge, SyncStep& out)
        : m_store(store), m_merge(merge), m_out(out), m_standIn(merge.local.size(), 0) {}

    bool Build() {
        std::vector<FolderRow> rows;
        if (!m_store.LoadFolderRows(rows) || !LoadChangedFavors()) return false;
        for (const FolderRow& r : rows) m_folders[r.id] = r;
        for (size_t i = 0; i < m_merge.local.size(); ++i) Edit(i);
        return DeleteFolders();
    }

private:
    bool LoadChangedFavors() {
        std::vector<int> ids;
        for (const LocalEdit& e : m_merge.local)
            if (e.op == LocalEdit::Op::UpdateFavor) ids.push_back(e.id);
        std::vector<FavorRecord> rows;
        if (!ids.empty() && !m_store.LoadFavorsById(ids, rows)) return false;
        for (FavorRecord& r : rows) m_favors[r.id] = std::move(r);
        return true;
    }

    int Parent(const LocalEdit& e) const { return e.parentEdit >= 0 ? m_standIn[e.parentEdit] : e.parentId; }

    void Edit(size_t i) {
        const LocalEdit& e = m_merge.local[i];
        EditStep& step = m_out.step;
        switch (e.op) {
        case LocalEdit::Op::AddFolder:
            m_standIn[i] = -static_cast<int>(i) - 1;
            step.folders.push_back({std::nullopt, FolderRow{m_standIn[i], Parent(e), e.name}});
            m_out.folderItems.push_back(static_cast<int>(e.stateItem));
            break;
        case LocalEdit::Op::UpdateFolder: {
            auto now = m_folders.find(e.id);
            if (now == m_folders.end()) break;
            step.folders.push_back({now->second, FolderRow{e.id, Parent(e), e.name}});
            m_out.folderItems.push_back(-1);
            now->second.pid = Parent(e);  // where it is once the step is done
            break;
        }
        case LocalEdit::Op::AddFavor: {
            FavorRecord f;
            f.name = e.name;
            f.location = e.location;
            f.pid = Parent(e);
            f.lastHit = m_now;
            step.favors.push_back({std::nullopt, std::move(f)});
            m_out.favorItems.push_back(static_cast<int>(e.stateItem));
            break;
        }
        case LocalEdit::Op::UpdateFavor: {
            auto now = m_favors.find(e.id);
            if (now == m_favors.end()) break;
            FavorRecord after = now->second;  // tags and visits stay
            after.name = e.name;
            after.location = e.location;
            after.pid = Parent(e);
            step.favors.push_back({now->second, std::move(after)});
            m_out.favorItems.push_back(-1);
            m_movedFavors.insert(e.id);
            break;
        }
        case LocalEdit::Op::DeleteFavor: {
            FavorRecord gone;  // read again by the change path before it goes
            gone.id = e.id;
            gone.pid = e.fromParentId;
            step.favors.push_back({std::move(gone), std::nullopt});
            m_out.favorItems.push_back(-1);
            m_movedFavors.insert(e.id);
            break;
        }
        case LocalEdit::Op::DeleteFolder: m_gone.push_back(e.id); break;
        }
    }

    // Each folder that goes, with what is below it once the step's moves are done:
    // parents before children, then the favorites in them.
    bool DeleteFolders() {
        if (m_gone.empty()) return true;
        std::multimap<int, int> children;
        for (const auto& [id, row] : m_folders) children.emplace(row.pid, id);
        std::vector<int> below;
        for (int top : m_gone) {
            if (!m_folders.count(top)) continue;
            const size_t start = below.size();
            below.push_back(top);
            for (size_t at = start; at < below.size(); ++at) {
                auto range = children.equal_range(below[at]);
                for (auto c = range.first; c != range.second; ++c) below.push_back(c->second);
            }
        }
        for (int id : below) {
            m_out.step.folders.push_back({m_folders[id], std::nullopt});
            m_out.folderItems.push_back(-1);
        }
        std::vector<FavorRecord> favors;
        if (!m_store.LoadFavorsIn(below, favors)) return false;
        for (FavorRecord& f : favors) {
            if (m_movedFavors.count(f.id)) continue;  // moved out (or deleted already) by this step
            m_out.step.favors.push_back({std::move(f), std::nullopt});
            m_out.favorItems.push_back(-1);
        }
        return true;
    }

    CFavorStore& m_store;
    const SyncMergeResult& m_merge;
    SyncStep& m_out;
    std::vector<int> m_standIn;      // per edit: the stand-in id of a folder it makes
    std::map<int, FolderRow> m_folders;
    std::map<int, FavorRecord> m_favors;
    std::set<int> m_movedFavors;
    std::vector<int> m_gone;
    const std::wstring m_now = CFavorStore::CurrentTimeText();
};

}  // namespace

bool BuildSyncStep(CFavorStore& store, const SyncMergeResult& merge, SyncStep& built) {
    built = SyncStep();
    built.step.name = kSyncStepName;
    // The kind tells the change path's watchers what this is: the backups copy the
    // favorites before a sync's step that takes anything away (reason "sync").
    built.step.kind = EditKind::Sync;
    return StepBuilder(store, merge, built).Build();
}

void TakeNewIds(const SyncStep& built, const EditStep& stored, SyncMergeResult& merge) {
    for (size_t i = 0; i < built.folderItems.size() && i < stored.folders.size(); ++i)
        if (built.folderItems[i] >= 0 && stored.folders[i].after)
            merge.state.items[built.folderItems[i]].localId = stored.folders[i].after->id;
    for (size_t i = 0; i < built.favorItems.size() && i < stored.favors.size(); ++i)
        if (built.favorItems[i] >= 0 && stored.favors[i].after)
            merge.state.items[built.favorItems[i]].localId = stored.favors[i].after->id;
}

namespace {

// Hears the stored step, with its new ids, while the step is made.
class NewIds : public IEditWatcher {
public:
    NewIds(FavorEdits& edits, const SyncStep& built, SyncMergeResult& merge)
        : m_edits(edits), m_built(built), m_merge(merge) {
        m_edits.AddWatcher(this);
    }
    ~NewIds() override { m_edits.RemoveWatcher(this); }
    void AfterChange(const EditStep& step) override {
        if (step.kind == EditKind::Sync) TakeNewIds(m_built, step, m_merge);
    }

private:
    FavorEdits& m_edits;
    const SyncStep& m_built;
    SyncMergeResult& m_merge;
};

std::wstring StoreReason(const wchar_t* what, const CFavorStore& store) {
    return std::wstring(what) + L" (" + FromUtf8(store.LastError().message) + L")";
}

}  // namespace

bool ApplySyncStep(FavorEdits& edits, SyncMergeResult& merge, std::wstring& reason) {
    SyncStep built;
    if (!BuildSyncStep(edits.Store(), merge, built)) {
        reason = StoreReason(L"the favorites could not be read", edits.Store());
        return false;
    }
    NewIds ids(edits, built, merge);
    if (edits.Apply(std::move(built.step))) return true;
    reason = StoreReason(L"the favorites could not be changed", edits.Store());
    return false;
}
