// Firefox bookmark databases ("places.sqlite"): finding the first profile's database and
// reading the folders of the bookmarks menu and the unsorted bookmarks into a record tree.
#pragma once
#include "store/Records.h"
#include <string>

class CppSQLite3Connection;
struct ReadNotes;

// The first profile's database below a Firefox folder (ending in a backslash), from its
// profiles.ini; empty when the folder or the profile's path is missing.
std::wstring FirefoxPlacesPath(const std::wstring& firefoxFolder);

// Reads a file named exactly "places.sqlite" (opened by its full path; the current
// directory is never changed). When a running Firefox holds the database locked, or its
// folder does not let it be opened, the database and its write-ahead log are read
// through a temporary copy, removed afterwards. False when nothing could be read;
// `root` is then left empty.
bool ReadPlacesFile(const std::wstring& path, FolderRecord& root, int& count);
// The same, with what was left out (a location too long) and why a read failed (more
// items than an import takes) in the notes.
bool ReadPlacesFile(const std::wstring& path, FolderRecord& root, int& count, ReadNotes& notes);

// The tree of an open database; throws CppSQLite3Exception. The menu's sub-folders become
// root.subfolders (each level in ascending Firefox id order) and the unsorted bookmarks
// root.favors; bookmarks directly in the menu or the toolbar, folders of the toolbar, the
// tags and the unsorted bookmarks, and everything below them are left out. The four roots
// are found by their guids where the database has them (a migrated profile may hold them
// under other ids), otherwise they are ids 2 to 5 below the places root 1. `count` is the
// number of records in the tree.
void ReadPlacesTree(CppSQLite3Connection& db, FolderRecord& root, int& count);
void ReadPlacesTree(CppSQLite3Connection& db, FolderRecord& root, int& count, ReadNotes& notes);
