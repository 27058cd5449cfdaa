#include "sync/CSyncJob.h"
#include "store/TextConv.h"
#include "sync/CSyncStore.h"
#include "sync/Xbel.h"

struct CSyncJob::Round {
    DavFile file;
    bool fileExists = false;
    SyncTree server;
    LocalTree local;
    SyncState last;
    SyncMergeResult merge;
};

namespace {

// Ends the lock however the job ends.
class LockRelease {
public:
    explicit LockRelease(CWebDavSession& session) : m_session(session) {}
    ~LockRelease() { m_session.ReleaseLock(); }
    LockRelease(const LockRelease&) = delete;
    LockRelease& operator=(const LockRelease&) = delete;

private:
    CWebDavSession& m_session;
};

constexpr wchar_t kIfMatch[] = L"if-match";
constexpr wchar_t kTempAndMove[] = L"temp";

}  // namespace

bool HasLocalDeletes(const SyncMergeResult& merge) {
    for (const LocalEdit& e : merge.local)
        if (e.op == LocalEdit::Op::DeleteFavor || e.op == LocalEdit::Op::DeleteFolder) return true;
    return false;
}

CSyncJob::CSyncJob(SyncJobInput input, ApplySyncEdits apply, BeforeSyncDeletes beforeDeletes)
    : m_input(std::move(input)), m_apply(std::move(apply)), m_beforeDeletes(std::move(beforeDeletes)),
      m_session(std::make_unique<CWebDavSession>(m_input.server)), m_store(std::make_unique<CSyncStore>()) {}

CSyncJob::~CSyncJob() = default;

void CSyncJob::Cancel() {
    m_stop = true;
    m_session->Cancel();
}

bool CSyncJob::Stopped(SyncJobResult& result) const {
    if (!m_stop) return false;
    result.end = SyncEnd::Stopped;
    return true;
}

SyncJobResult CSyncJob::Run() {
    SyncJobResult result;
    if (!m_store->Open(m_input.databasePath)) {
        result.reason = L"the favorites file could not be opened (" + FromUtf8(m_store->LastError()) + L")";
        return result;
    }
    const DavResult lock = m_session->TakeLock();
    if (!lock.Ok()) {
        result.end = lock.status == DavStatus::LockHeld ? SyncEnd::LockHeld : SyncEnd::Failed;
        result.dav = lock;
        return result;
    }
    LockRelease release(*m_session);
    Round round;
    for (int attempt = 0;; ++attempt) {
        round = Round();
        if (!ReadServer(round, result) || !Merge(round, result)) return result;
        if (!round.merge.serverChanged || Upload(round, result)) break;
        // The file changed since it was read: read, merge and write again, a little later.
        if (result.dav.status != DavStatus::Stale || attempt >= kStaleRetries) return result;
        for (DWORD waited = 0; waited < kStaleRetryMs && !m_stop; waited += 100) Sleep(100);
    }
    if (!ApplyAndSave(round, result)) return result;
    result.end = SyncEnd::Synced;
    return result;
}

bool CSyncJob::ReadServer(Round& round, SyncJobResult& result) {
    if (Stopped(result)) return false;
    m_session->KeepLock();  // a lost lock shows in the next answer
    result.dav = m_session->Download(round.file);
    if (result.dav.status == DavStatus::NotFound) return true;  // the first sync to this file
    if (!result.dav.Ok()) return false;
    round.fileExists = true;
    return ReadXbel(round.file.bytes, round.server, result.reason);
}

bool CSyncJob::Merge(Round& round, SyncJobResult& result) {
    if (Stopped(result)) return false;
    bool rootMissing = false;
    const std::wstring target = SyncTargetKey(m_session->FileUrl(), m_input.folderId);
    if (!m_store->Read(m_input.folderId, target, round.local, round.last, rootMissing)) {
        result.reason = L"the favorites file could not be read (" + FromUtf8(m_store->LastError()) + L")";
        return false;
    }
    if (rootMissing) {
        result.reason = L"the synced folder no longer exists";
        return false;
    }
    round.merge = MergeSync(round.local, round.server, round.last);
    const SyncMergeResult& m = round.merge;
    if (m.tooDeep) {
        result.reason = L"folders are nested more than " + std::to_wstring(kMaxSyncDepth) + L" deep";
        return false;
    }
    result.localFavors = m.localFavors;
    result.localFavorsDeleted = m.localFavorsDeleted;
    result.serverFavors = m.serverFavors;
    result.serverFavorsDeleted = m.serverFavorsDeleted;
    if (DeletesTooMany(m) && (m.localFavorsDeleted > m_input.allowedLocalDeletions ||
                              m.serverFavorsDeleted > m_input.allowedServerDeletions)) {
        result.end = SyncEnd::AskDeletions;
        return false;
    }
    return true;
}

bool CSyncJob::Upload(Round& round, SyncJobResult& result) {
    if (Stopped(result)) return false;
    m_session->KeepLock();
    // Without an ETag to compare, If-Match cannot tell a change: the file goes the other way.
    UploadWay way = UploadWayOfServer();
    if (round.fileExists && round.file.etag.empty()) way = UploadWay::TempAndMove;
    result.dav = m_session->Upload(WriteXbel(round.merge.server), round.fileExists ? round.file.etag : L"", way);
    result.serverWritten = result.dav.Ok();
    return result.serverWritten;
}

// Asked once per server, and remembered in the favorites file; an answer that did not
// come is asked again next time.
UploadWay CSyncJob::UploadWayOfServer() {
    const std::wstring key = L"upload " + m_session->Settings().folderUrl;
    const std::wstring known = m_store->Info(key);
    if (known == kIfMatch) return UploadWay::IfMatch;
    if (known == kTempAndMove) return UploadWay::TempAndMove;
    bool honoured = false;
    if (!m_session->ProbeIfMatch(honoured).Ok()) return UploadWay::TempAndMove;
    m_store->SetInfo(key, honoured ? kIfMatch : kTempAndMove);
    return honoured ? UploadWay::IfMatch : UploadWay::TempAndMove;
}

bool CSyncJob::ApplyAndSave(Round& round, SyncJobResult& result) {
    result.dav = DavResult();
    if (!round.merge.local.empty()) {
        if (HasLocalDeletes(round.merge) && m_beforeDeletes && !m_beforeDeletes(result.reason)) return false;
        if (Stopped(result)) return false;
        m_session->KeepLock();
        if (!m_apply(round.merge, result.reason)) return false;
        result.localEdits = round.merge.local.size();
    }
    const std::wstring target = SyncTargetKey(m_session->FileUrl(), m_input.folderId);
    if (!m_store->Save(target, round.last, round.merge.state)) {
        result.reason = L"the sync's record could not be saved (" + FromUtf8(m_store->LastError()) + L")";
        return false;
    }
    return true;
}
