// The three-way merge of a sync: the local tree, the server's file and the tree the
// last sync left (with which local item each of its items is).
//
// - An item that only one side changed since the last sync takes that side's change to
//   the other side; an item both sides changed keeps the local name, location and folder.
// - A removal beats an edit or a move. A folder that one side removed stays, though,
//   when the other side has put something new into it (a new item or one moved there):
//   it is made again on the side that removed it, holding only what is new there.
// - Items that only one side has and the last sync did not know are paired with each
//   other first, as floccus pairs them: bookmarks by parent folder and location (the same
//   after LocationKey), folders by parent folder and title. Without a last synced tree
//   (the first sync) this makes the merge a union that deletes nothing.
// - A move that would make a folder its own ancestor is dropped (the server's side of it).
// - Separators and bookmarks without a location are not shown locally; they stay in the
//   file where they are. Favorites the file cannot carry (SyncCarriesLocation) stay out
//   of it.
// - New items of the file take the ids highestId + 1, + 2, ... in file order.
#pragma once
#include "sync/SyncState.h"
#include "sync/SyncTree.h"
#include <string>
#include <vector>

// Folders nested deeper than this below the synced folder, on either side, refuse the
// sync: a tree too deep for the next reading of the file is never written.
inline constexpr int kMaxSyncDepth = 100;

// One change to make in the store, in the order given. A parent is either an existing
// folder (`parentId`, the synced folder's id for its top level) or, when `parentEdit`
// is not -1, the folder that an earlier AddFolder edit of the list made.
struct LocalEdit {
    enum class Op {
        AddFolder,       // name, parent
        AddFavor,        // name, location, parent
        UpdateFolder,    // id: name and parent
        UpdateFavor,     // id: name, location and parent; tags and visits stay
        DeleteFavor,     // id
        DeleteFolder,    // id, with everything below it
    };
    Op op = Op::AddFavor;
    int id = 0;
    int parentId = 0;
    int parentEdit = -1;
    int fromParentId = 0;  // Update*, Delete*: the folder that holds the item now
    std::wstring name;
    std::wstring location;
    size_t stateItem = 0;  // Add*: the index in the result's state.items that gets the new id
};

struct SyncMergeResult {
    // Folders nested deeper than kMaxSyncDepth on either side: nothing else is set, and
    // the sync is refused.
    bool tooDeep = false;
    SyncTree server;            // the file to write back when serverChanged
    bool serverChanged = false;
    std::vector<LocalEdit> local;
    // The new last synced tree; items made locally by `local` have localId 0 until made.
    // When nothing changed on either side, it is left empty and stateChanged is false.
    SyncState state;
    bool stateChanged = true;
    // MergeSyncTakingTexts moved texts out of the server's tree: that tree serves no more,
    // and `server` (the same as the file when serverChanged is false) stands for it.
    bool serverTaken = false;
    // Favorites (bookmarks) each side holds now and how many of them the merge deletes.
    size_t localFavors = 0, localFavorsDeleted = 0;
    size_t serverFavors = 0, serverFavorsDeleted = 0;
};

SyncMergeResult MergeSync(const LocalTree& local, const SyncTree& server, const SyncState& last);
// The same, for a caller that has no more use for the server's tree: the texts that the
// new file keeps are moved out of it rather than copied (most of them, for a large file).
SyncMergeResult MergeSyncTakingTexts(const LocalTree& local, SyncTree& server, const SyncState& last);

// Whether the deletions are so many that the user is asked first: more than 5 and
// more than 20 % of the favorites on the side that loses them.
bool DeletesTooMany(const SyncMergeResult& result);

// A name and a location as the file gives them back (sync/Xbel.h), a name cut to the
// longest title the file may hold: the form in which the merge compares local items.
std::wstring SyncTitleText(const std::wstring& name);
std::wstring SyncHrefText(const std::wstring& location);
// Whether those two would give the text back as it is: checked without a copy, and true
// for most texts (plain characters, none at either end that a title loses).
bool TitleReadsBackAsIs(const std::wstring& name);
bool HrefReadsBackAsIs(const std::wstring& location);
// Favorites that a file cannot carry stay out of the sync: no location, a location too
// long for the file, or one the file would read as a separator.
bool SyncCarriesLocation(const std::wstring& hrefText);
