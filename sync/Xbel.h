// The sync file: XBEL 1.0 as the floccus browser extension reads and writes it.
//
// Reading treats the bytes as hostile: a file is refused (never half read) when it lacks
// the XML declaration `<?xml version="1.0" encoding="UTF-8"?>` or the highestId comment
// (`<!--- highestId :N: for Floccus bookmark sync browser extension -->`), when it does
// not parse as XML, when its root is not <xbel>, or when it passes the bounds below. The
// DOCTYPE is read but nothing is ever fetched for it. Titles are trimmed of white space
// at both ends (as floccus reads them) and any control character in a title or an
// address becomes a space. Elements other than <folder>, <bookmark> and <title> are left
// out, as floccus leaves them out. highestId is raised to the highest id in the file
// when the comment says less, so new ids never collide.
//
// Writing gives the bytes floccus's own serializer gives for the same tree: the header
// lines, two-space indentation, `& < > " '` as the five named entities, raw UTF-8, no
// numeric character reference and no control character (a control character in a
// title or an address is written as a space). Items without an id take highestId + 1,
// + 2, ... in the file's order, and the comment carries the raised count.
#pragma once
#include "sync/SyncTree.h"
#include <string>
#include <string_view>

inline constexpr size_t kMaxXbelBytes = 256u * 1024 * 1024;
inline constexpr int kMaxXbelDepth = 100;          // folders inside folders
inline constexpr size_t kMaxXbelItems = 1000000;   // folders, bookmarks and separators
inline constexpr size_t kMaxXbelTitle = 64 * 1024;        // characters
inline constexpr size_t kMaxXbelHref = 1024 * 1024;       // characters

// The address floccus gives a separator: this prefix, then `?id=N`.
inline constexpr wchar_t kSeparatorHrefPrefix[] = L"https://separator.floccus.org/";

// True with `tree` filled; false with `reason` (a short English sentence for the status
// line) and `tree` left as it was.
bool ReadXbel(std::string_view bytes, SyncTree& tree, std::wstring& reason);

// The file's bytes (UTF-8).
std::string WriteXbel(const SyncTree& tree);
