// Recovery of a damaged favorites file at start: whether the file is damaged, the newest
// copy that is whole, and the swap that puts that copy in the file's place while the
// damaged file is kept aside.
#pragma once
#include "backup/CBackups.h"
#include "backup/DatabaseCopy.h"
#include <optional>
#include <string>

struct RecoveryOffer {
    bool damaged = false;               // not a database, or it fails its check
    std::wstring problem;               // what is wrong, in SQLite's words
    std::optional<BackupEntry> copy;    // the newest copy that passes its check
    FavorCounts counts;                 // what that copy holds
    bool Offered() const { return damaged && copy.has_value(); }
};

// openFailed: the store could not open the file. Otherwise the file is checked only when
// a copy noted damage (an ordinary start pays nothing); a file found whole clears the note.
// A file that could not be opened for another reason (missing, locked) is not damaged.
RecoveryOffer ExamineDataFile(const CBackups& backups, bool openFailed);

// Keeps the damaged file as `damagedPath` (byte for byte; its journal beside it with the
// same suffix) and puts a copy of `copyPath` in its place with one rename: a stop at any
// point leaves the damaged file or the copy in place, never neither. Clears the note of
// damage. Empty when done, else why not (the file is then as it was).
std::wstring PutCopyInPlace(const CBackups& backups, const std::wstring& copyPath, const std::wstring& damagedPath);
