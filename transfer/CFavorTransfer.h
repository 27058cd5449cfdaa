// Reads favorites folders (through the shell namespace) and Firefox bookmark databases
// into record trees, and writes record trees out as favorites folders of Internet
// shortcut files and as bookmark HTML files. Runs on a transfer worker thread; progress
// goes to a step callback, one call per item, and nothing here touches a window.
//
// Trees read here are built from `new` records that the caller frees
// (FreeFolderChildren); no ids are set while reading.
#pragma once
#include "store/Records.h"
#include "transfer/ShellFolderWalk.h"
#include <functional>
#include <string>

class CFavorTransfer {
public:
    using Step = std::function<void()>;

    // The user's favorites folder (not created when missing), or empty.
    static std::wstring GetFavoritesFolderPath();
    // Walks the folder: sub-folders become folder records, Internet shortcuts favorite
    // records, in the shell's order; other files and hidden items are left out. `count`
    // is the number of records made; `progress` hears how many so far (ShellFolderWalk.h).
    // False when the shell cannot open the folder.
    bool ReadFavoritesFolder(const std::wstring& path, FolderRecord& root, int& count,
                             const ReadProgress& progress = {});

    // The first Firefox profile's "places.sqlite", or empty when Firefox has no folder.
    static std::wstring FindFirefoxPlaces();
    // The same below a given Firefox folder (ending in a backslash), from its profiles.ini.
    static std::wstring PlacesPathFromProfiles(const std::wstring& firefoxFolder);
    // Reads the bookmarks menu's folders and the unsorted bookmarks of a file named exactly
    // "places.sqlite". A database that a running Firefox holds locked, or that lies in a
    // folder it cannot be opened from, is read through a temporary copy.
    bool ReadFirefoxPlaces(const std::wstring& path, FolderRecord& root, int& count);

    // One .url file per favorite, one directory per sub-folder (files first), below an
    // existing directory; `step` runs once per favorite and once per sub-folder. Names
    // that cannot be file names are mapped (SafeFileName); a favorite whose file name
    // another one of the same directory has taken gets " (2)", " (3)", ... after it. False
    // when anything could not be written; the rest is still written.
    bool ExportToFolder(const Step& step, const std::wstring& folder, const FolderRecord& record);
    // How many of the files ExportToFolder would write exist already (and would have
    // their location replaced).
    static int CountShortcutsToReplace(const std::wstring& folder, const FolderRecord& record);
    // The folder's bookmark HTML list (see BookmarkHtml.h).
    static std::wstring BuildBookmarkHtml(const Step& step, const FolderRecord& record, bool heading);
    // Writes the whole document as UTF-8 (no byte-order mark) into a new file beside the
    // target, which then replaces an existing file: a failure leaves that file as it was.
    // False when the file could not be created, written or put in place.
    bool ExportToHtml(const Step& step, const std::wstring& path, const FolderRecord& record);
};
