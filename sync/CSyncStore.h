// The sync's side of favors.db, on a connection of its own that the sync worker opens
// (the store's connection stays the GUI thread's):
//   tbl_sync_tree  the last synced tree: id, pid (empty at the top), folder, title, href
//   tbl_sync_map   which local folder or favorite each of its items is: remote_id, local_id
//   tbl_sync_info  name and value: the target the state belongs to, what a server answered
// tbl_folder and tbl_favor are only read here. The tables are made by the first Save.
//
// A state belongs to one target (server folder, file, synced folder): read for another
// target it is empty, and the sync is a first sync again.
#pragma once
#include "store/CppSQLite3Connection.h"
#include "sync/SyncState.h"
#include <string>

class CSyncStore {
public:
    bool Open(const std::wstring& databasePath);

    // What Read gives.
    struct Snapshot {
        LocalTree local;
        SyncState state;
        bool stateRead = false;  // false: the state is the one of `knownVersion`, not read again
        std::wstring version;    // the state's version in the file
        bool rootMissing = false;
    };
    // In one read transaction, so that they agree: the folders and favorites below
    // `rootId` and the state the last sync with `target` left, unless the file's state
    // is still the one of `knownVersion` (which the caller keeps).
    bool Read(int rootId, const std::wstring& target, const std::wstring& knownVersion, Snapshot& snapshot);
    // Writes what differs between `before` (what Read gave) and `after`, as one
    // transaction, and gives the state a new version.
    bool Save(const std::wstring& target, const SyncState& before, const SyncState& after, std::wstring& version);

    // A remembered answer of a server ("" when none).
    std::wstring Info(const std::wstring& name);
    bool SetInfo(const std::wstring& name, const std::wstring& value);

    // SQLite's words for the last failure.
    const std::string& LastError() const { return m_error; }

private:
    void ReadLocal(int rootId, LocalTree& local, bool& rootMissing);
    void ReadState(SyncState& state);
    void WriteChanges(const SyncState& before, const SyncState& after);
    bool HasSyncTables();
    std::wstring ReadInfo(const std::wstring& name);
    void WriteInfo(const std::wstring& name, const std::wstring& value);

    CppSQLite3Connection m_db;
    std::string m_error;
};

// The key a state is kept under: everything that makes another sync target.
std::wstring SyncTargetKey(const std::wstring& fileUrl, int folderId);
