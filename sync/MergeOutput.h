// The merge's outcome written out (sync/SyncMerge.h): the file to write back, with
// whether it differs from the server's, the store's edits and the new last synced tree.
#pragma once
#include "sync/MergeGraph.h"
#include "sync/SyncMerge.h"

void BuildMergeOutput(const MergeGraph& g, const SyncTree& server, SyncMergeResult& result);
