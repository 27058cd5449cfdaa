// The main window's sync: File and tray "Sync Now", the runs at start (once the window
// shows), every N minutes while "Sync automatically" is on and 10 s after the last local
// change, the status line's end, the questions only the user can answer (a refused
// password, an untrusted certificate, many deletions), and the store's edits of a sync
// made on the window's thread. The network is only ever waited for by the worker.
#pragma once
#include "edits/FavorEdits.h"
#include "framework/MessageMap.h"
#include "sync/CSyncWorker.h"
#include "ui/MainWindowState.h"
#include "ui/dialogs/CSyncPage.h"
#include <functional>
#include <string>

class CAppSettings;

class CSyncCommands : public CPaneCommands, public ISyncControl, public IEditWatcher {
public:
    static constexpr UINT_PTR kStartTimer = 0x2600, kIntervalTimer = 0x2601, kChangeTimer = 0x2602;
    static constexpr UINT kStartDelayMs = 1000;
    static constexpr UINT kAfterChangeMs = 10000;

    CSyncCommands(FavorEdits& edits, CAppSettings& settings, MainWindowState& state, CDetailsPane& details,
                  CFolderTreeCtrl& tree, CFavorListCtrl& list);
    ~CSyncCommands();

    void Attach(HWND dialog);
    bool Dispatch(const fw::Msg& m, LRESULT& result);
    // The first sync shortly after the window shows, then the schedule.
    void Start();
    // The window goes: timers off, a sync under way ends (its lock released).
    void Stop();
    // The user changed the favorites (a step of the change path, an undo or a redo): an
    // automatic sync 10 s after the last change.
    void AfterChange(const EditStep& step) override;
    bool Busy() const { return m_worker.Busy(); }

    void SyncNow() override;
    std::wstring LastResult() const override { return m_lastResult; }
    void SettingsChanged() override;
    void SetResultListener(std::function<void(const std::wstring&)> listener) override {
        m_listener = std::move(listener);
    }

private:
    using Self = CSyncCommands;
    static const fw::MapEntry<CSyncCommands> kMap[];
    enum class Trigger { User, Automatic };

    LRESULT OnSyncNow(const fw::Msg&) { SyncNow(); return 0; }
    LRESULT OnTimer(const fw::Msg& m);
    LRESULT OnSyncApply(const fw::Msg& m);
    LRESULT OnSyncDone(const fw::Msg& m);

    void Begin(Trigger trigger);
    bool ApplyEdits(SyncMergeResult& merge, std::wstring& reason);
    // True when the answer asks for another run at once.
    bool Answer(const SyncJobResult& r);
    void Show(const std::wstring& status);
    void Refuse(const std::wstring& why);
    void ArmInterval();

    CAppSettings& m_settings;
    CSyncWorker m_worker;
    std::function<void(const std::wstring&)> m_listener;
    std::wstring m_lastResult;
    unsigned m_generation = 0;        // local changes seen
    unsigned m_runGeneration = 0;     // the same when the run under way started
    Trigger m_runTrigger = Trigger::Automatic;
    bool m_again = false;             // another run once this one ends
    bool m_applying = false;          // the store's changes now are the sync's own
    bool m_passwordRefused = false;   // automatic syncs wait for new settings
    std::wstring m_declinedCertificate;
    size_t m_declinedDeletions = 0;   // asked about and refused, not asked again automatically
    size_t m_allowedLocal = 0, m_allowedServer = 0;  // deletions the user agreed to, for the next run
};
