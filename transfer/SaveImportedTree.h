// The save phase of an import: stores a tree read from a favorites folder or a Firefox
// database under a new top folder directly below Root.
#pragma once
#include "store/Records.h"
#include <functional>
#include <string>

class CFavorStore;

// Names the root `topName`, stores it below Root and then, depth first, each folder's
// favorites before its sub-folders, every record taking its parent's new id. The whole
// save is one store batch: a failure or a crash half-way leaves nothing of the import,
// and a batch that cannot begin stores nothing at all.
// `step` runs once per stored record, while the batch is open (post, never send, from
// it). After the batch has ended, `folderStored` runs for every stored folder, the top
// folder first and each folder before its sub-folders, so the caller may mirror them
// into windows of another thread with sent messages. False when the store failed; the
// records then carry no valid ids and `folderStored` is not called.
bool SaveImportedTree(CFavorStore& store, FolderRecord& root, const std::wstring& topName,
                      const std::function<void()>& step,
                      const std::function<void(const FolderRecord&)>& folderStored);
