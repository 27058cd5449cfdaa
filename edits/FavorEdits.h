// The one path by which folders and favorites change. Every change is written to the
// store first, as one transaction, then kept as a step that Undo and Redo can take back
// and do again, and then told to the views (the folder tree and the favorites list).
// Watchers hear of each step before it is written and after the views have it.
//
// No window here: a refused change returns false (or a count short of what was asked)
// and leaves the store and the views as they were; the caller tells the user, with the
// store's LastError().
//
// Threads: everything runs on the GUI thread, except StoreImport, which an import's
// worker calls while the wizard is up; its step reaches the undo stack and the views
// through Publish, on the GUI thread.
#pragma once
#include "edits/EditStep.h"
#include "edits/FavorViews.h"
#include <deque>
#include <functional>
#include <string>
#include <vector>

class CFavorStore;

class IEditWatcher {
public:
    virtual ~IEditWatcher() = default;
    // Before a step is written (on the import's worker for an import). Undo and Redo are
    // not announced here.
    virtual void BeforeChange(const EditStep& step) { (void)step; }
    // After a step, an undo or a redo was written and the views were told.
    virtual void AfterChange(const EditStep& step) { (void)step; }
};

class FavorEdits {
public:
    // The most steps kept for Undo; older ones are forgotten.
    static constexpr size_t kMaxUndoSteps = 100;

    explicit FavorEdits(CFavorStore& store);
    FavorEdits(const FavorEdits&) = delete;
    FavorEdits& operator=(const FavorEdits&) = delete;

    CFavorStore& Store() const { return m_store; }
    void AddView(IFavorViews* view);
    void RemoveView(IFavorViews* view);
    void AddWatcher(IEditWatcher* watcher);
    void RemoveWatcher(IEditWatcher* watcher);

    // ---- folders ----
    // Sets folder.id.
    bool AddFolder(FolderRow& folder);
    // A new name or parent; a parent inside the folder's own subtree is refused.
    bool ChangeFolder(const FolderRow& folder, const wchar_t* stepName);
    // The folder with everything below it.
    bool DeleteFolder(int folderId);

    // ---- favorites ----
    // Sets id, hits 0 and lastHit now.
    bool AddFavor(FavorRecord& favor, const wchar_t* stepName);
    // Several at once (a drop, a paste): each gets its id, hits 0 and lastHit now.
    bool AddFavors(std::vector<FavorRecord>& favors, const wchar_t* stepName);
    // Name, location, tags and folder of each; visit data is never changed here.
    bool ChangeFavors(const std::vector<FavorRecord>& favors, const wchar_t* stepName,
                      EditKind kind = EditKind::Ordinary);
    bool MoveFavors(const std::vector<int>& ids, int folderId);
    bool DeleteFavors(const std::vector<int>& ids, const wchar_t* stepName, EditKind kind = EditKind::Ordinary);
    // Not a step: a visit is never undone.
    bool CountVisit(const FavorRecord& favor);

    // A step put together elsewhere (a sync): written and kept like any other. Rows made
    // by it get their ids. An empty step changes nothing and is not kept.
    bool Apply(EditStep step);

    // ---- an import ----
    // On the worker: stores the tree under a new top folder named topName directly below
    // Root (the whole tree as one transaction; `progress` runs once per stored record) and
    // gives back the stored step, with every record's id. False: nothing was stored.
    bool StoreImport(FolderRecord& root, const std::wstring& topName, const std::function<void()>& progress,
                     EditStep& stored);
    // On the GUI thread: a step stored by StoreImport joins the undo stack and the views.
    void Publish(EditStep step);

    // ---- undo and redo ----
    bool CanUndo() const;
    bool CanRedo() const;
    // The name of the step Undo or Redo would take, or empty.
    std::wstring UndoName() const;
    std::wstring RedoName() const;
    bool Undo();
    bool Redo();
    // Everything was replaced by other means (a restore): forgets every step and tells the
    // views to load everything again.
    void Replaced();

private:
    // Writes the step one way as one transaction; ids of new rows are filled in. False:
    // nothing of it was written.
    bool Write(EditStep& step, bool forwards, const std::function<void()>& progress = {});
    void Tell(const EditStep& step, bool forwards) const;
    bool Record(EditStep step);
    void Announce(const EditStep& step) const;
    void Done(const EditStep& step) const;
    bool Refused() const;

    CFavorStore& m_store;
    std::vector<IFavorViews*> m_views;
    std::vector<IEditWatcher*> m_watchers;
    std::deque<EditStep> m_undo;  // newest last
    std::vector<EditStep> m_redo;  // newest last
};
