// What the Clean Up dialogs show and what they do to favorites: each row is a copy of
// a favorite, and every change goes through the main window's one path for changes,
// which writes the store and then tells its panes.
#pragma once
#include "store/Records.h"
#include <string>
#include <vector>

struct CleanupRow {
    FavorRecord favor;         // as stored when the list was made
    std::wstring folder;       // the path of its folder
    std::wstring outcome;      // link check: what asking the location gave
    std::wstring newLocation;  // link check: where a moved location has gone
    int group = 0;             // duplicates: the rows of one location share it
};

class ICleanupActions {
public:
    virtual ~ICleanupActions() = default;
    virtual std::wstring FolderPath(int folderId) const = 0;
    // The favorites of a folder, and of every folder below it when asked; false when the
    // store could not read them (the user is told).
    virtual bool LoadFavors(int folderId, bool withSubfolders, std::vector<FavorRecord>& favors) = 0;
    // False when the store cannot be written: nothing may be deleted or replaced.
    virtual bool CanChange() const = 0;
    // Deletes all of them as one step, or none when the store refuses (the user is told);
    // returns how many were deleted.
    virtual size_t DeleteFavors(const std::vector<int>& ids) = 0;
    // Opens the location as the favorites list does, and counts the visit; true when
    // the visit was counted.
    virtual bool Open(const FavorRecord& favor) = 0;
    // Selects the favorite's folder in the tree and its row in the list.
    virtual void ShowInFolder(const FavorRecord& favor) = 0;
    // Stores the favorites with the locations they now hold, as one step; false when the
    // store refused it (the user is told) and nothing changed.
    virtual bool ReplaceLocations(const std::vector<FavorRecord>& favors) = 0;
};
