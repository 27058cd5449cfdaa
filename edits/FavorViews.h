// What the panes hear of a change once the store holds it. The folder tree and the
// favorites list each take what concerns them; every call comes on the GUI thread.
#pragma once
#include "store/Records.h"
#include <vector>

class IFavorViews {
public:
    virtual ~IFavorViews() = default;

    // Folders that came into being, parents before their children.
    virtual void FoldersAdded(const std::vector<FolderRow>& folders) { (void)folders; }
    // A new name or a new parent.
    virtual void FoldersChanged(const std::vector<FolderRow>& folders) { (void)folders; }
    // Folders that are gone with everything below them, parents before their children.
    virtual void FoldersRemoved(const std::vector<int>& ids) { (void)ids; }

    // `quiet`: a change the user did not make here (a sync): the selection stays.
    virtual void FavorsAdded(const std::vector<FavorRecord>& favors, bool quiet) {
        (void)favors;
        (void)quiet;
    }
    // New texts or a new folder; visit data as stored. `quiet` as above.
    virtual void FavorsChanged(const std::vector<FavorRecord>& favors, bool quiet) {
        (void)favors;
        (void)quiet;
    }
    virtual void FavorsRemoved(const std::vector<int>& ids) { (void)ids; }
    // One more visit: the favorite as stored now.
    virtual void VisitCounted(const FavorRecord& favor) { (void)favor; }

    // Anything may have changed (the favorites were replaced): load everything again.
    virtual void Reloaded() {}
};
