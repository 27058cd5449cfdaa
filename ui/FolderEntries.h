// The entries of the Quick Panel's folder drop-down list, built from the tree's
// folders: "Root" first, then every folder depth first, indented three blanks per level.
#pragma once
#include "store/Records.h"
#include <string>
#include <vector>

struct FolderEntry {
    std::wstring text;
    FolderRecord* folder;
};

std::vector<FolderEntry> FolderEntries(FolderRecord& root);
// Index of the first entry for the folder id, or 0 ("Root") when there is none.
size_t FolderEntryIndex(const std::vector<FolderEntry>& entries, int folderId);
