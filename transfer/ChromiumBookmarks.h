// Chromium-family bookmark files (Chrome, Edge, Brave, Vivaldi, Opera): the JSON file
// named "Bookmarks" in a profile folder. The roots "bookmark_bar", "other" and "synced"
// become sub-folders named as the file names them ("Bookmarks bar", "Other bookmarks",
// "Mobile bookmarks"), each only when it holds something, with folders and bookmarks in
// file order. The browser writes the file whole and replaces it, so it is read while the
// browser runs.
//
// The tree is built from `new` records that the caller frees (FreeFolderChildren); no ids
// are set. Folders nested deeper than kMaxImportDepth levels keep their contents in their
// ancestor at that depth.
#pragma once
#include "store/Records.h"
#include <string>
#include <string_view>

struct ReadNotes;

// False, with `root` left empty, for anything but a whole, well-formed Bookmarks file
// (truncated, not UTF-8, not JSON, JSON without the roots) or one with more items than
// an import takes. What one item keeps is bounded (ImportedItems.h): a bookmark whose url
// is too long is left out and counted in the notes.
bool ParseChromiumBookmarks(std::string_view json, FolderRecord& root, int& count, ReadNotes& notes);
bool ParseChromiumBookmarks(std::string_view json, FolderRecord& root, int& count);
// The same for a file; false also when it cannot be read.
bool ReadChromiumBookmarks(const std::wstring& path, FolderRecord& root, int& count, ReadNotes& notes);
bool ReadChromiumBookmarks(const std::wstring& path, FolderRecord& root, int& count);
