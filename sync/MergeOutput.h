// The merge's outcome written out (sync/SyncMerge.h): the file to write back, with
// whether it differs from the server's, the store's edits and the new last synced tree.
#pragma once
#include "sync/MergeGraph.h"
#include "sync/SyncMerge.h"

// With `takeTexts`, the server's texts that the file keeps are moved out of `server`,
// which the caller no longer needs (the graph's pointers into it are then left alone).
void BuildMergeOutput(const MergeGraph& g, const SyncTree& server, SyncMergeResult& result, bool takeTexts);
