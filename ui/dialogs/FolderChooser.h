// The folder drop-down list of the edit dialogs: "Root" first, the folders below it
// indented, each entry carrying its FolderRecord* (FillFolderList, SelectFolderById
// are declared with the favorite dialog).
#pragma once
#include "store/Records.h"
#include <windows.h>

// Fills the list with "Root" and the folders below root (leaving out excludedId and
// its subtree) and selects the folder `pid`; when no entry has that folder, "Root".
void PrepareFolderChooser(HWND combo, const FolderRecord* root, int excludedId, int pid);
// The id of the folder of the selected entry; Root (0) when nothing is selected.
int ChosenFolderId(HWND combo);
