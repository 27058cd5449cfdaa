// The bookmark tree as a sync file holds it: what the file's reader gives, what the
// merge compares and what the writer writes back. Plain values; no window, no store.
#pragma once
#include <string>
#include <vector>

struct SyncItem {
    enum class Kind {
        Folder,     // <folder>: title and children
        Bookmark,   // <bookmark>: title and href
        Separator,  // a bookmark whose href is the separator address; kept in place, never shown
    };
    Kind kind = Kind::Bookmark;
    std::string id;        // the file's id of the item, as written there (a decimal number)
    std::wstring title;
    std::wstring href;     // bookmarks and separators
    std::vector<SyncItem> children;  // folders only, in the file's order
};

// A whole sync file: its top level (a folder without id or title) and the highest id
// handed out so far, from which new items take theirs (highestId + 1, + 2, ...).
struct SyncTree {
    unsigned long long highestId = 0;
    SyncItem root{SyncItem::Kind::Folder, {}, {}, {}, {}};
};
