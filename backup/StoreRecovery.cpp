#include "backup/StoreRecovery.h"
#include "backup/BackupFiles.h"
#include "backup/RestoreFavorites.h"
#include "store/TextConv.h"
#include <windows.h>
#include <vector>

namespace {

// The files SQLite keeps beside a database while it writes; a hot journal left by the
// damaged file would be played into the copy.
constexpr const wchar_t* kSideFiles[] = {L"-journal", L"-wal", L"-shm"};

}  // namespace

RecoveryOffer ExamineDataFile(const CBackups& backups, bool openFailed) {
    RecoveryOffer offer;
    if (!openFailed && !backups.CheckAtStartNoted()) return offer;
    const DbOutcome checked = CheckDatabase(backups.DatabasePath());
    if (checked.kind != DbOutcome::Kind::Damaged) {
        if (checked.Ok()) backups.ClearCheckAtStart();
        return offer;
    }
    offer.damaged = true;
    offer.problem = FromUtf8(checked.problem);
    for (BackupEntry& entry : backups.List()) {
        if (!CheckDatabase(entry.path).Ok() || !CountFavors(entry.path, offer.counts)) continue;
        offer.copy = std::move(entry);
        break;
    }
    return offer;
}

std::wstring PutCopyInPlace(const CBackups& backups, const std::wstring& copyPath, const std::wstring& damagedPath) {
    const std::wstring& database = backups.DatabasePath();
    const std::wstring incoming = database + kIncomingSuffix;
    DeleteFileW(incoming.c_str());
    const DbOutcome copied = CopyDatabase(copyPath, incoming, CBackups::kBusyWaitMs);
    std::wstring problem = copied.Ok() ? L"" : FromUtf8(copied.problem);
    if (problem.empty()) problem = backupfiles::KeepAs(database, damagedPath);
    std::vector<std::wstring> moved;
    for (const wchar_t* side : kSideFiles) {
        if (!problem.empty() || !backupfiles::Exists(database + side)) continue;
        if (MoveFileExW((database + side).c_str(), (damagedPath + side).c_str(), MOVEFILE_WRITE_THROUGH))
            moved.push_back(side);
        else
            problem = backupfiles::SystemText(GetLastError());
    }
    if (problem.empty()) problem = backupfiles::Replace(incoming, database);
    if (!problem.empty()) {
        for (const std::wstring& side : moved) MoveFileExW((damagedPath + side).c_str(), (database + side).c_str(), 0);
        DeleteFileW(incoming.c_str());
        return problem;
    }
    backups.ClearCheckAtStart();
    return L"";
}
