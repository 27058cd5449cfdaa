// One change to the favorites as the user made it: every row it touched, as the row was
// before and as it is after. A side without a row means the row did not exist then. The
// same step, read one way, does the change again, and read the other way undoes it.
#pragma once
#include "store/Records.h"
#include <optional>
#include <string>
#include <vector>

// What kind of action made a step; watchers (backups, sync) tell them apart.
enum class EditKind { Ordinary, Import, Cleanup, Sync };

template <class Row>
struct RowChange {
    std::optional<Row> before;
    std::optional<Row> after;
};

struct EditStep {
    std::wstring name;  // what the Edit menu says after "Undo " and "Redo "
    EditKind kind = EditKind::Ordinary;
    // Parents before their children. A folder made by the step may carry a negative id
    // until it is stored; a row whose pid is that number goes into that folder.
    std::vector<RowChange<FolderRow>> folders;
    // A favorite made by the step carries id 0 until it is stored.
    std::vector<RowChange<FavorRecord>> favors;

    bool Empty() const { return folders.empty() && favors.empty(); }
    // Whether the step, done forwards, takes any favorite or folder away.
    bool Removes() const;
};

inline bool EditStep::Removes() const {
    for (const auto& c : folders)
        if (c.before && !c.after) return true;
    for (const auto& c : favors)
        if (c.before && !c.after) return true;
    return false;
}
