// The store's side of a sync as one step for the change path (edits/FavorEdits.h): the
// step "Sync", which Undo takes back like any other.
#pragma once
#include "edits/EditStep.h"
#include "sync/SyncMerge.h"
#include <string>
#include <vector>

class CFavorStore;
class FavorEdits;

constexpr const wchar_t* kSyncStepName = L"Sync";

// The merge's edits with the rows as the store holds them now: a changed favorite keeps
// its tags and visits, a new folder takes a stand-in id its contents name, a folder that
// goes takes everything still below it. `made` gets, for each row the step makes, which
// state item it is (folders and favorites in the step's order; -1 for the others).
// False when the store could not be read.
struct SyncStep {
    EditStep step;
    std::vector<int> folderItems, favorItems;  // per step.folders / step.favors: state item or -1
};
bool BuildSyncStep(CFavorStore& store, const SyncMergeResult& merge, SyncStep& built);

// After the change path stored `stored` (the same step, ids filled in): the new rows'
// ids into the merge's state.
void TakeNewIds(const SyncStep& built, const EditStep& stored, SyncMergeResult& merge);

// The merge's edits made through the change path as that one step, the new rows' ids
// into the merge's state. False, with a reason, when nothing was made.
bool ApplySyncStep(FavorEdits& edits, SyncMergeResult& merge, std::wstring& reason);
