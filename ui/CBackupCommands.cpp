#include "ui/CBackupCommands.h"
#include "app/AppMessages.h"
#include "backup/RestoreFavorites.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/MainTexts.h"
#include "ui/WaitCursor.h"
#include <memory>
#include <optional>

namespace {

constexpr UINT_PTR kDailyTimer = 0x2500;
// The first look comes once the start is over, so the copy never competes with it; then the
// day's copy comes at most ten minutes after midnight.
constexpr UINT kFirstLookMs = 1000;
constexpr UINT kDailyLookMs = 10 * 60 * 1000;
// The worker may wait longer than the window for another program's lock.
constexpr int kWorkerBusyWaitMs = 20000;

// What the copy before a step is called, if the step gets one.
std::optional<BackupReason> ReasonBefore(const EditStep& step) {
    switch (step.kind) {
    case EditKind::Import: return BackupReason::Import;
    case EditKind::Cleanup: return BackupReason::Cleanup;
    case EditKind::Sync: return step.Removes() ? std::optional<BackupReason>(BackupReason::Sync) : std::nullopt;
    default: return std::nullopt;
    }
}

// Posts a copy's outcome to the window, which tells it; `daily`: from the daily worker.
void PostOutcome(HWND window, BackupOutcome outcome, bool daily) {
    auto made = std::make_unique<BackupOutcome>(std::move(outcome));
    if (PostMessageW(window, WM_BACKUP_MADE, daily, reinterpret_cast<LPARAM>(made.get()))) made.release();
}

std::wstring FailedText(const std::wstring& problem) {
    return L"A backup copy of your favorites could not be made in \\Data\\Backups (" + problem +
           L").\nYour favorites are not affected. This is not told again until Tidemarker is started again.";
}

std::wstring DamagedText(const std::wstring& problem) {
    return L"A backup copy of your favorites failed its check: your favorites data file \\Data\\favors.db looks "
           L"damaged (" + problem + L"). The copy was not kept.\nAt its next start Tidemarker checks the file and "
           L"offers the newest good backup in its place.";
}

std::wstring RestoreQuestion(const BackupEntry& copy, const FavorCounts& counts) {
    return L"Replace your favorites with those of the backup made " + StampText(copy.name.stamp) + L" (" +
           CountsText(counts.folders, counts.favors) + L")?\nYour current favorites are backed up first.";
}

std::wstring RestoreFailedText(const RestoreOutcome& outcome) {
    const std::wstring unchanged = L" Your favorites were not changed.";
    switch (outcome.kind) {
    case RestoreOutcome::Kind::CopyDamaged:
        return L"This backup is damaged and cannot be restored (" + outcome.problem + L")." + unchanged;
    case RestoreOutcome::Kind::NotBackedUp:
        return L"Your current favorites could not be backed up first (" + outcome.problem +
               L"), so nothing was restored." + unchanged;
    case RestoreOutcome::Kind::CurrentDamaged:
        return L"Your current favorites could not be backed up first: your favorites data file \\Data\\favors.db "
               L"looks damaged (" + outcome.problem + L"). Nothing was restored; start Tidemarker again to be "
               L"offered the newest good backup in its place.";
    default:
        return L"The favorites could not be restored." + unchanged + L"\nSQLite reports: " + outcome.problem;
    }
}

}  // namespace

const fw::MapEntry<CBackupCommands> CBackupCommands::kMap[] = {
    fw::OnCommand(IDM_FILE_RESTORE, &Self::OnRestoreCommand),
    fw::OnMessage(WM_BACKUP_MADE, &Self::OnBackupMade),
    fw::OnMessage(WM_TIMER, &Self::OnTimer),
};
bool CBackupCommands::Dispatch(const fw::Msg& m, LRESULT& result) { return fw::RunMap(*this, kMap, m, result); }

CBackupCommands::CBackupCommands(FavorEdits& edits, MainWindowState& state, CDetailsPane& details,
                                 CFolderTreeCtrl& tree, CFavorListCtrl& list)
    : CPaneCommands(edits, state, details, tree, list), m_backups(std::make_shared<CBackups>(m_store.Path())) {}

CBackupCommands::~CBackupCommands() { Stop(); }

// ---- the daily copy ----

void CBackupCommands::StartDailyBackups() { SetTimer(m_dialog, kDailyTimer, kFirstLookMs, nullptr); }

void CBackupCommands::StartDailyCopy() {
    if (m_worker.joinable()) return;  // one under way; the next look starts the next
    m_dailyLookedAt = CBackups::Now();
    // The worker holds the backups and the window's handle, nothing the window frees.
    m_worker = std::thread([backups = m_backups, window = m_dialog] {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);  // the window goes first
        try {
            backups->RemoveLeftovers();
            PostOutcome(window, backups->MakeDailyBackupIfDue(kWorkerBusyWaitMs), true);
        } catch (...) {  // nothing unwinds out of a thread
        }
    });
}

LRESULT CBackupCommands::OnBackupMade(const fw::Msg& m) {
    const std::unique_ptr<BackupOutcome> made(reinterpret_cast<BackupOutcome*>(m.lp));
    if (m.wp && m_worker.joinable()) m_worker.join();  // it has posted: it is ending
    if (made) Tell(*made);
    return 0;
}

LRESULT CBackupCommands::OnTimer(const fw::Msg& m) {
    if (m.wp != kDailyTimer) {
        m.passOn = true;
        return 0;
    }
    SetTimer(m_dialog, kDailyTimer, kDailyLookMs, nullptr);  // from the first look on
    if (!CBackups::Now().SameDay(m_dailyLookedAt)) StartDailyCopy();
    return 0;
}

void CBackupCommands::Stop() {
    if (m_dialog) KillTimer(m_dialog, kDailyTimer);
    if (!m_worker.joinable()) return;
    m_worker.join();
    MSG pending;  // a result posted but never read
    while (PeekMessageW(&pending, m_dialog, WM_BACKUP_MADE, WM_BACKUP_MADE, PM_REMOVE))
        delete reinterpret_cast<BackupOutcome*>(pending.lParam);
}

// ---- copies before changes ----

void CBackupCommands::BeforeChange(const EditStep& step) {
    const std::optional<BackupReason> reason = ReasonBefore(step);
    if (!reason) return;
    if (GetWindowThreadProcessId(m_dialog, nullptr) != GetCurrentThreadId()) {  // an import's worker
        PostOutcome(m_dialog, m_backups->MakeBackup(*reason), false);
        return;
    }
    WaitCursor wait;
    Tell(m_backups->MakeBackup(*reason));
}

void CBackupCommands::Tell(const BackupOutcome& outcome) {
    bool& told = outcome.kind == BackupOutcome::Kind::Damaged ? m_damageTold : m_failureTold;
    if (outcome.kind == BackupOutcome::Kind::Made || told) return;
    told = true;
    const HWND owner = IsWindowEnabled(m_dialog) ? m_dialog : GetLastActivePopup(m_dialog);
    seams::MessageBox(owner, outcome.kind == BackupOutcome::Kind::Damaged ? DamagedText(outcome.problem)
                                                                          : FailedText(outcome.problem),
                      texts::kTipCaption, MB_OK | MB_ICONEXCLAMATION);
}

// ---- Restore from Backup ----

LRESULT CBackupCommands::OnRestoreCommand(const fw::Msg&) {
    CRestoreDlg dlg(*this);
    dlg.DoModal(m_dialog);
    return 0;
}

std::vector<BackupEntry> CBackupCommands::Copies() { return m_backups->List(); }

bool CBackupCommands::CanRestore() const { return !m_state.readOnly; }

bool CBackupCommands::Restore(HWND owner, const BackupEntry& copy, const FavorCounts& counts) {
    if (m_state.readOnly) return false;
    if (seams::MessageBox(owner, RestoreQuestion(copy, counts), texts::kTipCaption, MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return false;
    RestoreOutcome outcome;
    {
        WaitCursor wait;
        outcome = RestoreFavorites(m_store, *m_backups, copy.path);
    }
    if (outcome.kind != RestoreOutcome::Kind::Restored) {
        seams::MessageBox(owner, RestoreFailedText(outcome), texts::kTipCaption, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_edits.Replaced();  // no Undo reaches back past it; the panes load everything again
    return true;
}

void CBackupCommands::OpenFolder() {
    CreateDirectoryW(m_backups->Folder().c_str(), nullptr);  // so there is something to open
    seams::ShellOpen(m_backups->Folder(), SW_SHOWNORMAL);
}
