#include "transfer/FirefoxPlaces.h"
#include "store/CppSQLite3Connection.h"
#include "store/CppSQLite3Exception.h"
#include "store/TextConv.h"
#include "transfer/ImportedItems.h"
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

namespace {

constexpr wchar_t kPlacesFile[] = L"places.sqlite";

struct PlacesRoots {
    int places = 1;
    int menu = 2;
    int toolbar = 3;
    int tags = 4;
    int unfiled = 5;
};

bool HasGuidColumn(CppSQLite3Connection& db) {
    for (CppSQLite3Cursor c = db.Query("pragma table_info(moz_bookmarks);"); !c.AtEnd(); c.Next()) {
        if (std::strcmp(c.TextValue(1, ""), "guid") == 0) return true;
    }
    return false;
}

PlacesRoots FindRoots(CppSQLite3Connection& db) {
    PlacesRoots roots;
    if (!HasGuidColumn(db)) return roots;
    const struct { const char* guid; int PlacesRoots::*slot; } kGuids[] = {
        {"root________", &PlacesRoots::places}, {"menu________", &PlacesRoots::menu},
        {"toolbar_____", &PlacesRoots::toolbar}, {"tags________", &PlacesRoots::tags},
        {"unfiled_____", &PlacesRoots::unfiled},
    };
    CppSQLite3Cursor c = db.Query(
        "select guid, id from moz_bookmarks where guid in "
        "('root________', 'menu________', 'toolbar_____', 'tags________', 'unfiled_____');");
    for (; !c.AtEnd(); c.Next()) {
        for (const auto& g : kGuids) {
            if (std::strcmp(c.TextValue(0, ""), g.guid) == 0) roots.*g.slot = c.IntValue(1, 0);
        }
    }
    return roots;
}

struct PlacesFolder {
    int id = 0;
    int parent = 0;
    std::wstring title;
    std::unique_ptr<FolderRecord> owned;  // made once the folder is known to reach the menu,
    FolderRecord* record = nullptr;       // until it joins its parent
    bool dead = false;               // known not to reach it
    bool onChain = false;
};

// Whether the folder's parent chain reaches the menu through folders the query listed;
// a chain that breaks anywhere, or runs in a circle, leaves out every folder on it.
// Makes the records of the folders on a chain that reaches it.
bool ReachesMenu(std::map<int, PlacesFolder>& rows, int id, int menu) {
    std::vector<PlacesFolder*> chain;
    bool reaches = false;
    for (int at = id;;) {
        const auto it = rows.find(at);
        if (it == rows.end() || it->second.dead || it->second.onChain) break;
        PlacesFolder& row = it->second;
        if (row.record) {
            reaches = true;
            break;
        }
        row.onChain = true;
        chain.push_back(&row);
        if (row.parent == menu) {
            reaches = true;
            break;
        }
        at = row.parent;
    }
    for (PlacesFolder* row : chain) {
        row->onChain = false;
        row->dead = !reaches;
        if (!reaches) continue;
        row->owned = std::make_unique<FolderRecord>();
        row->record = row->owned.get();
        row->record->id = row->id;
        row->record->pid = row->parent;
        row->record->name = row->title;
    }
    return reaches;
}

// An empty folder for a temporary copy of a database, removed with its contents.
class TempCopyFolder {
public:
    TempCopyFolder() {
        wchar_t temp[MAX_PATH + 1] = {};
        if (!GetTempPathW(MAX_PATH, temp)) return;
        static LONG serial = 0;
        m_path = std::wstring(temp) + L"tm-places-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(InterlockedIncrement(&serial));
        if (!CreateDirectoryW(m_path.c_str(), nullptr)) m_path.clear();
    }
    ~TempCopyFolder() {
        if (m_path.empty()) return;
        for (const wchar_t* suffix : {L"", L"-wal", L"-shm", L"-journal"}) {
            DeleteFileW((File() + suffix).c_str());
        }
        RemoveDirectoryW(m_path.c_str());
    }
    TempCopyFolder(const TempCopyFolder&) = delete;
    TempCopyFolder& operator=(const TempCopyFolder&) = delete;
    bool Ok() const { return !m_path.empty(); }
    std::wstring File() const { return m_path + L"\\" + kPlacesFile; }

private:
    std::wstring m_path;
};

bool IsFile(const std::wstring& path) {
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// Opens and reads one database file; throws CppSQLite3Exception.
void ReadDatabase(const std::wstring& path, bool readOnly, FolderRecord& root, int& count, ReadNotes& notes) {
    CppSQLite3Connection db;
    db.Open(ToUtf8(path).c_str());
    // A lock held by a running Firefox fails at once instead of after the busy timeout;
    // a large page cache and a file mapping keep the join of 100,000 bookmarks from
    // reading the file page by page (each read is slow under Wine).
    db.Execute("pragma busy_timeout = 0;");
    if (readOnly) db.Execute("pragma query_only = 1;");
    db.Execute("pragma cache_size = -65536;");
    db.Execute("pragma mmap_size = 268435456;");
    ReadPlacesTree(db, root, count, notes);
}

bool IsLockOrAccessFailure(int code) {
    return code == SQLITE_BUSY || code == SQLITE_LOCKED || code == SQLITE_CANTOPEN ||
           code == SQLITE_READONLY || code == SQLITE_IOERR || code == SQLITE_PERM;
}

}  // namespace

std::wstring FirefoxPlacesPath(const std::wstring& firefoxFolder) {
    const DWORD a = GetFileAttributesW(firefoxFolder.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY)) return {};
    const std::wstring ini = firefoxFolder + L"profiles.ini";
    const UINT isRelative = GetPrivateProfileIntW(L"Profile0", L"IsRelative", 1, ini.c_str());
    std::vector<wchar_t> value(32768);
    GetPrivateProfileStringW(L"Profile0", L"Path", L"", value.data(), static_cast<DWORD>(value.size()),
                             ini.c_str());
    const std::wstring profile = value.data();
    if (profile.empty()) return {};
    return (isRelative != 0 ? firefoxFolder + profile : profile) + L"\\" + kPlacesFile;
}

bool ReadPlacesFile(const std::wstring& path, FolderRecord& root, int& count) {
    ReadNotes notes;
    return ReadPlacesFile(path, root, count, notes);
}

bool ReadPlacesFile(const std::wstring& path, FolderRecord& root, int& count, ReadNotes& notes) {
    count = 0;
    const size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos || path.compare(slash + 1, std::wstring::npos, kPlacesFile) != 0) {
        return false;  // the name is compared exactly: "Places.sqlite" is refused
    }
    if (!IsFile(path)) return false;  // opening would create an empty database
    FolderRecord read;
    try {
        ReadDatabase(path, true, read, count, notes);
    } catch (const CppSQLite3Exception& e) {
        read = FolderRecord();
        count = 0;
        notes.leftOut = 0;  // read again below
        if (!IsLockOrAccessFailure(e.Code())) return false;
        TempCopyFolder copy;
        if (!copy.Ok() || !CopyFileW(path.c_str(), copy.File().c_str(), FALSE)) return false;
        const std::wstring wal = path + L"-wal";
        if (IsFile(wal) && !CopyFileW(wal.c_str(), (copy.File() + L"-wal").c_str(), FALSE)) return false;
        try {
            ReadDatabase(copy.File(), false, read, count, notes);  // writable: the log is replayed
        } catch (const CppSQLite3Exception&) {
            count = 0;
            return false;
        }
    }
    if (count > kMaxImportItems) {
        count = 0;
        notes.failure = TooManyItemsText();
        return false;
    }
    root.subfolders.swap(read.subfolders);
    root.favors.swap(read.favors);
    return true;
}

void ReadPlacesTree(CppSQLite3Connection& db, FolderRecord& root, int& count) {
    ReadNotes notes;
    ReadPlacesTree(db, root, count, notes);
}

void ReadPlacesTree(CppSQLite3Connection& db, FolderRecord& root, int& count, ReadNotes& notes) {
    count = 0;
    const PlacesRoots roots = FindRoots(db);
    char sql[256];
    std::snprintf(sql, sizeof sql,
                  "select id, parent, title from moz_bookmarks where type = 2 and parent <> 0 and "
                  "parent <> %d and parent <> %d and parent <> %d order by parent;",
                  roots.places, roots.toolbar, roots.tags);
    std::map<int, PlacesFolder> rows;  // by Firefox id, ascending
    for (CppSQLite3Cursor c = db.Query(sql); !c.AtEnd(); c.Next()) {
        const int id = c.IntValue(0, 0);
        PlacesFolder& row = rows[id];
        row.id = id;
        row.parent = c.IntValue(1, 0);
        row.title = NameFromUtf8(c.TextView(2));
    }
    for (const auto& entry : rows) ReachesMenu(rows, entry.first, roots.menu);
    // Nothing can fail between making the records and attaching them to the tree.
    for (auto& [id, row] : rows) {
        if (!row.record) continue;
        FolderRecord& parent = row.parent == roots.menu ? root : *rows[row.parent].record;
        parent.subfolders.push_back(std::move(row.owned));
        ++count;
    }
    for (CppSQLite3Cursor c = db.Query("select b.parent, b.title, p.url from moz_bookmarks b, moz_places p "
                                       "where b.fk = p.id and b.type = 1;");
         !c.AtEnd(); c.Next()) {
        const int parent = c.IntValue(0, 0);
        FolderRecord* folder = nullptr;
        if (parent == roots.unfiled) {
            folder = &root;
        } else if (const auto it = rows.find(parent); it != rows.end()) {
            folder = it->second.record;
        }
        if (!folder) continue;
        const std::string_view url = c.TextView(2);  // whole: a NUL inside is seen, not cut at
        if (url.size() > kMaxLocationBytes) {
            ++notes.leftOut;
            continue;
        }
        FavorRecord& favor = folder->favors.emplace_back();
        favor.pid = parent;
        favor.name = NameFromUtf8(c.TextView(1));
        favor.location = FromUtf8(url);
        ++count;
    }
}
