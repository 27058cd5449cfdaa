// One sync, start to end, on the thread that runs it (the sync worker; every step
// blocks): floccus's lock taken, the file downloaded and read, the store's side read,
// the three trees merged, the file written back when it changed (If-Match where the
// server honours it, else FILE.temp and MOVE), the local edits handed to `apply`, and
// the new last synced tree saved only after the server has the file and the store the
// edits. The lock is released at the end, also after a failure.
#pragma once
#include "sync/CWebDavSession.h"
#include "sync/SyncMerge.h"
#include <atomic>
#include <functional>
#include <memory>
#include <string>

// What the syncs of this process left for the next one, so that a sync need not read
// again what it wrote or read: the server file's bytes and their tree, and the state
// with its version in the favorites file. One job at a time uses it.
struct SyncMemory {
    std::wstring target;
    std::string fileBytes;
    SyncTree fileTree;
    bool hasFile = false;
    std::wstring stateVersion;  // empty: no state kept
    SyncState state;
};

struct SyncJobInput {
    WebDavSettings server;
    int folderId = 0;           // the synced folder; 0 = Root
    std::wstring databasePath;  // favors.db, opened on a connection of the job's own
    // The user said Yes to that many deletions on each side (the question before many
    // deletions); more than that asks again.
    size_t allowedLocalDeletions = 0, allowedServerDeletions = 0;
    std::shared_ptr<SyncMemory> memory;  // none: everything is read each time
};

enum class SyncEnd {
    Synced,        // both sides agree
    Failed,        // `dav` or `reason` says why; neither side lost anything
    LockHeld,      // another client is syncing: try again later
    AskDeletions,  // the merge would delete more than allowed; nothing was changed
    Stopped,       // Stop or Cancel; nothing was changed that the next sync does not mend
};

struct SyncJobResult {
    SyncEnd end = SyncEnd::Failed;
    DavResult dav;          // Failed because of the server: what it answered
    std::wstring reason;    // Failed otherwise: a short English text
    size_t localFavors = 0, localFavorsDeleted = 0, serverFavors = 0, serverFavorsDeleted = 0;
    size_t localEdits = 0;  // store edits made
    bool serverWritten = false;
};

// Makes the store's edits (on the job's thread; it may hand them to another thread and
// wait). For every AddFolder and AddFavor it fills merge.state.items[edit.stateItem].localId
// with the new row. False, with a reason, when nothing was made (the store changed
// since the job read it, or failed).
using ApplySyncEdits = std::function<bool(SyncMergeResult& merge, std::wstring& reason)>;

class CSyncJob {
public:
    static constexpr int kStaleRetries = 3;
    static constexpr DWORD kStaleRetryMs = 1500;

    CSyncJob(SyncJobInput input, ApplySyncEdits apply);
    ~CSyncJob();

    SyncJobResult Run();
    // From another thread: Stop ends the job at its next step, the lock released;
    // Cancel also cuts the server's answer under way short.
    void Stop() { m_stop = true; }
    void Cancel();

private:
    struct Round;
    bool ReadServer(Round& round, SyncJobResult& result);
    bool Merge(Round& round, SyncJobResult& result);
    bool Upload(Round& round, SyncJobResult& result);
    bool ApplyAndSave(Round& round, SyncJobResult& result);
    UploadWay UploadWayOfServer();
    void Remember(Round& round);
    std::wstring Target() const;
    bool Stopped(SyncJobResult& result) const;

    SyncJobInput m_input;
    ApplySyncEdits m_apply;
    std::unique_ptr<CWebDavSession> m_session;
    std::unique_ptr<class CSyncStore> m_store;
    std::atomic<bool> m_stop{false};
};

