// The read phase of a favorites folder import: the folder is walked through the shell
// namespace, so the items, their order and their names are the shell's (hidden items
// left out); sub-folders become folder records and shortcuts favorite records whose
// location is read from the file. Runs on a transfer worker thread; touches no window.
#pragma once
#include "store/Records.h"
#include <functional>
#include <string>

// Called with the number of records made so far: at the first one, then at most every
// 100 ms.
using ReadProgress = std::function<void(int items)>;

// `count` is the number of records made. False when the shell cannot open the folder.
bool ReadShellFolder(const std::wstring& path, FolderRecord& root, int& count, const ReadProgress& progress);
