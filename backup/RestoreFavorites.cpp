#include "backup/RestoreFavorites.h"
#include "backup/BackupFiles.h"
#include "backup/CBackups.h"
#include "backup/DatabaseCopy.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"

RestoreOutcome RestoreFavorites(CFavorStore& store, CBackups& backups, const std::wstring& copyPath) {
    using Kind = RestoreOutcome::Kind;
    const DbOutcome checked = CheckDatabase(copyPath);
    if (!checked.Ok()) return {Kind::CopyDamaged, FromUtf8(checked.problem)};
    const BackupOutcome before = backups.MakeBackup(BackupReason::Restore);
    if (before.kind == BackupOutcome::Kind::Damaged) return {Kind::CurrentDamaged, before.problem};
    if (before.kind == BackupOutcome::Kind::Failed) return {Kind::NotBackedUp, before.problem};

    // The copy is written beside the data file and takes its place with one rename while the
    // store is closed: a stop at any point leaves the old favorites or the restored ones.
    const std::wstring database = backups.DatabasePath();
    const std::wstring incoming = database + kIncomingSuffix;
    const DbOutcome written = CopyDatabase(copyPath, incoming, CBackups::kBusyWaitMs);
    std::wstring problem = FromUtf8(written.problem);
    if (written.Ok()) {
        const bool reopened = store.ReopenAround([&] { problem = backupfiles::Replace(incoming, database); });
        if (problem.empty() && !reopened) return {Kind::StoreFailed, FromUtf8(store.LastError().message)};
    }
    if (!problem.empty()) {
        DeleteFileW(incoming.c_str());
        return {Kind::StoreFailed, problem};
    }
    return {};
}
