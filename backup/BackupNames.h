// The names of the backup copies in Data\Backups and which of them are kept: plain rules,
// without any file-system access.
//
//     favors-YYYYMMDD-HHMMSS-REASON.db      a copy, local time of its making
//     favors-YYYYMMDD-HHMMSS-REASON.db.partial   the same while it is written and checked
//     favors.db.damaged-YYYYMMDD-HHMMSS     a damaged data file kept aside (in Data\)
#pragma once
#include <optional>
#include <string>
#include <vector>

enum class BackupReason { Daily, Import, Cleanup, Restore, Sync };

// Local time, to the second.
struct BackupStamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator<(const BackupStamp& o) const;
    bool operator==(const BackupStamp& o) const;
    bool SameDay(const BackupStamp& o) const { return year == o.year && month == o.month && day == o.day; }
};

struct BackupName {
    BackupStamp stamp;
    BackupReason reason = BackupReason::Daily;
    std::wstring fileName;
};

constexpr size_t kKeptDailyCopies = 15;
constexpr size_t kKeptOtherCopies = 10;  // import, cleanup, restore and sync together
constexpr const wchar_t* kPartialSuffix = L".partial";

// "daily", "import", ... as in the file name.
const wchar_t* ReasonWord(BackupReason reason);
// "Daily", "Before import", "Before Clean Up", "Before restore", "Before sync".
const wchar_t* ReasonText(BackupReason reason);

std::wstring BackupFileName(BackupReason reason, const BackupStamp& stamp);
// The name of a copy, or nothing for any other name (a partial copy included).
std::optional<BackupName> ParseBackupFileName(const std::wstring& fileName);
// A partial copy left by a copy that never finished (its journal included).
bool IsPartialBackupName(const std::wstring& fileName);
// "favors.db.damaged-YYYYMMDD-HHMMSS".
std::wstring DamagedFileName(const std::wstring& databaseFileName, const BackupStamp& stamp);
// "2026-11-03 14:05:09", as the program shows times.
std::wstring StampText(const BackupStamp& stamp);
// "1 folder, 12 favorites".
std::wstring CountsText(int folders, int favors);

// Newest first (by time, then by name).
void SortNewestFirst(std::vector<BackupName>& names);
// The copies beyond the newest kKeptDailyCopies daily ones and the newest
// kKeptOtherCopies of all other reasons.
std::vector<BackupName> CopiesBeyondRetention(std::vector<BackupName> names);
