#include "backup/RestoreFavorites.h"
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
    if (!store.ReplaceAllFrom(copyPath)) return {Kind::StoreFailed, FromUtf8(store.LastError().message)};
    return {};
}
