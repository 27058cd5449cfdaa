#include "store/CFavorStore.h"
#include "framework/Seams.h"
#include "store/CppSQLite3Exception.h"
#include "store/FolderAssembly.h"
#include "store/LocationKey.h"
#include "store/TextConv.h"
#include <cstdio>

namespace {

constexpr const char kCreateFolderTable[] =
    "create table tbl_folder(id integer primary key, pid int, name char(128));";
constexpr const char kCreateFavorTable[] =
    "create table tbl_favor(id integer primary key, pid int, name char(512), location char(1024), "
    "tags char(128), hits int, last_hit char(20));";
// SQLite's page cache misses are costly under Wine: keep the whole file of a large
// collection (about 12 MB for 100,000 favorites) in a 64 MiB cache, and read it through a
// mapping of the file, which also spares the first query after opening from reading the
// file page by page (about ten times slower).
constexpr const char kTuneConnection[] = "pragma cache_size = -65536; pragma mmap_size = 268435456;";

constexpr const char kInsertFolder[] = "insert into tbl_folder(pid, name) values(?,?);";
constexpr const char kUpdateFolder[] = "update tbl_folder set name = ?, pid = ? where id = ?;";
constexpr const char kDeleteFolder[] = "delete from tbl_folder where id = %d";
constexpr const char kDeleteFolderFavors[] = "delete from tbl_favor where pid = %d";
constexpr const char kInsertFavor[] =
    "insert into tbl_favor(pid, name, location, tags, hits, last_hit) values(?,?,?,?,0,?);";
constexpr const char kUpdateFavor[] =
    "update tbl_favor set pid = ?, name = ?, location = ?, tags = ? where id = ?;";
constexpr const char kDeleteFavor[] = "delete from tbl_favor where id = %d";
constexpr const char kCountVisit[] = "update tbl_favor set hits = hits + 1, last_hit = ? where id = ?;";
constexpr const char kLoadFavors[] =
    "select id, name, location, tags, hits, last_hit from tbl_favor where pid = %d";
// The search text is bound as one pattern ("%text%") used for all three columns, so no
// text can end the pattern early and no length limit applies.
constexpr const char kSearchFavors[] =
    "select id, pid, name, location, tags, hits, last_hit from tbl_favor where name like ?1 "
    "or location like ?1 or tags like ?1 order by hits desc limit 150";
constexpr const char kMostVisited[] =
    "select id, pid, name, location, tags, hits, last_hit from tbl_favor where hits>0 "
    "order by hits desc limit %d";
constexpr const char kLatestVisited[] =
    "select id, pid, name, location, tags, hits, last_hit from tbl_favor where hits>0 and "
    "last_hit <> '' order by last_hit desc limit %d";
// The keys shared by more than one favorite, each with the ids of its favorites (every
// key is computed once), then those favorites read back by id.
constexpr const char kFindDuplicates[] =
    "with g as (select location_key(location) as key, count(*) as n, json_group_array(id) as ids "
    "from tbl_favor group by 1 having count(*) > 1) "
    "select f.id, f.pid, f.name, f.location, f.tags, f.hits, f.last_hit, g.key from g, json_each(g.ids) j "
    "join tbl_favor f on f.id = j.value order by g.n desc, g.key, f.id";
// ?1 is the key of the location looked for.
constexpr const char kFindSameLocation[] =
    "select id, pid, name, location, tags, hits, last_hit from tbl_favor "
    "where has_location_key(location, ?1) order by id limit 1";
constexpr const char kSelectFolders[] = "select id, pid, name from tbl_folder;";
constexpr const char kSelectFolderRows[] = "select id, pid, name from tbl_folder order by id;";
// ?1 is a JSON array of ids.
constexpr const char kFavorsInFolders[] =
    "select id, pid, name, location, tags, hits, last_hit from tbl_favor "
    "where pid in (select value from json_each(?1)) order by id";
constexpr const char kFavorsById[] =
    "select id, pid, name, location, tags, hits, last_hit from tbl_favor "
    "where id in (select value from json_each(?1)) order by id";
constexpr const char kDeleteFavorsById[] = "delete from tbl_favor where id in (select value from json_each(?1));";
// ?1 is the id, or null for a new one.
constexpr const char kInsertFolderRow[] = "insert into tbl_folder(id, pid, name) values(?1,?2,?3);";
constexpr const char kInsertFavorRow[] =
    "insert into tbl_favor(id, pid, name, location, tags, hits, last_hit) values(?1,?2,?3,?4,?5,?6,?7);";
constexpr const char kSelectFavorsForExport[] = "select pid, name, location from tbl_favor;";

// One integer pasted into a statement: always short, so a small buffer is enough.
std::string WithNumber(const char* format, int value) {
    char sql[256];
    std::snprintf(sql, sizeof sql, format, value);
    return sql;
}

int RowId(CppSQLite3Connection& connection) {
    return static_cast<int>(connection.LastInsertId());  // low 32 bits
}

// Whole texts, never cut at a NUL inside them.
std::wstring Text(const CppSQLite3Cursor& row, int column) { return FromUtf8(row.TextView(column)); }

// Columns id, pid, name, location, tags, hits, last_hit.
FavorRecord ReadFavor(const CppSQLite3Cursor& row) {
    FavorRecord favor;
    favor.id = row.IntValue(0, 0);
    favor.pid = row.IntValue(1, 0);
    favor.name = Text(row, 2);
    favor.location = Text(row, 3);
    favor.tags = Text(row, 4);
    favor.hits = row.IntValue(5, 0);
    favor.lastHit = Text(row, 6);
    return favor;
}

// Appends one record per row, made by `read`; a failure part-way appends nothing, so
// the list keeps nothing of a failed query.
template <class Read>
void ReadFavors(CppSQLite3Cursor& rows, std::vector<FavorRecord>& out, Read read) {
    std::vector<FavorRecord> made;
    for (; !rows.AtEnd(); rows.Next()) made.push_back(read(rows));
    rows.Finish();
    if (out.empty()) out = std::move(made);
    else out.insert(out.end(), std::make_move_iterator(made.begin()), std::make_move_iterator(made.end()));
}

// Columns id, pid, name.
FolderRecord ReadFolder(const CppSQLite3Cursor& row) {
    FolderRecord folder;
    folder.id = row.IntValue(0, 0);
    folder.pid = row.IntValue(1, 0);
    folder.name = Text(row, 2);
    return folder;
}

void ReadFolders(CppSQLite3Connection& connection, FolderAssembly& folders) {
    CppSQLite3Cursor rows = connection.Query(kSelectFolders);
    for (; !rows.AtEnd(); rows.Next()) folders.Add(std::make_unique<FolderRecord>(ReadFolder(rows)));
    rows.Finish();
}

}  // namespace

// One of the two cached visit lists.
struct CFavorStore::VisitList {
    const char* sql;
    int size;
    bool& stale;
    std::vector<FavorRecord>& cache;
};

CFavorStore::~CFavorStore() { CloseQuietly(); }

CFavorStore& FavorStore() {
    static CFavorStore store;
    return store;
}

template <class Fn>
bool CFavorStore::Guarded(Fn&& fn) {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    try {
        WaitAsThisThreadMay();
        fn();
        return true;
    } catch (const CppSQLite3Exception& e) {
        Remember(e);
        return false;
    }
}

void CFavorStore::WaitAsThisThreadMay() {
    const int ms = std::this_thread::get_id() == m_openThread ? kInteractiveBusyWaitMs
                                                              : CppSQLite3Connection::kBusyTimeoutMs;
    if (ms == m_busyWaitMs || !m_connection.IsOpen()) return;
    m_connection.SetBusyTimeout(ms);
    m_busyWaitMs = ms;
}

void CFavorStore::Remember(const CppSQLite3Exception& error) { m_lastError = {error.Code(), error.Message()}; }

StoreError CFavorStore::LastError() const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_lastError;
}

CppSQLite3Command& CFavorStore::Prepared(CppSQLite3Command& slot, const char* sql) {
    if (!slot.IsPrepared()) slot = m_connection.Prepare(sql);
    return slot;
}

void CFavorStore::CloseQuietly() {
    // Compiled statements must go before the connection, or it cannot close.
    m_insertFolder = CppSQLite3Command();
    m_insertFavor = CppSQLite3Command();
    m_insertFolderRow = CppSQLite3Command();
    m_insertFavorRow = CppSQLite3Command();
    m_mostVisitedCache.clear();
    m_latestVisitedCache.clear();
    m_mostVisitedStale = m_latestVisitedStale = true;
    m_connection.Close();
    m_opened = false;
    m_inBatch = false;
}

bool CFavorStore::Open(const std::wstring& path, bool readOnly) {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (m_opened) CloseQuietly();
    m_writeProblem = StoreError();
    m_path = path;
    try {
        m_connection.Open(ToUtf8(path).c_str(), readOnly);
        m_busyWaitMs = CppSQLite3Connection::kBusyTimeoutMs;
        m_openThread = std::this_thread::get_id();
        WaitAsThisThreadMay();
        if (!m_connection.HasTable("tbl_favor")) {
            m_connection.Execute(kCreateFolderTable);
            m_connection.Execute(kCreateFavorTable);
        }
        m_connection.Execute(kTuneConnection);
        RegisterLocationKeyFunction(m_connection);
        m_opened = true;
        return true;
    } catch (const CppSQLite3Exception& e) {
        Remember(e);
        m_connection.Close();
        return false;
    }
}

bool CFavorStore::CheckWritable() {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    const bool writable = Guarded([&] {
        if (m_connection.IsReadOnly()) throw CppSQLite3Exception(SQLITE_READONLY, sqlite3_errstr(SQLITE_READONLY));
        m_connection.Execute("begin immediate;");
        m_connection.Execute("rollback;");
    });
    m_writeProblem = writable ? StoreError() : m_lastError;
    return writable;
}

bool CFavorStore::IsReadOnly() const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_writeProblem.code != 0;
}

StoreError CFavorStore::WriteProblem() const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_writeProblem;
}

std::wstring CFavorStore::Path() const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_path;
}

bool CFavorStore::IsOpen() const {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    return m_opened;
}

bool CFavorStore::SetVisitListSizes(int mostVisited, int latestVisited) {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (mostVisited != m_mostVisitedSize) m_mostVisitedStale = true;
    if (latestVisited != m_latestVisitedSize) m_latestVisitedStale = true;
    m_mostVisitedSize = mostVisited;
    m_latestVisitedSize = latestVisited;
    return true;
}

bool CFavorStore::AddFolder(FolderRecord& folder) {
    return Guarded([&] {
        CppSQLite3Command& insert = Prepared(m_insertFolder, kInsertFolder);
        insert.BindInt(1, folder.pid);
        insert.BindText(2, ToUtf8(folder.name));
        insert.Run();
        folder.id = RowId(m_connection);
    });
}

bool CFavorStore::UpdateFolder(const FolderRecord& folder) {
    return Guarded([&] {
        CppSQLite3Command update = m_connection.Prepare(kUpdateFolder);
        update.BindText(1, ToUtf8(folder.name));
        update.BindInt(2, folder.pid);
        update.BindInt(3, folder.id);
        update.Run();
        update.Finish();
    });
}

// One savepoint around the whole subtree: a failure half-way would otherwise leave
// folders without their favorites' rows gone, or favorites without their folder.
bool CFavorStore::DeleteFolders(const std::vector<int>& folderIds) {
    return Guarded([&] {
        m_connection.Execute("savepoint delete_folders;");
        try {
            for (const int id : folderIds) {
                m_connection.Execute(WithNumber(kDeleteFolder, id).c_str());
                m_connection.Execute(WithNumber(kDeleteFolderFavors, id).c_str());
            }
            m_connection.Execute("release delete_folders;");
        } catch (const CppSQLite3Exception&) {
            try {
                m_connection.Execute("rollback to delete_folders; release delete_folders;");
            } catch (const CppSQLite3Exception&) {
            }
            throw;
        }
    });
}

bool CFavorStore::AddFavor(FavorRecord& favor) { return InsertFavor(favor, false); }
bool CFavorStore::AddImportedFavor(FavorRecord& favor) { return InsertFavor(favor, true); }

bool CFavorStore::InsertFavor(FavorRecord& favor, bool keepLastHit) {
    return Guarded([&] {
        favor.hits = 0;
        if (!keepLastHit || favor.lastHit.empty()) favor.lastHit = CurrentTimeText();
        CppSQLite3Command& insert = Prepared(m_insertFavor, kInsertFavor);
        insert.BindInt(1, favor.pid);
        insert.BindText(2, ToUtf8(favor.name));
        insert.BindText(3, ToUtf8(favor.location));
        insert.BindText(4, ToUtf8(favor.tags));
        insert.BindText(5, ToUtf8(favor.lastHit));
        insert.Run();
        favor.id = RowId(m_connection);
    });
}

bool CFavorStore::UpdateFavor(const FavorRecord& favor) {
    return Guarded([&] {
        CppSQLite3Command update = m_connection.Prepare(kUpdateFavor);
        update.BindInt(1, favor.pid);
        update.BindText(2, ToUtf8(favor.name));
        update.BindText(3, ToUtf8(favor.location));
        update.BindText(4, ToUtf8(favor.tags));
        update.BindInt(5, favor.id);
        update.Run();
        update.Finish();
    });
}

bool CFavorStore::DeleteFavor(int favorId) {
    return Guarded([&] { m_connection.Execute(WithNumber(kDeleteFavor, favorId).c_str()); });
}

bool CFavorStore::CountVisit(const FavorRecord& favor) {
    return Guarded([&] {
        m_mostVisitedStale = m_latestVisitedStale = true;
        CppSQLite3Command update = m_connection.Prepare(kCountVisit);
        update.BindText(1, ToUtf8(CurrentTimeText()));
        update.BindInt(2, favor.id);
        update.Run();
        update.Finish();
    });
}

bool CFavorStore::LoadFavors(int folderId, std::vector<FavorRecord>& out) {
    return Guarded([&] {
        CppSQLite3Cursor rows = m_connection.Query(WithNumber(kLoadFavors, folderId).c_str());
        ReadFavors(rows, out, [folderId](const CppSQLite3Cursor& row) {  // id, name, location, tags, hits, last_hit
            FavorRecord favor;
            favor.id = row.IntValue(0, 0);
            favor.pid = folderId;
            favor.name = Text(row, 1);
            favor.location = Text(row, 2);
            favor.tags = Text(row, 3);
            favor.hits = row.IntValue(4, 0);
            favor.lastHit = Text(row, 5);
            return favor;
        });
    });
}

bool CFavorStore::SearchFavors(const std::wstring& text, std::vector<FavorRecord>& out) {
    return Guarded([&] {
        CppSQLite3Command search = m_connection.Prepare(kSearchFavors);
        search.BindText(1, "%" + ToUtf8(text) + "%");
        CppSQLite3Cursor rows = search.Query();
        ReadFavors(rows, out, ReadFavor);
        search.Finish();
    });
}

bool CFavorStore::FindDuplicates(std::vector<FavorRecord>& out, std::vector<size_t>& groupSizes) {
    return Guarded([&] {
        std::vector<size_t> sizes;
        std::string lastKey;
        CppSQLite3Cursor rows = m_connection.Query(kFindDuplicates);
        ReadFavors(rows, out, [&](const CppSQLite3Cursor& row) {
            const std::string key(row.TextView(7));
            if (sizes.empty() || key != lastKey) sizes.push_back(0);
            ++sizes.back();
            lastKey = key;
            return ReadFavor(row);
        });
        groupSizes.insert(groupSizes.end(), sizes.begin(), sizes.end());
    });
}

bool CFavorStore::FindSameLocation(const std::wstring& location, std::vector<FavorRecord>& out) {
    return Guarded([&] {
        CppSQLite3Command find = m_connection.Prepare(kFindSameLocation);
        find.BindText(1, LocationKeyUtf8(ToUtf8(location)));
        CppSQLite3Cursor rows = find.Query();
        ReadFavors(rows, out, ReadFavor);
        find.Finish();
    });
}

bool CFavorStore::GetVisitList(VisitList list, std::vector<FavorRecord>& out) {
    return Guarded([&] {
        if (list.stale) {
            list.cache.clear();
            CppSQLite3Cursor rows = m_connection.Query(WithNumber(list.sql, list.size).c_str());
            ReadFavors(rows, list.cache, ReadFavor);
            list.stale = false;
        }
        out.insert(out.end(), list.cache.begin(), list.cache.end());
    });
}

bool CFavorStore::GetMostVisited(std::vector<FavorRecord>& out) {
    return GetVisitList({kMostVisited, m_mostVisitedSize, m_mostVisitedStale, m_mostVisitedCache}, out);
}

bool CFavorStore::GetLatestVisited(std::vector<FavorRecord>& out) {
    return GetVisitList({kLatestVisited, m_latestVisitedSize, m_latestVisitedStale, m_latestVisitedCache}, out);
}

bool CFavorStore::LoadFolderTree(FolderRecord& root) {
    return Guarded([&] {
        FolderAssembly folders(0);
        ReadFolders(m_connection, folders);
        folders.Link();
        folders.TakeOver(root);
    });
}

bool CFavorStore::LoadAll(FolderRecord& root, int& count) {
    count = 0;
    return Guarded([&] {
        FolderAssembly folders(root.id);
        ReadFolders(m_connection, folders);
        int attached = folders.Link();
        std::vector<FavorRecord> favors;
        CppSQLite3Cursor rows = m_connection.Query(kSelectFavorsForExport);
        for (; !rows.AtEnd(); rows.Next()) {
            FavorRecord& favor = favors.emplace_back();
            favor.pid = rows.IntValue(0, 0);
            favor.name = Text(rows, 1);
            favor.location = Text(rows, 2);
        }
        rows.Finish();
        attached += folders.AddFavors(std::move(favors));
        folders.TakeOver(root);
        count = attached;
    });
}

bool CFavorStore::ReopenAround(const std::function<void()>& replace) {
    std::lock_guard<std::recursive_mutex> guard(m_lock);
    if (m_inBatch) return false;  // a batch's transaction would be lost
    const bool readOnly = m_opened && m_connection.IsReadOnly();
    CloseQuietly();
    replace();
    return Open(m_path, readOnly);
}

bool CFavorStore::LoadFolderRows(std::vector<FolderRow>& out) {
    return Guarded([&] {
        std::vector<FolderRow> rows;
        CppSQLite3Cursor cursor = m_connection.Query(kSelectFolderRows);
        for (; !cursor.AtEnd(); cursor.Next()) rows.push_back({cursor.IntValue(0, 0), cursor.IntValue(1, 0), Text(cursor, 2)});
        cursor.Finish();
        out.insert(out.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    });
}

namespace {
std::string JsonIds(const std::vector<int>& ids) {
    std::string json = "[";
    for (size_t i = 0; i < ids.size(); ++i) json += (i ? "," : "") + std::to_string(ids[i]);
    return json + "]";
}
}  // namespace

bool CFavorStore::LoadFavorsIn(const std::vector<int>& folderIds, std::vector<FavorRecord>& out) {
    return Guarded([&] {
        CppSQLite3Command select = m_connection.Prepare(kFavorsInFolders);
        select.BindText(1, JsonIds(folderIds));
        CppSQLite3Cursor rows = select.Query();
        ReadFavors(rows, out, ReadFavor);
        select.Finish();
    });
}

bool CFavorStore::LoadFavorsById(const std::vector<int>& ids, std::vector<FavorRecord>& out) {
    return Guarded([&] {
        CppSQLite3Command select = m_connection.Prepare(kFavorsById);
        select.BindText(1, JsonIds(ids));
        CppSQLite3Cursor rows = select.Query();
        ReadFavors(rows, out, ReadFavor);
        select.Finish();
    });
}

bool CFavorStore::InsertFolderRow(FolderRow& folder) {
    return Guarded([&] {
        CppSQLite3Command& insert = Prepared(m_insertFolderRow, kInsertFolderRow);
        if (folder.id != 0) insert.BindInt(1, folder.id);
        else insert.BindNull(1);
        insert.BindInt(2, folder.pid);
        insert.BindText(3, ToUtf8(folder.name));
        insert.Run();
        if (folder.id == 0) folder.id = RowId(m_connection);
    });
}

bool CFavorStore::InsertFavorRow(FavorRecord& favor) {
    return Guarded([&] {
        CppSQLite3Command& insert = Prepared(m_insertFavorRow, kInsertFavorRow);
        if (favor.id != 0) insert.BindInt(1, favor.id);
        else insert.BindNull(1);
        insert.BindInt(2, favor.pid);
        insert.BindText(3, ToUtf8(favor.name));
        insert.BindText(4, ToUtf8(favor.location));
        insert.BindText(5, ToUtf8(favor.tags));
        insert.BindInt(6, favor.hits);
        insert.BindText(7, ToUtf8(favor.lastHit));
        insert.Run();
        if (favor.id == 0) favor.id = RowId(m_connection);
    });
}

bool CFavorStore::UpdateFolderRow(const FolderRow& folder) {
    FolderRecord record;
    record.id = folder.id;
    record.pid = folder.pid;
    record.name = folder.name;
    return UpdateFolder(record);
}

bool CFavorStore::DeleteFavorsById(const std::vector<int>& ids) {
    return Guarded([&] {
        CppSQLite3Command del = m_connection.Prepare(kDeleteFavorsById);
        del.BindText(1, JsonIds(ids));
        del.Run();
        del.Finish();
    });
}

bool CFavorStore::DeleteFolderRow(int folderId) {
    return Guarded([&] { m_connection.Execute(WithNumber(kDeleteFolder, folderId).c_str()); });
}

std::wstring CFavorStore::CurrentTimeText() {
    const SYSTEMTIME now = seams::LocalTimeNow();
    wchar_t text[64];
    std::swprintf(text, sizeof text / sizeof text[0], L"%d-%02d-%02d %02d:%02d:%02d", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    return text;
}

bool CFavorStore::BeginBatch() {
    m_lock.lock();  // held until EndBatch
    if (!m_inBatch) {
        try {
            WaitAsThisThreadMay();
            m_connection.Execute("begin;");
            m_inBatch = true;
            return true;
        } catch (const CppSQLite3Exception& e) {
            Remember(e);
        }
    }
    m_lock.unlock();
    return false;
}

bool CFavorStore::EndBatch(bool commit) {
    // Another thread's batch keeps the lock: refuse rather than wait for it.
    std::unique_lock<std::recursive_mutex> guard(m_lock, std::try_to_lock);
    if (!guard.owns_lock() || !m_inBatch) return false;
    bool ended = true;
    try {
        WaitAsThisThreadMay();
        m_connection.Execute(commit ? "commit;" : "rollback;");
    } catch (const CppSQLite3Exception& e) {
        Remember(e);
        ended = false;
        try {
            m_connection.Execute("rollback;");
        } catch (const CppSQLite3Exception&) {
        }
    }
    m_inBatch = false;
    m_lock.unlock();  // the hold taken by BeginBatch
    return ended;
}
