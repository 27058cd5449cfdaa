#include "backup/CBackups.h"
#include "backup/BackupFiles.h"
#include "backup/DatabaseCopy.h"
#include "backup/RestoreFavorites.h"
#include "framework/Seams.h"
#include "store/TextConv.h"
#include <windows.h>

namespace {

constexpr const wchar_t* kFolderName = L"Backups";
constexpr const wchar_t* kCheckAtStartName = L"check-at-next-start";

// The path from the working directory of now (the folder shown to the user, a worker that
// starts later).
std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, &full[0], nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

}  // namespace

std::wstring FolderOfPath(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash);
}

CBackups::CBackups(const std::wstring& databasePath)
    : m_database(FullPath(databasePath)), m_folder(FolderOfPath(m_database) + L"\\" + kFolderName) {}

BackupStamp CBackups::Now() {
    const SYSTEMTIME t = seams::LocalTimeNow();
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

std::wstring CBackups::PathOf(const std::wstring& fileName) const { return m_folder + L"\\" + fileName; }

BackupOutcome CBackups::MakeBackup(BackupReason reason, int busyMs) {
    std::lock_guard<std::mutex> one(m_making);
    if (!CreateDirectoryW(m_folder.c_str(), nullptr)) {
        const DWORD error = GetLastError();
        if (error != ERROR_ALREADY_EXISTS) return {BackupOutcome::Kind::Failed, L"", backupfiles::SystemText(error)};
    }
    const std::wstring path = PathOf(BackupFileName(reason, Now()));
    const std::wstring partial = path + kPartialSuffix;
    DeleteFileW(partial.c_str());
    const DbOutcome copied = CopyDatabase(m_database, partial, busyMs);
    if (!copied.Ok()) {
        DeleteFileW(partial.c_str());
        if (copied.kind == DbOutcome::Kind::Damaged) NoteCheckAtStart();
        return {copied.kind == DbOutcome::Kind::Damaged ? BackupOutcome::Kind::Damaged : BackupOutcome::Kind::Failed,
                L"", FromUtf8(copied.problem)};
    }
    // Only a whole, checked copy gets its name. One of the same second and reason stays.
    if (!MoveFileExW(partial.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(partial.c_str());
        if (!backupfiles::Exists(path)) return {BackupOutcome::Kind::Failed, L"", backupfiles::SystemText(error)};
    }
    DropCopiesBeyondRetention();
    return {BackupOutcome::Kind::Made, path, L""};
}

BackupOutcome CBackups::MakeDailyBackupIfDue(int busyMs) {
    if (HasDailyBackupOf(Now())) return {};
    return MakeBackup(BackupReason::Daily, busyMs);
}

bool CBackups::HasDailyBackupOf(const BackupStamp& day) const {
    for (const BackupEntry& e : List())
        if (e.name.reason == BackupReason::Daily && e.name.stamp.SameDay(day)) return true;
    return false;
}

std::vector<BackupEntry> CBackups::List() const {
    std::vector<BackupName> names;
    backupfiles::ForEachFile(m_folder, [&](const std::wstring& file) {
        if (auto name = ParseBackupFileName(file)) names.push_back(std::move(*name));
    });
    SortNewestFirst(names);
    std::vector<BackupEntry> entries;
    for (BackupName& n : names) {
        std::wstring path = PathOf(n.fileName);
        entries.push_back({std::move(n), std::move(path)});
    }
    return entries;
}

void CBackups::DropCopiesBeyondRetention() const {
    std::vector<BackupName> names;
    for (BackupEntry& e : List()) names.push_back(std::move(e.name));
    for (const BackupName& n : CopiesBeyondRetention(std::move(names))) DeleteFileW(PathOf(n.fileName).c_str());
}

void CBackups::RemoveLeftovers() const {
    backupfiles::ForEachFile(m_folder, [&](const std::wstring& file) {
        if (IsPartialBackupName(file)) DeleteFileW(PathOf(file).c_str());
    });
    DeleteFileW((m_database + kIncomingSuffix).c_str());  // a restore that never took place
}

void CBackups::NoteCheckAtStart() const {
    const HANDLE note = CreateFileW(PathOf(kCheckAtStartName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (note != INVALID_HANDLE_VALUE) CloseHandle(note);
}

bool CBackups::CheckAtStartNoted() const { return backupfiles::Exists(PathOf(kCheckAtStartName)); }

void CBackups::ClearCheckAtStart() const { DeleteFileW(PathOf(kCheckAtStartName).c_str()); }
