#include "edits/FavorEdits.h"
#include "store/CFavorStore.h"
#include "store/LocationText.h"
#include <algorithm>
#include <map>
#include <set>

namespace {

constexpr wchar_t kNewFolder[] = L"New Folder";
constexpr wchar_t kDeleteFolder[] = L"Delete Folder";
constexpr wchar_t kMoveFavorite[] = L"Move Favorite";
constexpr wchar_t kMoveFavorites[] = L"Move Favorites";
constexpr wchar_t kImport[] = L"Import";

// Whatever path a location came by, it is stored without tabs and line breaks, and one
// holding a NUL is stored empty.
std::wstring Cleaned(const std::wstring& location) { return CleanLocation(location).value_or(std::wstring()); }

bool SameTexts(const FavorRecord& a, const FavorRecord& b) {
    return a.pid == b.pid && a.name == b.name && a.location == b.location && a.tags == b.tags;
}

// The rows by id.
std::map<int, FavorRecord> ById(std::vector<FavorRecord>& rows) {
    std::map<int, FavorRecord> byId;
    for (FavorRecord& r : rows) byId.emplace(r.id, std::move(r));
    return byId;
}

// `folderId` and every folder below it, parents before their children; empty when the
// folder is not stored.
std::vector<FolderRow> Subtree(const std::vector<FolderRow>& rows, int folderId) {
    std::multimap<int, const FolderRow*> children;
    const FolderRow* top = nullptr;
    for (const FolderRow& r : rows) {
        children.emplace(r.pid, &r);
        if (r.id == folderId) top = &r;
    }
    std::vector<FolderRow> subtree;
    if (!top) return subtree;
    subtree.push_back(*top);
    std::set<int> seen{folderId};
    // Breadth first: a ring of folders that are each other's parents is walked once.
    for (size_t at = 0; at < subtree.size(); ++at) {
        const auto [first, last] = children.equal_range(subtree[at].id);
        for (auto it = first; it != last; ++it)
            if (seen.insert(it->second->id).second) subtree.push_back(*it->second);
    }
    return subtree;
}

// The ids of a step's rows that exist on `side` of it and not on the other.
template <class Change, class Side>
std::vector<int> OnlyOn(const std::vector<Change>& changes, Side side, Side other) {
    std::vector<int> ids;
    for (const Change& c : changes)
        if ((c.*side) && !(c.*other)) ids.push_back((c.*side)->id);
    return ids;
}

}  // namespace

FavorEdits::FavorEdits(CFavorStore& store) : m_store(store) {}

void FavorEdits::AddView(IFavorViews* view) {
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end()) m_views.push_back(view);
}

void FavorEdits::RemoveView(IFavorViews* view) {
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
}

void FavorEdits::AddWatcher(IEditWatcher* watcher) {
    if (watcher && std::find(m_watchers.begin(), m_watchers.end(), watcher) == m_watchers.end())
        m_watchers.push_back(watcher);
}

void FavorEdits::RemoveWatcher(IEditWatcher* watcher) {
    m_watchers.erase(std::remove(m_watchers.begin(), m_watchers.end(), watcher), m_watchers.end());
}

bool FavorEdits::Refused() const { return m_store.IsReadOnly(); }

// ---- folders ----

bool FavorEdits::AddFolder(FolderRow& folder) {
    EditStep step;
    step.name = kNewFolder;
    folder.id = 0;
    step.folders.push_back({std::nullopt, folder});
    if (!Record(std::move(step))) return false;
    folder.id = m_undo.back().folders.front().after->id;
    return true;
}

bool FavorEdits::ChangeFolder(const FolderRow& folder, const wchar_t* stepName) {
    std::vector<FolderRow> rows;
    if (folder.id == 0 || !m_store.LoadFolderRows(rows)) return false;
    const std::vector<FolderRow> subtree = Subtree(rows, folder.id);
    if (subtree.empty()) return false;  // no longer stored
    const bool intoItself = std::any_of(subtree.begin(), subtree.end(),
                                        [&](const FolderRow& r) { return r.id == folder.pid; });
    if (intoItself) return false;
    const FolderRow& before = subtree.front();
    if (before.pid == folder.pid && before.name == folder.name) return true;  // nothing to change
    EditStep step;
    step.name = stepName;
    step.folders.push_back({before, folder});
    return Record(std::move(step));
}

bool FavorEdits::DeleteFolder(int folderId) {
    std::vector<FolderRow> rows;
    if (folderId == 0 || !m_store.LoadFolderRows(rows)) return false;
    std::vector<FolderRow> subtree = Subtree(rows, folderId);
    if (subtree.empty()) return true;  // already gone
    std::vector<int> ids;
    for (const FolderRow& r : subtree) ids.push_back(r.id);
    std::vector<FavorRecord> favors;
    if (!m_store.LoadFavorsIn(ids, favors)) return false;
    EditStep step;
    step.name = kDeleteFolder;
    for (FolderRow& r : subtree) step.folders.push_back({std::move(r), std::nullopt});
    for (FavorRecord& f : favors) step.favors.push_back({std::move(f), std::nullopt});
    return Record(std::move(step));
}

// ---- favorites ----

bool FavorEdits::AddFavor(FavorRecord& favor, const wchar_t* stepName) {
    std::vector<FavorRecord> one{favor};
    if (!AddFavors(one, stepName)) return false;
    favor = std::move(one.front());
    return true;
}

bool FavorEdits::AddFavors(std::vector<FavorRecord>& favors, const wchar_t* stepName) {
    if (favors.empty()) return true;
    const std::wstring now = CFavorStore::CurrentTimeText();
    EditStep step;
    step.name = stepName;
    for (FavorRecord& f : favors) {
        f.id = 0;
        f.hits = 0;
        f.lastHit = now;
        f.location = Cleaned(f.location);
        step.favors.push_back({std::nullopt, f});
    }
    if (!Record(std::move(step))) return false;
    const EditStep& stored = m_undo.back();
    for (size_t i = 0; i < favors.size(); ++i) favors[i] = *stored.favors[i].after;
    return true;
}

bool FavorEdits::ChangeFavors(const std::vector<FavorRecord>& favors, const wchar_t* stepName, EditKind kind) {
    std::vector<int> ids;
    for (const FavorRecord& f : favors) ids.push_back(f.id);
    std::vector<FavorRecord> rows;
    if (!m_store.LoadFavorsById(ids, rows)) return false;
    std::map<int, FavorRecord> stored = ById(rows);
    EditStep step;
    step.name = stepName;
    step.kind = kind;
    for (const FavorRecord& f : favors) {
        const auto it = stored.find(f.id);
        if (it == stored.end() || SameTexts(it->second, f)) continue;  // gone meanwhile, or nothing to change
        FavorRecord after = it->second;
        after.pid = f.pid;
        after.name = f.name;
        after.location = Cleaned(f.location);
        after.tags = f.tags;
        if (SameTexts(it->second, after)) continue;
        step.favors.push_back({it->second, std::move(after)});
    }
    return step.Empty() || Record(std::move(step));
}

bool FavorEdits::MoveFavors(const std::vector<int>& ids, int folderId) {
    std::vector<FavorRecord> rows;
    if (!m_store.LoadFavorsById(ids, rows)) return false;
    for (FavorRecord& r : rows) r.pid = folderId;
    return ChangeFavors(rows, ids.size() == 1 ? kMoveFavorite : kMoveFavorites);
}

bool FavorEdits::DeleteFavors(const std::vector<int>& ids, const wchar_t* stepName, EditKind kind) {
    std::vector<FavorRecord> rows;
    if (!m_store.LoadFavorsById(ids, rows)) return false;
    EditStep step;
    step.name = stepName;
    step.kind = kind;
    for (FavorRecord& r : rows) step.favors.push_back({std::move(r), std::nullopt});
    return step.Empty() || Record(std::move(step));
}

bool FavorEdits::CountVisit(const FavorRecord& favor) {
    if (!m_store.CountVisit(favor)) return false;
    std::vector<FavorRecord> now;
    FavorRecord counted = favor;
    if (m_store.LoadFavorsById({favor.id}, now) && !now.empty()) {
        counted = now.front();
    } else {
        ++counted.hits;
        counted.lastHit = CFavorStore::CurrentTimeText();
    }
    for (IFavorViews* view : m_views) view->VisitCounted(counted);
    return true;
}

bool FavorEdits::Apply(EditStep step) {
    for (auto& c : step.favors)
        if (c.after) c.after->location = Cleaned(c.after->location);
    return step.Empty() || Record(std::move(step));
}

// ---- an import ----

namespace {

// Lays the imported tree out as rows: the top folder and each sub-folder take a
// negative stand-in id that their children name as pid until the folders are stored.
class ImportRows {
public:
    ImportRows(EditStep& step, const std::wstring& now) : m_step(step), m_now(now) {}

    void Folder(FolderRecord& folder, int pid) {
        const int id = --m_next;
        m_step.folders.push_back({std::nullopt, FolderRow{id, pid, folder.name}});
        for (FavorRecord& favor : folder.favors) {
            favor.id = 0;
            favor.pid = id;
            favor.hits = 0;
            if (favor.lastHit.empty()) favor.lastHit = m_now;  // one clock reading for the whole import
            m_step.favors.push_back({std::nullopt, std::move(favor)});
        }
        folder.favors.clear();
        for (auto& sub : folder.subfolders) Folder(*sub, id);
    }

private:
    EditStep& m_step;
    const std::wstring& m_now;
    int m_next = 0;
};

}  // namespace

bool FavorEdits::StoreImport(FolderRecord& root, const std::wstring& topName, const std::function<void()>& progress,
                             EditStep& stored) {
    EditStep step;
    step.name = kImport;
    step.kind = EditKind::Import;
    root.name = topName;
    root.pid = 0;
    ImportRows(step, CFavorStore::CurrentTimeText()).Folder(root, 0);
    Announce(step);
    bool top = true;  // the progress counts what was read: the new top folder is not among it
    const auto counted = [&] {
        if (!top && progress) progress();
        top = false;
    };
    if (!Write(step, true, counted)) return false;
    root.id = step.folders.front().after->id;
    stored = std::move(step);
    return true;
}

void FavorEdits::Publish(EditStep step) {
    Tell(step, true);
    m_redo.clear();
    m_undo.push_back(std::move(step));
    while (m_undo.size() > kMaxUndoSteps) m_undo.pop_front();
    Done(m_undo.back());
}

// ---- undo and redo ----

bool FavorEdits::CanUndo() const { return !m_undo.empty() && !Refused(); }
bool FavorEdits::CanRedo() const { return !m_redo.empty() && !Refused(); }
std::wstring FavorEdits::UndoName() const { return m_undo.empty() ? std::wstring() : m_undo.back().name; }
std::wstring FavorEdits::RedoName() const { return m_redo.empty() ? std::wstring() : m_redo.back().name; }

bool FavorEdits::Undo() {
    if (!CanUndo()) return false;
    EditStep& step = m_undo.back();
    if (!Write(step, false)) return false;  // it stays where it is
    Tell(step, false);
    m_redo.push_back(std::move(step));
    m_undo.pop_back();
    Done(m_redo.back());
    return true;
}

bool FavorEdits::Redo() {
    if (!CanRedo()) return false;
    EditStep& step = m_redo.back();
    if (!Write(step, true)) return false;
    Tell(step, true);
    m_undo.push_back(std::move(step));
    m_redo.pop_back();
    Done(m_undo.back());
    return true;
}

void FavorEdits::Replaced() {
    m_undo.clear();
    m_redo.clear();
    for (IFavorViews* view : m_views) view->Reloaded();
}

// ---- writing and telling ----

bool FavorEdits::Record(EditStep step) {
    if (Refused()) return false;
    Announce(step);
    if (!Write(step, true)) return false;
    Publish(std::move(step));
    return true;
}

void FavorEdits::Announce(const EditStep& step) const {
    for (IEditWatcher* watcher : m_watchers) watcher->BeforeChange(step);
}

void FavorEdits::Done(const EditStep& step) const {
    for (IEditWatcher* watcher : m_watchers) watcher->AfterChange(step);
}

bool FavorEdits::Write(EditStep& step, bool forwards, const std::function<void()>& progress) {
    using FolderChange = RowChange<FolderRow>;
    using FavorChange = RowChange<FavorRecord>;
    auto to = [forwards](auto& c) -> auto& { return forwards ? c.after : c.before; };
    auto from = [forwards](auto& c) -> auto& { return forwards ? c.before : c.after; };
    const auto step1 = [&progress] {
        if (progress) progress();
    };

    CFavorStore::Batch batch(m_store);
    if (!batch.Active()) return false;

    // Favorites about to go are read once more first: a visit since the step was made
    // belongs to the row that a later undo or redo brings back.
    std::vector<int> leaving;
    for (FavorChange& c : step.favors)
        if (from(c) && !to(c)) leaving.push_back(from(c)->id);
    if (!leaving.empty()) {
        std::vector<FavorRecord> rows;
        if (!m_store.LoadFavorsById(leaving, rows)) return false;
        std::map<int, FavorRecord> now = ById(rows);
        for (FavorChange& c : step.favors) {
            if (!from(c) || to(c)) continue;
            const auto it = now.find(from(c)->id);
            if (it != now.end()) *from(c) = it->second;
        }
        if (!m_store.DeleteFavorsById(leaving)) return false;
    }
    for (auto it = step.folders.rbegin(); it != step.folders.rend(); ++it)
        if (from(*it) && !to(*it) && !m_store.DeleteFolderRow(from(*it)->id)) return false;

    // Folders made by the step come first, parents before children; a stand-in id is
    // replaced by the stored one wherever a row names it.
    std::map<int, int> standIns;
    const auto resolve = [&standIns](int& pid) {
        if (pid >= 0) return true;
        const auto it = standIns.find(pid);
        if (it == standIns.end()) return false;
        pid = it->second;
        return true;
    };
    for (FolderChange& c : step.folders) {
        if (!to(c)) continue;
        FolderRow& row = *to(c);
        if (!resolve(row.pid)) return false;
        if (from(c)) {
            if (!m_store.UpdateFolderRow(row)) return false;
            continue;
        }
        const int standIn = row.id;
        if (standIn < 0) row.id = 0;
        if (!m_store.InsertFolderRow(row)) return false;
        if (standIn < 0) standIns[standIn] = row.id;
        step1();
    }
    std::vector<int> changed;
    for (FavorChange& c : step.favors) {
        if (!to(c)) continue;
        FavorRecord& row = *to(c);
        if (!resolve(row.pid)) return false;
        if (from(c)) {
            if (!m_store.UpdateFavor(row)) return false;
            changed.push_back(row.id);
            continue;
        }
        if (!m_store.InsertFavorRow(row)) return false;
        step1();
    }
    // The views show a changed favorite with its visit data as stored now.
    if (!changed.empty()) {
        std::vector<FavorRecord> rows;
        if (!m_store.LoadFavorsById(changed, rows)) return false;
        std::map<int, FavorRecord> now = ById(rows);
        for (FavorChange& c : step.favors) {
            if (!to(c) || !from(c)) continue;
            const auto it = now.find(to(c)->id);
            if (it == now.end()) continue;
            to(c)->hits = it->second.hits;
            to(c)->lastHit = it->second.lastHit;
        }
    }
    return batch.Commit();
}

void FavorEdits::Tell(const EditStep& step, bool forwards) const {
    using Side = std::optional<FavorRecord> RowChange<FavorRecord>::*;
    using FolderSide = std::optional<FolderRow> RowChange<FolderRow>::*;
    const Side favorTo = forwards ? &RowChange<FavorRecord>::after : &RowChange<FavorRecord>::before;
    const Side favorFrom = forwards ? &RowChange<FavorRecord>::before : &RowChange<FavorRecord>::after;
    const FolderSide folderTo = forwards ? &RowChange<FolderRow>::after : &RowChange<FolderRow>::before;
    const FolderSide folderFrom = forwards ? &RowChange<FolderRow>::before : &RowChange<FolderRow>::after;

    const std::vector<int> favorsGone = OnlyOn(step.favors, favorFrom, favorTo);
    const std::vector<int> foldersGone = OnlyOn(step.folders, folderFrom, folderTo);
    std::vector<FolderRow> foldersAdded, foldersChanged;
    for (const auto& c : step.folders) {
        if (!(c.*folderTo)) continue;
        ((c.*folderFrom) ? foldersChanged : foldersAdded).push_back(*(c.*folderTo));
    }
    std::vector<FavorRecord> favorsAdded, favorsChanged;
    for (const auto& c : step.favors) {
        if (!(c.*favorTo)) continue;
        ((c.*favorFrom) ? favorsChanged : favorsAdded).push_back(*(c.*favorTo));
    }
    const bool quiet = step.kind == EditKind::Sync;
    for (IFavorViews* view : m_views) {
        if (!favorsGone.empty()) view->FavorsRemoved(favorsGone);
        if (!foldersGone.empty()) view->FoldersRemoved(foldersGone);
        if (!foldersAdded.empty()) view->FoldersAdded(foldersAdded);
        if (!foldersChanged.empty()) view->FoldersChanged(foldersChanged);
        if (!favorsAdded.empty()) view->FavorsAdded(favorsAdded, quiet);
        if (!favorsChanged.empty()) view->FavorsChanged(favorsChanged, quiet);
    }
}
