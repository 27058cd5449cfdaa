#include "sync/CSyncJob.h"
#include "store/TextConv.h"
#include "sync/CSyncStore.h"
#include "sync/Xbel.h"

struct CSyncJob::Round {
    Round() = default;
    Round(const Round&) = delete;
    Round& operator=(const Round&) = delete;
    DavFile file;
    bool fileExists = false;
    SyncTree read;                  // the file as read, unless the memory had it
    SyncTree* server = &read;       // the merge takes texts out of it
    bool serverRemembered = false;
    CSyncStore::Snapshot snapshot;
    const SyncState* last = &snapshot.state;
    SyncMergeResult merge;
    std::string written;            // what was uploaded
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

CSyncJob::CSyncJob(SyncJobInput input, ApplySyncEdits apply)
    : m_input(std::move(input)), m_apply(std::move(apply)),
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
    std::unique_ptr<Round> round;  // it points into itself: made anew, never copied
    for (int attempt = 0;; ++attempt) {
        round = std::make_unique<Round>();
        if (!ReadServer(*round, result) || !Merge(*round, result)) return result;
        if (!round->merge.serverChanged || Upload(*round, result)) break;
        // The file changed since it was read: read, merge and write again, a little later.
        if (result.dav.status != DavStatus::Stale || attempt >= kStaleRetries) return result;
        for (DWORD waited = 0; waited < kStaleRetryMs && !m_stop; waited += 100) Sleep(100);
    }
    if (!ApplyAndSave(*round, result)) return result;
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
    SyncMemory* memory = m_input.memory.get();
    if (memory && memory->hasFile && memory->target == Target() && memory->fileBytes == round.file.bytes) {
        round.server = &memory->fileTree;  // the file as this process last wrote or read it
        round.serverRemembered = true;
        return true;
    }
    return ReadXbel(round.file.bytes, round.read, result.reason);
}

bool CSyncJob::Merge(Round& round, SyncJobResult& result) {
    if (Stopped(result)) return false;
    const SyncMemory* memory = m_input.memory.get();
    const std::wstring known = memory && memory->target == Target() ? memory->stateVersion : std::wstring();
    if (!m_store->Read(m_input.folderId, Target(), known, round.snapshot)) {
        result.reason = L"the favorites file could not be read (" + FromUtf8(m_store->LastError()) + L")";
        return false;
    }
    if (round.snapshot.rootMissing) {
        result.reason = L"the synced folder no longer exists";
        return false;
    }
    if (!round.snapshot.stateRead) round.last = &memory->state;
    round.merge = MergeSyncTakingTexts(round.snapshot.local, *round.server, *round.last);
    // The remembered tree gave its texts to the new one: until Remember, there is none.
    if (round.merge.serverTaken && round.serverRemembered) m_input.memory->hasFile = false;
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
    round.written = WriteXbel(round.merge.server);
    result.dav = m_session->Upload(round.written, round.fileExists ? round.file.etag : L"", way);
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
    Remember(round);
    if (!round.merge.local.empty()) {
        if (Stopped(result)) return false;
        m_session->KeepLock();
        if (!m_apply(round.merge, result.reason)) return false;
        result.localEdits = round.merge.local.size();
    }
    if (!round.merge.stateChanged) return true;
    std::wstring version;
    if (!m_store->Save(Target(), *round.last, round.merge.state, version)) {
        result.reason = L"the sync's record could not be saved (" + FromUtf8(m_store->LastError()) + L")";
        return false;
    }
    if (SyncMemory* memory = m_input.memory.get()) {
        memory->state = std::move(round.merge.state);
        memory->stateVersion = version;
    }
    return true;
}

// The file as the server has it now, for the next sync of this process.
void CSyncJob::Remember(Round& round) {
    SyncMemory* memory = m_input.memory.get();
    if (!memory) return;
    if (memory->target != Target()) {
        *memory = SyncMemory();
        memory->target = Target();
    }
    if (!round.written.empty()) {  // the server has what was written
        memory->fileBytes = std::move(round.written);
        memory->fileTree = std::move(round.merge.server);
        memory->hasFile = true;
    } else if (round.fileExists && round.merge.serverTaken) {  // unchanged; the merge's tree holds its texts
        memory->fileBytes = std::move(round.file.bytes);
        memory->fileTree = std::move(round.merge.server);
        memory->hasFile = true;
    } else if (round.fileExists && !round.serverRemembered) {  // as it was read
        memory->fileBytes = std::move(round.file.bytes);
        memory->fileTree = std::move(round.read);
        memory->hasFile = true;
    }
}

std::wstring CSyncJob::Target() const { return SyncTargetKey(m_session->FileUrl(), m_input.folderId); }
