#include "sync/CSyncStore.h"
#include "store/CppSQLite3Exception.h"
#include "store/TextConv.h"
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr char kCreateTables[] =
    "create table if not exists tbl_sync_tree(id text primary key, pid text, folder int, title text, href text);"
    "create table if not exists tbl_sync_map(remote_id text primary key, local_id int);"
    "create table if not exists tbl_sync_info(name text primary key, value text);";
// A large page cache keeps a big first save from taking the file's exclusive lock
// before its commit, which would hold off the GUI thread's reads meanwhile.
constexpr char kTune[] = "pragma cache_size = -65536;";
constexpr char kReadTree[] =
    "select t.id, t.pid, t.folder, t.title, t.href, m.local_id from tbl_sync_tree t "
    "left join tbl_sync_map m on m.remote_id = t.id;";
constexpr char kPutItem[] = "insert or replace into tbl_sync_tree(id, pid, folder, title, href) values(?,?,?,?,?);";
constexpr char kPutMapping[] = "insert or replace into tbl_sync_map(remote_id, local_id) values(?,?);";
constexpr char kDropItem[] = "delete from tbl_sync_tree where id = ?;";
constexpr char kDropMapping[] = "delete from tbl_sync_map where remote_id = ?;";
constexpr char kReadInfo[] = "select value from tbl_sync_info where name = ?;";
constexpr char kPutInfo[] = "insert or replace into tbl_sync_info(name, value) values(?,?);";
constexpr wchar_t kTargetInfo[] = L"target";

// Rolls back a transaction that is left without Commit.
class Transaction {
public:
    Transaction(CppSQLite3Connection& db, const char* begin) : m_db(db) { m_db.Execute(begin); }
    ~Transaction() {
        if (!m_done) try {
                m_db.Execute("rollback;");
            } catch (const CppSQLite3Exception&) {
            }
    }
    void Commit() {
        m_db.Execute("commit;");
        m_done = true;
    }

private:
    CppSQLite3Connection& m_db;
    bool m_done = false;
};

// Parents before their children, from the top; what hangs nowhere is left out.
std::vector<SyncedItem> TopDown(std::vector<SyncedItem>&& items) {
    std::unordered_map<std::string, std::vector<size_t>> children;
    for (size_t i = 0; i < items.size(); ++i) children[items[i].parentId].push_back(i);
    std::vector<SyncedItem> ordered;
    std::vector<std::string> queue{std::string()};
    std::unordered_set<std::string> seen;
    for (size_t at = 0; at < queue.size(); ++at) {
        auto kids = children.find(queue[at]);
        if (kids == children.end()) continue;
        for (size_t i : kids->second) {
            if (!seen.insert(items[i].id).second) continue;
            if (items[i].folder) queue.push_back(items[i].id);
            ordered.push_back(std::move(items[i]));
        }
    }
    return ordered;
}

bool SameItem(const SyncedItem& a, const SyncedItem& b) {
    return a.parentId == b.parentId && a.folder == b.folder && a.title == b.title && a.href == b.href;
}

}  // namespace

std::wstring SyncTargetKey(const std::wstring& fileUrl, int folderId) {
    return fileUrl + L'\n' + std::to_wstring(folderId);
}

bool CSyncStore::Open(const std::wstring& databasePath) {
    try {
        m_db.Open(ToUtf8(databasePath).c_str());
        m_db.Execute(kTune);
        return true;
    } catch (const CppSQLite3Exception& e) {
        m_error = e.Message();
        m_db.Close();
        return false;
    }
}

bool CSyncStore::HasSyncTables() { return m_db.HasTable("tbl_sync_tree") && m_db.HasTable("tbl_sync_map"); }

bool CSyncStore::Read(int rootId, const std::wstring& target, LocalTree& local, SyncState& state, bool& rootMissing) {
    try {
        Transaction read(m_db, "begin;");
        ReadLocal(rootId, local, rootMissing);
        ReadState(target, state);
        read.Commit();
        return true;
    } catch (const CppSQLite3Exception& e) {
        m_error = e.Message();
        return false;
    }
}

// Everything below the root, found from the root down: a folder whose parent row is
// gone (the tree loaders leave it out too) stays out.
void CSyncStore::ReadLocal(int rootId, LocalTree& local, bool& rootMissing) {
    local = LocalTree{rootId, {}, {}};
    std::unordered_map<int, std::vector<LocalFolder>> folders;
    rootMissing = rootId != 0;
    for (CppSQLite3Cursor c = m_db.Query("select id, pid, name from tbl_folder;"); !c.AtEnd(); c.Next()) {
        const int id = c.IntValue(0, 0);
        if (id == rootId) rootMissing = false;
        folders[c.IntValue(1, 0)].push_back({id, c.IntValue(1, 0), FromUtf8(c.TextValue(2, ""))});
    }
    if (rootMissing) return;
    std::unordered_set<int> below{rootId};
    std::vector<int> queue{rootId};
    for (size_t at = 0; at < queue.size(); ++at) {
        auto kids = folders.find(queue[at]);
        if (kids == folders.end()) continue;
        for (LocalFolder& f : kids->second) {
            if (!below.insert(f.id).second) continue;
            queue.push_back(f.id);
            local.folders.push_back(std::move(f));
        }
    }
    for (CppSQLite3Cursor c = m_db.Query("select id, pid, name, location from tbl_favor;"); !c.AtEnd(); c.Next()) {
        const int pid = c.IntValue(1, 0);
        if (below.count(pid))
            local.favors.push_back({c.IntValue(0, 0), pid, FromUtf8(c.TextValue(2, "")), FromUtf8(c.TextValue(3, ""))});
    }
}

void CSyncStore::ReadState(const std::wstring& target, SyncState& state) {
    state = SyncState();
    if (!m_db.HasTable("tbl_sync_info") || !HasSyncTables() || ReadInfo(kTargetInfo) != target) return;
    std::vector<SyncedItem> items;
    for (CppSQLite3Cursor c = m_db.Query(kReadTree); !c.AtEnd(); c.Next())
        items.push_back({c.TextValue(0, ""), c.TextValue(1, ""), c.IntValue(2, 0) != 0, FromUtf8(c.TextValue(3, "")),
                         FromUtf8(c.TextValue(4, "")), c.IntValue(5, 0)});
    state.items = TopDown(std::move(items));
}

bool CSyncStore::Save(const std::wstring& target, const SyncState& before, const SyncState& after) {
    try {
        Transaction write(m_db, "begin immediate;");
        m_db.Execute(kCreateTables);
        const SyncState none;
        const bool sameTarget = ReadInfo(kTargetInfo) == target;
        if (!sameTarget) m_db.Execute("delete from tbl_sync_tree; delete from tbl_sync_map;");
        WriteChanges(sameTarget ? before : none, after);
        WriteInfo(kTargetInfo, target);
        write.Commit();
        return true;
    } catch (const CppSQLite3Exception& e) {
        m_error = e.Message();
        return false;
    }
}

void CSyncStore::WriteChanges(const SyncState& before, const SyncState& after) {
    std::unordered_map<std::string, const SyncedItem*> old;
    for (const SyncedItem& item : before.items) old.emplace(item.id, &item);
    CppSQLite3Command putItem = m_db.Prepare(kPutItem), putMapping = m_db.Prepare(kPutMapping);
    CppSQLite3Command dropItem = m_db.Prepare(kDropItem), dropMapping = m_db.Prepare(kDropMapping);
    for (const SyncedItem& item : after.items) {
        auto was = old.find(item.id);
        const SyncedItem* previous = was == old.end() ? nullptr : was->second;
        if (previous) old.erase(was);
        if (!previous || !SameItem(*previous, item)) {
            putItem.BindText(1, item.id.c_str());
            putItem.BindText(2, item.parentId.c_str());
            putItem.BindInt(3, item.folder ? 1 : 0);
            putItem.BindText(4, ToUtf8(item.title).c_str());
            putItem.BindText(5, ToUtf8(item.href).c_str());
            putItem.Run();
        }
        if (!previous || previous->localId != item.localId) {
            putMapping.BindText(1, item.id.c_str());
            putMapping.BindInt(2, item.localId);
            putMapping.Run();
        }
    }
    for (const auto& gone : old) {
        dropItem.BindText(1, gone.first.c_str());
        dropItem.Run();
        dropMapping.BindText(1, gone.first.c_str());
        dropMapping.Run();
    }
}

std::wstring CSyncStore::Info(const std::wstring& name) {
    try {
        return ReadInfo(name);
    } catch (const CppSQLite3Exception& e) {
        m_error = e.Message();
        return {};
    }
}

bool CSyncStore::SetInfo(const std::wstring& name, const std::wstring& value) {
    try {
        WriteInfo(name, value);
        return true;
    } catch (const CppSQLite3Exception& e) {
        m_error = e.Message();
        return false;
    }
}

std::wstring CSyncStore::ReadInfo(const std::wstring& name) {
    if (!m_db.HasTable("tbl_sync_info")) return {};
    CppSQLite3Command read = m_db.Prepare(kReadInfo);
    read.BindText(1, ToUtf8(name).c_str());
    CppSQLite3Cursor c = read.Query();
    return c.AtEnd() ? std::wstring() : FromUtf8(c.TextValue(0, ""));
}

void CSyncStore::WriteInfo(const std::wstring& name, const std::wstring& value) {
    m_db.Execute(kCreateTables);
    CppSQLite3Command put = m_db.Prepare(kPutInfo);
    put.BindText(1, ToUtf8(name).c_str());
    put.BindText(2, ToUtf8(value).c_str());
    put.Run();
}
