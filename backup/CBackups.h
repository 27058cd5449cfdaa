// The backup copies of one favorites file, kept in the folder "Backups" beside it:
// making a copy (a temporary name, checked, then renamed), keeping the newest ones,
// listing them, and the note that the file itself should be checked at the next start.
//
//     CBackups backups(L"C:\\Tidemarker\\Data\\favors.db");
//     const BackupOutcome made = backups.MakeBackup(BackupReason::Sync);
//     if (made.kind != BackupOutcome::Kind::Made) ...   // Failed: say why; Damaged: the file is
//
// Any thread may call it; copies are made one at a time.
#pragma once
#include "backup/BackupNames.h"
#include <mutex>
#include <string>
#include <vector>

struct BackupOutcome {
    enum class Kind { Made, Failed, Damaged };
    Kind kind = Kind::Made;
    std::wstring path;     // the copy (Made); empty for a daily copy that was not due
    std::wstring problem;  // why not (Failed, Damaged), in SQLite's or the system's words
};

struct BackupEntry {
    BackupName name;
    std::wstring path;
};

class CBackups {
public:
    // A writer of the source is waited for this long (a worker may wait longer).
    static constexpr int kBusyWaitMs = 2000;

    // A relative path is taken from the working directory of now.
    explicit CBackups(const std::wstring& databasePath);
    CBackups(const CBackups&) = delete;
    CBackups& operator=(const CBackups&) = delete;

    const std::wstring& DatabasePath() const { return m_database; }
    const std::wstring& Folder() const { return m_folder; }

    // A copy named for now and the reason; then the copies beyond the kept ones go. A copy
    // that fails its check is deleted, and the next start is told to check the file.
    BackupOutcome MakeBackup(BackupReason reason, int busyMs = kBusyWaitMs);
    // The day's daily copy, unless one of today is already there (then Made, no path).
    BackupOutcome MakeDailyBackupIfDue(int busyMs = kBusyWaitMs);
    bool HasDailyBackupOf(const BackupStamp& day) const;
    // Newest first.
    std::vector<BackupEntry> List() const;
    // Deletes the partial copies a copy that was cut short left behind, and the file a
    // restore that was cut short left beside the data file.
    void RemoveLeftovers() const;

    // The note, kept in the folder, that a copy found the file damaged: the next start
    // checks the file (an ordinary start does not).
    bool CheckAtStartNoted() const;
    void ClearCheckAtStart() const;

    static BackupStamp Now();

private:
    std::wstring PathOf(const std::wstring& fileName) const;
    void NoteCheckAtStart() const;
    void DropCopiesBeyondRetention() const;

    std::wstring m_database;
    std::wstring m_folder;
    std::mutex m_making;
};

// The folder of a file's path (without the last "\").
std::wstring FolderOfPath(const std::wstring& path);
