// What the readers of a user's files keep of each item, and what they report besides
// their tree. A bookmark file may come from anyone: whatever it holds, an import must
// not need more than a few times the file's size, so every reader keeps at most so
// much of one item and at most so many items.
#pragma once
#include "store/Records.h"
#include <functional>
#include <string>
#include <string_view>

inline constexpr int kMaxImportItems = 1000000;              // favorites and folders of one import
inline constexpr size_t kMaxNameChars = 4096;                 // longer names are cut, as Firefox cuts titles
inline constexpr size_t kMaxLocationBytes = 2 * 1024 * 1024;  // a longer location (UTF-8) is left out

struct ReadNotes {
    std::wstring failure;  // why the read failed, for the user; empty when there is nothing to add
    int leftOut = 0;       // favorites not taken: a location too long, or holding a NUL
};

// UTF-8 text as a name: converted and cut to kMaxNameChars, never inside a character.
std::wstring NameFromUtf8(std::string_view text);
// The failure of a file with more than kMaxImportItems items.
std::wstring TooManyItemsText();

// Drops the favorites at any depth below `root` that `drop` picks (it may
// change the others). Returns how many were dropped.
int DropFavors(FolderRecord& root, const std::function<bool(FavorRecord& favor)>& drop);
// Cleans every favorite's location below `root` (CleanLocation) and drops each one it
// refuses. Returns how many were dropped.
int CleanImportedLocations(FolderRecord& root);
