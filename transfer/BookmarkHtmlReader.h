// Reads bookmark HTML files (<!DOCTYPE NETSCAPE-Bookmark-file-1>) as Firefox, Chrome,
// Edge, Safari and our own export write them into a record tree: each <H3> folder with
// the <DL> list that follows it, each <A HREF> link with its text, its TAGS and its
// LAST_VISIT. Tags and attributes in any case and with any white space, items over
// several lines, with or without <p> and </DT>; <HR> and <DD> are left out. Every
// character reference is decoded. A malformed file gives what could be read.
//
// The tree is built from `new` records that the caller frees (FreeFolderChildren); no ids
// are set. Folders nested deeper than kMaxImportDepth levels keep their contents in
// their ancestor at that depth. What one item keeps is bounded (ImportedItems.h): a link
// whose HREF is too long is left out and counted in the notes.
#pragma once
#include "store/Records.h"
#include <string>
#include <string_view>

struct ReadNotes;

inline constexpr int kMaxImportDepth = 100;

// False, with `root` left empty, when the bytes are not bookmark HTML, or hold more
// items than an import takes (the notes say so).
bool ParseBookmarkHtml(std::string_view html, FolderRecord& root, int& count, ReadNotes& notes);
bool ParseBookmarkHtml(std::string_view html, FolderRecord& root, int& count);
// The same for a file (UTF-8); false also when it cannot be read.
bool ReadBookmarkHtmlFile(const std::wstring& path, FolderRecord& root, int& count, ReadNotes& notes);
bool ReadBookmarkHtmlFile(const std::wstring& path, FolderRecord& root, int& count);
