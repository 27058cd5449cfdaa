// The main window's backups: the daily copy made after the window is up (on a worker,
// with its own read-only connection) and again after midnight for a program left
// running; as a watcher of the change path, the copies before an import stores anything,
// before Clean Up deletes or replaces anything and before a sync removes anything; and
// File > Restore from Backup. A copy that cannot be made is told once per run and never
// stops the user.
#pragma once
#include "backup/CBackups.h"
#include "edits/FavorEdits.h"
#include "framework/MessageMap.h"
#include "ui/MainWindowState.h"
#include "ui/dialogs/CRestoreDlg.h"
#include <memory>
#include <thread>

class CBackupCommands : public CPaneCommands, public IRestoreActions, public IEditWatcher {
public:
    // The store is open: its file is the one copied.
    CBackupCommands(FavorEdits& edits, MainWindowState& state, CDetailsPane& details, CFolderTreeCtrl& tree,
                    CFavorListCtrl& list);
    ~CBackupCommands() override;

    bool Dispatch(const fw::Msg& m, LRESULT& result);
    // The daily copy, a moment after the window is shown, and a look at the date every few
    // minutes.
    void StartDailyBackups();
    // Waits for a copy under way (the window is going).
    void Stop();
    // A copy just before an import, a Clean Up change or a sync that removes (on the
    // import's worker for an import); a failure is told, once per run.
    void BeforeChange(const EditStep& step) override;

    std::vector<BackupEntry> Copies() override;
    bool CanRestore() const override;
    bool Restore(HWND owner, const BackupEntry& copy, const FavorCounts& counts) override;
    void OpenFolder() override;

private:
    using Self = CBackupCommands;
    static const fw::MapEntry<CBackupCommands> kMap[];

    LRESULT OnRestoreCommand(const fw::Msg&);
    LRESULT OnBackupMade(const fw::Msg& m);
    LRESULT OnTimer(const fw::Msg& m);

    void StartDailyCopy();
    void Tell(const BackupOutcome& outcome);

    std::shared_ptr<CBackups> m_backups;  // shared with the daily worker
    std::thread m_worker;
    BackupStamp m_dailyLookedAt;  // the day of the last daily copy started
    bool m_failureTold = false;
    bool m_damageTold = false;
};
