// Restore: the favorites of a backup copy take the place of the store's, after the
// current ones were copied with the reason "restore". Nothing changes unless all of it
// succeeds.
#pragma once
#include <string>

class CBackups;
class CFavorStore;

struct RestoreOutcome {
    enum class Kind {
        Restored,
        CopyDamaged,     // the chosen copy failed its check
        NotBackedUp,     // the current favorites could not be copied first
        CurrentDamaged,  // ... because they themselves look damaged (checked at the next start)
        StoreFailed,     // the store refused the replacement
    };
    Kind kind = Kind::Restored;
    std::wstring problem;  // SQLite's or the system's words
};

RestoreOutcome RestoreFavorites(CFavorStore& store, CBackups& backups, const std::wstring& copyPath);
