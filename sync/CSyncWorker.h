// The sync's worker thread: one CSyncJob at a time. It talks to the main window only by
// posted messages, and the window reaches it only through this object:
//   WM_SYNC_APPLY (wParam = run): the job has edits for the store and waits; the window
//       makes them on its own thread with ApplyPending.
//   WM_SYNC_DONE  (wParam = run): the job ended; TakeResult says how.
// The window's thread never waits on the network: only Stop, when the window goes,
// waits for the thread (cutting the server's answer short after a grace time).
#pragma once
#include "sync/CSyncJob.h"
#include <windows.h>
#include <condition_variable>
#include <mutex>
#include <thread>

class CSyncWorker {
public:
    explicit CSyncWorker(HWND window = nullptr) : m_window(window) {}
    ~CSyncWorker() { Stop(0); }
    CSyncWorker(const CSyncWorker&) = delete;
    CSyncWorker& operator=(const CSyncWorker&) = delete;

    void SetWindow(HWND window) { m_window = window; }
    // Starts a run with the next number; false while one is under way.
    bool Start(SyncJobInput input);
    bool Busy() const;
    unsigned Run() const { return m_run; }

    // For WM_SYNC_APPLY: hands the waiting edits to `apply` and lets the job go on. False
    // when none wait (the job was stopped meanwhile).
    bool ApplyPending(const ApplySyncEdits& apply);
    // For WM_SYNC_DONE: how the run ended; the thread is gone after it.
    SyncJobResult TakeResult();
    // Ends a run under way at its next step (its lock released), cut short after
    // `graceMs`, and waits for the thread.
    void Stop(DWORD graceMs);

private:
    void Main(SyncJobInput input, unsigned run);
    bool HandOver(SyncMergeResult& merge, std::wstring& reason, unsigned run);

    HWND m_window;
    std::thread m_thread;
    mutable std::mutex m_lock;
    std::condition_variable m_answered;
    CSyncJob* m_job = nullptr;               // the running job
    SyncMergeResult* m_pending = nullptr;    // edits waiting for the window
    bool m_applyDone = false, m_applied = false;
    std::wstring m_applyReason;
    bool m_stopping = false;
    bool m_running = false;
    SyncJobResult m_result;
    unsigned m_run = 0;
    const std::shared_ptr<SyncMemory> m_memory = std::make_shared<SyncMemory>();  // from run to run
};
