// Folder helpers of the start-up.
#pragma once
#include <string>

// True when the path names an existing folder.
bool FolderExists(const std::wstring& path);

// Makes every missing folder along the path, from the left; true when the whole path is
// a folder afterwards. Paths longer than paths::kMaxFolderPath characters are refused.
bool EnsureFolder(const std::wstring& path);
