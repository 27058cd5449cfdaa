// The favorites store: folders and favorites in the SQLite file Data\favors.db, with
// cached Most Visited and Latest Visited lists. Every operation returns true on success
// and false when SQLite reported an error; nothing is shown and nothing is logged.
//
// Threads: each operation holds the store's (recursive) lock from start to end, so the
// GUI thread and an import worker may call the store at the same time. A lock held by
// another program is waited for at most kInteractiveBusyWaitMs on the thread that opened
// the store (the GUI thread, which must not freeze), and the connection's full busy
// timeout on any other thread (an import, which the user watches progress).
//
// Failures: the store shows nothing; LastError() tells the caller why the last operation
// that failed did so, in SQLite's words.
//
// Import batches: an import wraps its AddFolder/AddFavor calls in one batch,
//
//     CFavorStore::Batch batch(store);          // or BeginBatch() ... EndBatch(commit)
//     if (!batch.Active()) return false;
//     ... store.AddFolder(folder); store.AddFavor(favor); ...
//     return batch.Commit();                    // leaving without Commit rolls back
//
// which runs them as one transaction (100,000 inserts in well under a second instead of
// one disk commit each) and leaves nothing of a half-done import in the file if the job
// fails or the process dies. The thread that began the batch holds the store's lock until
// the batch ends, so any other thread's store call waits until then: end the batch before
// sending (not posting) a message to a window of another thread whose handler may use the
// store, or the two threads wait for each other. Batches do not nest; BeginBatch and
// EndBatch must be called on the same thread.
#pragma once
#include "store/CppSQLite3Connection.h"
#include "store/Records.h"

class CppSQLite3Exception;
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Why a store operation failed: SQLite's result code (or the access layer's 1000) and
// its message, "NAME[code]: reason". Code 0: nothing failed.
struct StoreError {
    int code = 0;
    std::string message;
};

class CFavorStore {
public:
    static constexpr int kDefaultVisitListSize = 10;
    static constexpr int kInteractiveBusyWaitMs = 2000;

    CFavorStore() = default;
    CFavorStore(const CFavorStore&) = delete;
    CFavorStore& operator=(const CFavorStore&) = delete;
    virtual ~CFavorStore();

    // Opens (or creates) the file and creates both tables when tbl_favor is missing.
    // A file that is not a database, or that holds tbl_folder but no tbl_favor, fails
    // and is left as it was. readOnly opens an existing file for reading only.
    bool Open(const std::wstring& path, bool readOnly = false);
    bool IsOpen() const;
    // The path the store was opened with.
    std::wstring Path() const;
    // Whether the open file can be written: the file is not read-only and a write lock can
    // be had (taken and given back at once). The answer is kept: IsReadOnly() and, when it
    // cannot, WriteProblem() say why.
    bool CheckWritable();
    bool IsReadOnly() const;
    StoreError WriteProblem() const;
    // The reason of the latest failed operation.
    StoreError LastError() const;
    bool SetVisitListSizes(int mostVisited, int latestVisited);

    // Sets folder.id to the new row id.
    bool AddFolder(FolderRecord& folder);
    bool UpdateFolder(const FolderRecord& folder);
    // Deletes each folder and the favorites directly in it, in list order, all or nothing:
    // a failure leaves every row in place. Pass a whole subtree, descendants first.
    bool DeleteFolders(const std::vector<int>& folderIds);

    // Sets hits = 0, lastHit = now and then id to the new row id.
    bool AddFavor(FavorRecord& favor);
    // The same for an imported favorite, whose visit time read from its source (lastHit,
    // when not empty) is kept.
    bool AddImportedFavor(FavorRecord& favor);
    // Name, location, tags and folder; the visit data is never changed here.
    bool UpdateFavor(const FavorRecord& favor);
    bool DeleteFavor(int favorId);
    // One more visit, now. Makes both visit lists stale; the record itself is unchanged.
    bool CountVisit(const FavorRecord& favor);

    // The following append records to `out`.
    bool LoadFavors(int folderId, std::vector<FavorRecord>& out);
    // Favorites whose name, location or tags contain the text, highest hits first, at most
    // 150. The text is a LIKE pattern fragment: "%" and "_" are wildcards, ASCII letters
    // match either case, everything else (apostrophes included) matches itself.
    bool SearchFavors(const std::wstring& text, std::vector<FavorRecord>& out);

    // Favorites whose locations are the same after LocationKey, in groups of two or more:
    // the largest groups first, then by key; within a group by id. Appends the records,
    // and the size of each group in that order to groupSizes.
    bool FindDuplicates(std::vector<FavorRecord>& out, std::vector<size_t>& groupSizes);
    // Appends the favorite with the lowest id whose location is the same as `location`
    // after LocationKey, if there is one.
    bool FindSameLocation(const std::wstring& location, std::vector<FavorRecord>& out);

    // Append copies of the cached visit lists (read again after a visit or a size change).
    bool GetMostVisited(std::vector<FavorRecord>& out);
    bool GetLatestVisited(std::vector<FavorRecord>& out);

    // Fills root.subfolders (root has id 0) with the whole folder tree, every level in
    // ascending id order. A folder whose parent does not exist is left out with
    // everything below it (its rows stay in the file).
    bool LoadFolderTree(FolderRecord& root);
    // The subtree below root.id with every favorite (pid, name and location only), for
    // export. `count` is set to the number of folders and favorites read that were
    // attached to a parent, outside the subtree included: a progress range.
    bool LoadAll(FolderRecord& root, int& count);

    // Closes the file, runs `replace` (which may put another file in its place), and opens
    // the same path again as before, also when `replace` did nothing; all under the store's
    // lock, so no other thread meets the store closed. Both visit lists go stale. False
    // when the file could not be opened again (LastError says why).
    bool ReopenAround(const std::function<void()>& replace);

    // ---- rows as they are stored, for the change path and its undo ----
    // Every folder row, in ascending id order.
    bool LoadFolderRows(std::vector<FolderRow>& out);
    // Every column of the favorites in these folders, or with these ids, by ascending id.
    bool LoadFavorsIn(const std::vector<int>& folderIds, std::vector<FavorRecord>& out);
    bool LoadFavorsById(const std::vector<int>& ids, std::vector<FavorRecord>& out);
    // Inserts the row with its own id, or with a new one (then set) when the id is 0.
    // A favorite keeps the visit count and time it carries.
    bool InsertFolderRow(FolderRow& folder);
    bool InsertFavorRow(FavorRecord& favor);
    // Name and parent.
    bool UpdateFolderRow(const FolderRow& folder);
    bool DeleteFavorsById(const std::vector<int>& ids);
    // The folder's row alone; its favorites and sub-folders stay.
    bool DeleteFolderRow(int folderId);

    // Local time now as "YYYY-MM-DD HH:MM:SS".
    static std::wstring CurrentTimeText();

    bool BeginBatch();
    bool EndBatch(bool commit);

    // A batch for one scope: rolls back unless committed.
    class Batch {
    public:
        explicit Batch(CFavorStore& store) : m_store(store), m_active(store.BeginBatch()) {}
        ~Batch() { if (m_active) m_store.EndBatch(false); }
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        bool Active() const { return m_active; }
        bool Commit() {
            if (!m_active) return false;
            m_active = false;
            return m_store.EndBatch(true);
        }

    private:
        CFavorStore& m_store;
        bool m_active;
    };

private:
    struct VisitList;
    template <class Fn> bool Guarded(Fn&& fn);
    // Sets the busy wait for the calling thread (see Threads above); m_lock is held.
    void WaitAsThisThreadMay();
    void Remember(const CppSQLite3Exception& error);
    bool GetVisitList(VisitList list, std::vector<FavorRecord>& out);
    // The statement of `slot`, compiled on first use and kept until the store closes.
    CppSQLite3Command& Prepared(CppSQLite3Command& slot, const char* sql);
    bool InsertFavor(FavorRecord& favor, bool keepLastHit);
    void CloseQuietly();

    bool m_opened = false;
    std::wstring m_path;
    CppSQLite3Connection m_connection;
    int m_mostVisitedSize = kDefaultVisitListSize;
    int m_latestVisitedSize = kDefaultVisitListSize;
    bool m_mostVisitedStale = true;
    std::vector<FavorRecord> m_mostVisitedCache;
    bool m_latestVisitedStale = true;
    std::vector<FavorRecord> m_latestVisitedCache;

    // The two inserts an import runs many thousand times, compiled once.
    CppSQLite3Command m_insertFolder;
    CppSQLite3Command m_insertFavor;
    // The same with the id and the visit data given, for rows put back.
    CppSQLite3Command m_insertFolderRow;
    CppSQLite3Command m_insertFavorRow;

    mutable std::recursive_mutex m_lock;
    bool m_inBatch = false;  // the batch's thread also holds m_lock once more
    std::thread::id m_openThread;
    int m_busyWaitMs = CppSQLite3Connection::kBusyTimeoutMs;
    StoreError m_lastError;
    StoreError m_writeProblem;  // code 0 while writable
};

// The program's one store, over Data\favors.db (opened at start-up).
CFavorStore& FavorStore();
