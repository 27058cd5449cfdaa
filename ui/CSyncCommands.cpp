#include "ui/CSyncCommands.h"
#include "app/AppMessages.h"
#include "app/CAppSettings.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "sync/SyncEditStep.h"
#include "sync/SyncPassword.h"
#include "sync/SyncTexts.h"
#include <utility>

const fw::MapEntry<CSyncCommands> CSyncCommands::kMap[] = {
    fw::OnCommand(IDM_SYNC_NOW, &Self::OnSyncNow),
    fw::OnMessage(WM_TIMER, &Self::OnTimer),
    fw::OnMessage(WM_SYNC_APPLY, &Self::OnSyncApply),
    fw::OnMessage(WM_SYNC_DONE, &Self::OnSyncDone),
};
bool CSyncCommands::Dispatch(const fw::Msg& m, LRESULT& result) { return fw::RunMap(*this, kMap, m, result); }

CSyncCommands::CSyncCommands(FavorEdits& edits, CAppSettings& settings, MainWindowState& state,
                             CDetailsPane& details, CFolderTreeCtrl& tree, CFavorListCtrl& list)
    : CPaneCommands(edits, state, details, tree, list), m_settings(settings), m_lastResult(synctexts::kNotYet) {
    m_edits.AddWatcher(this);
}

CSyncCommands::~CSyncCommands() {
    m_worker.Stop(0);
    m_edits.RemoveWatcher(this);
}

void CSyncCommands::Attach(HWND dialog) {
    CPaneCommands::Attach(dialog);
    m_worker.SetWindow(dialog);
}

// ---- when syncs run ----

void CSyncCommands::Start() {
    SetTimer(m_dialog, kStartTimer, kStartDelayMs, nullptr);
    ArmInterval();
}

void CSyncCommands::Stop() {
    if (m_dialog)
        for (UINT_PTR id : {kStartTimer, kIntervalTimer, kChangeTimer}) KillTimer(m_dialog, id);
    m_worker.Stop(5000);  // the lock is given back unless the server stays silent that long
}

void CSyncCommands::ArmInterval() {
    const SyncSettings s = m_settings.ReadSyncSettings();
    if (s.enabled && !s.url.empty()) SetTimer(m_dialog, kIntervalTimer, s.minutes * 60u * 1000u, nullptr);
    else KillTimer(m_dialog, kIntervalTimer);
}

void CSyncCommands::AfterChange(const EditStep& step) {
    if (m_applying) return;  // the sync's own edits
    ++m_generation;
    const SyncSettings s = m_settings.ReadSyncSettings();
    if (s.enabled && !s.url.empty()) SetTimer(m_dialog, kChangeTimer, kAfterChangeMs, nullptr);
}

void CSyncCommands::SettingsChanged() {
    m_passwordRefused = false;
    m_declinedCertificate.clear();
    m_declinedDeletions = 0;
    ArmInterval();
}

void CSyncCommands::SyncNow() { Begin(Trigger::User); }

LRESULT CSyncCommands::OnTimer(const fw::Msg& m) {
    switch (m.wp) {
    case kStartTimer:
    case kChangeTimer: KillTimer(m_dialog, m.wp); [[fallthrough]];
    case kIntervalTimer: Begin(Trigger::Automatic); return 0;
    default: m.passOn = true; return 0;
    }
}

// ---- a run ----

void CSyncCommands::Begin(Trigger trigger) {
    const SyncSettings s = m_settings.ReadSyncSettings();
    const bool user = trigger == Trigger::User;
    if (!user && (!s.enabled || s.url.empty() || m_passwordRefused)) return;
    if (m_worker.Busy()) {
        m_again = true;
        return;
    }
    if (s.url.empty() || !synctexts::IsServerUrl(s.url)) return Refuse(synctexts::kNoServer);
    if (m_state.readOnly) return Refuse(synctexts::kReadOnly);
    SyncJobInput input;
    input.server.folderUrl = s.url;
    input.server.fileName = s.file;
    input.server.user = s.user;
    input.server.password = LoadSyncPassword(s.url).value_or(L"");
    input.server.trustedThumbprint = s.trustedCertificate;
    input.folderId = s.folder;
    input.databasePath = m_store.Path();
    input.allowedLocalDeletions = std::exchange(m_allowedLocal, 0);
    input.allowedServerDeletions = std::exchange(m_allowedServer, 0);
    m_runGeneration = m_generation;
    m_runTrigger = trigger;
    if (m_worker.Start(std::move(input))) SetDlgItemTextW(m_dialog, IDC_SYNC_STATUS, synctexts::kSyncing);
}

LRESULT CSyncCommands::OnSyncApply(const fw::Msg& m) {
    if (m.wp != m_worker.Run()) return 0;
    m_worker.ApplyPending([this](SyncMergeResult& merge, std::wstring& reason) { return ApplyEdits(merge, reason); });
    return 0;
}

// The edits were worked out from the store as it was when the run began: after any
// change since, they are not made, and the sync runs again.
bool CSyncCommands::ApplyEdits(SyncMergeResult& merge, std::wstring& reason) {
    if (m_generation != m_runGeneration || m_state.readOnly) {
        reason = L"the favorites changed while it ran";
        m_again = true;
        return false;
    }
    m_applying = true;
    const bool made = ApplySyncStep(m_edits, merge, reason);  // one undoable step "Sync"
    m_applying = false;
    return made;
}

LRESULT CSyncCommands::OnSyncDone(const fw::Msg& m) {
    if (m.wp != m_worker.Run()) return 0;
    const SyncJobResult r = m_worker.TakeResult();
    const SYSTEMTIME now = seams::LocalTimeNow();
    m_lastResult = synctexts::ResultLine(r, now);
    Show(synctexts::StatusText(r, now));
    const bool again = Answer(r) || std::exchange(m_again, false);
    if (again) Begin(m_runTrigger);
    return 0;
}

// Questions come up for a run the user asked for, and once for an automatic one.
bool CSyncCommands::Answer(const SyncJobResult& r) {
    const bool user = m_runTrigger == Trigger::User;
    const std::wstring url = m_settings.ReadSyncSettings().url;
    auto ask = [this](const std::wstring& text) {
        return seams::MessageBox(m_dialog, text, synctexts::kCaption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) ==
               IDYES;
    };
    if (r.end == SyncEnd::Failed && r.dav.status == DavStatus::Unauthorized) {
        if (user || !m_passwordRefused)
            seams::MessageBox(m_dialog, synctexts::PasswordRefusedText(url), synctexts::kCaption, MB_OK | MB_ICONEXCLAMATION);
        m_passwordRefused = true;
        m_again = false;
        return false;
    }
    if (r.end == SyncEnd::Failed && r.dav.status == DavStatus::Certificate) {
        if (!user && r.dav.certificate.thumbprint == m_declinedCertificate) return false;
        if (!ask(synctexts::CertificateQuestion(url, r.dav.certificate))) {
            m_declinedCertificate = r.dav.certificate.thumbprint;
            return false;
        }
        m_settings.WriteTrustedCertificate(r.dav.certificate.thumbprint);
        return true;
    }
    if (r.end == SyncEnd::AskDeletions) {
        const size_t deletions = r.localFavorsDeleted + r.serverFavorsDeleted;
        if (!user && deletions == m_declinedDeletions) return false;
        if (!ask(synctexts::DeletionQuestion(r))) {
            m_declinedDeletions = deletions;
            return false;
        }
        m_allowedLocal = r.localFavorsDeleted;
        m_allowedServer = r.serverFavorsDeleted;
        m_runTrigger = Trigger::User;
        return true;
    }
    return false;
}

void CSyncCommands::Refuse(const std::wstring& why) {
    m_lastResult = why;
    Show(why);
}

void CSyncCommands::Show(const std::wstring& status) {
    SetDlgItemTextW(m_dialog, IDC_SYNC_STATUS, status.c_str());
    if (m_listener) m_listener(m_lastResult);
}
