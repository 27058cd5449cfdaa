// Restore: the favorites of a backup copy take the place of the store's, after the
// current ones were copied with the reason "restore". Nothing changes unless all of it
// succeeds.
//
// The copy is written beside the data file as favors.db.restoring and renamed over it
// while the store is closed (the store is then opened again); a .restoring file left by a
// stop half-way is removed at the next start.
#pragma once
#include <string>

class CBackups;
class CFavorStore;

constexpr const wchar_t* kIncomingSuffix = L".restoring";

struct RestoreOutcome {
    enum class Kind {
        Restored,
        CopyDamaged,     // the chosen copy failed its check
        NotBackedUp,     // the current favorites could not be copied first
        CurrentDamaged,  // ... because they themselves look damaged (checked at the next start)
        StoreFailed,     // the copy could not take the file's place, or the store not reopen
    };
    Kind kind = Kind::Restored;
    std::wstring problem;  // SQLite's or the system's words
};

RestoreOutcome RestoreFavorites(CFavorStore& store, CBackups& backups, const std::wstring& copyPath);
