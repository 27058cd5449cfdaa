// Copies of a favorites file made with SQLite's online backup API, and the checks that
// tell a whole file from a damaged one. Each call opens connections of its own, so any
// thread may call them while the store writes through its own connection.
#pragma once
#include <string>

struct DbOutcome {
    enum class Kind { Ok, Failed, Damaged };
    Kind kind = Kind::Ok;
    std::string problem;  // SQLite's words (or the check's first finding); empty when Ok
    bool Ok() const { return kind == Kind::Ok; }
};

// Takes a consistent snapshot of `source` (opened read-only; a writer elsewhere waits or is
// waited for up to `busyMs`) into memory, checks it with "pragma quick_check", and only
// then writes it to `target`, a new file, flushed to the disk. Damaged: the source could
// not be read as a database or the snapshot failed its check (nothing is written then).
// Failed with a write error: the target may hold part of the copy.
DbOutcome CopyDatabase(const std::wstring& source, const std::wstring& target, int busyMs);

// "pragma quick_check" on a file opened read-only. Damaged when the file is not a
// database or the check finds a fault; Failed when it cannot be read at all (missing,
// locked).
DbOutcome CheckDatabase(const std::wstring& path);

struct FavorCounts {
    int folders = 0;
    int favors = 0;
};
// The rows of tbl_folder and tbl_favor; false when the file cannot be read as a
// favorites file.
bool CountFavors(const std::wstring& path, FavorCounts& counts);
