#include "sync/CSyncStore.h"
#include "store/CppSQLite3Exception.h"
#include "store/TextConv.h"
#include <windows.h>
#include <algorithm>
#include <cstring>
#include <string_view>
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
constexpr wchar_t kVersionInfo[] = L"version";

// A state's version: the time of its save, to the tenth of a microsecond.
std::wstring NewVersion() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return std::to_wstring((static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

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

// The fingerprint of a UTF-8 text, through `scratch` (no allocation per text).
TextKey KeyOfUtf8(const char* text, std::wstring& scratch) {
    const size_t size = std::strlen(text);
    scratch.resize(size);
    size_t n = 0;
    while (n < size && static_cast<unsigned char>(text[n]) < 0x80) scratch[n] = text[n], ++n;  // most text
    if (n < size) {
        const int wide = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(size), scratch.data(), static_cast<int>(size));
        n = wide > 0 ? static_cast<size_t>(wide) : 0;
    }
    return KeyOfText(std::wstring_view(scratch.data(), n));
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

bool CSyncStore::HasSyncTables() {
    return m_db.HasTable("tbl_sync_tree") && m_db.HasTable("tbl_sync_map") && m_db.HasTable("tbl_sync_info");
}

bool CSyncStore::Read(int rootId, const std::wstring& target, const std::wstring& knownVersion, Snapshot& snapshot) {
    try {
        Transaction read(m_db, "begin;");
        ReadLocal(rootId, snapshot.local, snapshot.rootMissing);
        const bool ours = HasSyncTables() && ReadInfo(kTargetInfo) == target;
        snapshot.version = ours ? ReadInfo(kVersionInfo) : std::wstring();
        snapshot.stateRead = knownVersion.empty() || snapshot.version != knownVersion;
        snapshot.state = SyncState();
        if (ours && snapshot.stateRead) ReadState(snapshot.state);
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

void CSyncStore::ReadState(SyncState& state) {
    std::vector<SyncedItem> items;
    std::wstring scratch;
    for (CppSQLite3Cursor c = m_db.Query(kReadTree); !c.AtEnd(); c.Next())
        items.push_back({c.TextValue(0, ""), c.TextValue(1, ""), c.IntValue(2, 0) != 0, KeyOfUtf8(c.TextValue(3, ""), scratch),
                         KeyOfUtf8(c.TextValue(4, ""), scratch), c.IntValue(5, 0)});
    state.items = TopDown(std::move(items));
}

bool CSyncStore::Save(const std::wstring& target, const SyncState& before, const SyncState& after,
                      std::wstring& version) {
    try {
        Transaction write(m_db, "begin immediate;");
        m_db.Execute(kCreateTables);
        const SyncState none;
        const bool sameTarget = ReadInfo(kTargetInfo) == target;
        if (!sameTarget) m_db.Execute("delete from tbl_sync_tree; delete from tbl_sync_map;");
        WriteChanges(sameTarget ? before : none, after);
        WriteInfo(kTargetInfo, target);
        version = NewVersion();
        WriteInfo(kVersionInfo, version);
        write.Commit();
        return true;
    } catch (const CppSQLite3Exception& e) {
        m_error = e.Message();
        return false;
    }
}

// Both states list their items depth first, and from one sync to the next most items
// keep their place: an item is looked for at its own position first, then by its id.
void CSyncStore::WriteChanges(const SyncState& before, const SyncState& after) {
    std::vector<std::pair<std::string_view, size_t>> byId;  // made when first needed
    std::vector<char> kept(before.items.size());
    auto previousOf = [&](size_t i, const std::string& id) -> const SyncedItem* {
        if (i < before.items.size() && before.items[i].id == id) return kept[i] = 1, &before.items[i];
        if (byId.empty()) {
            byId.reserve(before.items.size());
            for (size_t k = 0; k < before.items.size(); ++k) byId.emplace_back(before.items[k].id, k);
            std::sort(byId.begin(), byId.end());
        }
        auto at = std::lower_bound(byId.begin(), byId.end(), std::pair<std::string_view, size_t>(id, 0));
        if (at == byId.end() || at->first != id) return nullptr;
        kept[at->second] = 1;
        return &before.items[at->second];
    };
    CppSQLite3Command putItem = m_db.Prepare(kPutItem), putMapping = m_db.Prepare(kPutMapping);
    for (size_t i = 0; i < after.items.size(); ++i) {
        const SyncedItem& item = after.items[i];
        const SyncedItem* previous = previousOf(i, item.id);
        if (!previous || !SameItem(*previous, item)) {
            putItem.BindText(1, item.id.c_str());
            putItem.BindText(2, item.parentId.c_str());
            putItem.BindInt(3, item.folder ? 1 : 0);
            putItem.BindText(4, item.titleText ? ToUtf8(*item.titleText).c_str() : "");
            putItem.BindText(5, item.hrefText ? ToUtf8(*item.hrefText).c_str() : "");
            putItem.Run();
        }
        if (!previous || previous->localId != item.localId) {
            putMapping.BindText(1, item.id.c_str());
            putMapping.BindInt(2, item.localId);
            putMapping.Run();
        }
    }
    CppSQLite3Command dropItem = m_db.Prepare(kDropItem), dropMapping = m_db.Prepare(kDropMapping);
    for (size_t i = 0; i < before.items.size(); ++i) {
        if (kept[i]) continue;
        dropItem.BindText(1, before.items[i].id.c_str());
        dropItem.Run();
        dropMapping.BindText(1, before.items[i].id.c_str());
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
