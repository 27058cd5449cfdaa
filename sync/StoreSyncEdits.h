// A sync's edits made in the store as one batch: all of them or, when one fails,
// none. New rows' ids go into the merge's state.
#pragma once
#include "sync/SyncMerge.h"
#include <string>

class CFavorStore;

bool ApplySyncEditsToStore(CFavorStore& store, SyncMergeResult& merge, std::wstring& reason);
