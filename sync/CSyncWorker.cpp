#include "sync/CSyncWorker.h"
#include "app/AppMessages.h"

bool CSyncWorker::Start(SyncJobInput input) {
    std::unique_lock<std::mutex> guard(m_lock);
    if (m_running) return false;
    guard.unlock();
    if (m_thread.joinable()) m_thread.join();  // a run that ended and was not collected
    guard.lock();
    m_running = true;
    m_stopping = false;
    m_result = SyncJobResult();
    const unsigned run = ++m_run;
    input.memory = m_memory;
    m_thread = std::thread(&CSyncWorker::Main, this, std::move(input), run);
    return true;
}

bool CSyncWorker::Busy() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_running;
}

void CSyncWorker::Main(SyncJobInput input, unsigned run) {
    SyncJobResult result;
    try {
        CSyncJob job(std::move(input),
                     [this, run](SyncMergeResult& merge, std::wstring& reason) { return HandOver(merge, reason, run); });
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_job = &job;
            if (m_stopping) job.Stop();
        }
        result = job.Run();
        std::lock_guard<std::mutex> guard(m_lock);
        m_job = nullptr;
    } catch (...) {  // nothing unwinds out of the thread
        std::lock_guard<std::mutex> guard(m_lock);
        m_job = nullptr;
        result.reason = L"the sync failed unexpectedly";
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_result = std::move(result);
        m_running = false;
    }
    if (m_window) PostMessageW(m_window, WM_SYNC_DONE, run, 0);
}

// The job's thread: the edits wait here until the window has made them or the worker stops.
bool CSyncWorker::HandOver(SyncMergeResult& merge, std::wstring& reason, unsigned run) {
    std::unique_lock<std::mutex> guard(m_lock);
    if (m_stopping || !m_window) return false;
    m_pending = &merge;
    m_applyDone = m_applied = false;
    if (!PostMessageW(m_window, WM_SYNC_APPLY, run, 0)) {
        m_pending = nullptr;
        reason = L"the window is gone";
        return false;
    }
    m_answered.wait(guard, [this] { return m_applyDone || m_stopping; });
    m_pending = nullptr;
    if (!m_applyDone) {
        reason = L"stopped";
        return false;
    }
    reason = m_applyReason;
    return m_applied;
}

bool CSyncWorker::ApplyPending(const ApplySyncEdits& apply) {
    std::unique_lock<std::mutex> guard(m_lock);
    if (!m_pending || m_applyDone) return false;
    SyncMergeResult* merge = m_pending;
    // The job waits, and nothing else touches the edits meanwhile: they are made without
    // the lock, so Stop is never held up by the store.
    guard.unlock();
    std::wstring reason;
    const bool applied = apply(*merge, reason);
    guard.lock();
    m_applied = applied;
    m_applyReason = reason;
    m_applyDone = true;
    m_answered.notify_all();
    return true;
}

SyncJobResult CSyncWorker::TakeResult() {
    if (m_thread.joinable() && !Busy()) m_thread.join();
    std::lock_guard<std::mutex> guard(m_lock);
    return m_result;
}

void CSyncWorker::Stop(DWORD graceMs) {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stopping = true;
        if (m_job) m_job->Stop();
        m_answered.notify_all();
    }
    if (!m_thread.joinable()) return;
    const ULONGLONG until = GetTickCount64() + graceMs;
    while (Busy() && GetTickCount64() < until) Sleep(20);
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_job) m_job->Cancel();
    }
    m_thread.join();
}
