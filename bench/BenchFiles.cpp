#include "bench/BenchFiles.h"
#include "store/TextConv.h"
#include <windows.h>

namespace benchfiles {

std::wstring TempPath(const std::wstring& name) {
    wchar_t dir[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

void RemoveDb(const std::wstring& path) {
    for (const wchar_t* s : {L"", L"-journal", L"-wal", L"-shm"}) DeleteFileW((path + s).c_str());
}

void Exec(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

int FolderParent(int i) {
    if (i < 20) return -1;
    if (i < 120) return i % 20;
    if (i < 500) return 20 + i % 100;
    return 120 + i % 380;
}

double RawInsertFloor(int runs) {
    const std::wstring path = TempPath(L"tm-bench-floor.db");
    sqlite3* db = nullptr;
    return bench::MedianMs(
        runs,
        [&] {
            Exec(db, "begin;");
            sqlite3_stmt* st = nullptr;
            sqlite3_prepare_v2(db, "insert into tbl_favor(pid, name, location, tags, hits, last_hit) "
                                   "values(?,?,?,?,0,?);", -1, &st, nullptr);
            for (int i = 0; i < kBookmarks; ++i) {
                const std::string n = std::to_string(i);
                sqlite3_bind_int(st, 1, i % kFolders);
                sqlite3_bind_text(st, 2, ("Bookmark number " + n + " about something").c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(st, 3, ("https://site" + n + ".example.com/path/page?id=" + n).c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(st, 4, "", -1, SQLITE_STATIC);
                sqlite3_bind_text(st, 5, "2024-01-01 12:00:00", -1, SQLITE_STATIC);
                sqlite3_step(st);
                sqlite3_reset(st);
            }
            sqlite3_finalize(st);
            Exec(db, "commit;");
        },
        [&] {
            RemoveDb(path);
            sqlite3_open(ToUtf8(path).c_str(), &db);
            Exec(db, "create table tbl_favor(id integer primary key, pid int, name char(512), location char(1024), "
                     "tags char(128), hits int, last_hit char(20));");
        },
        [&] {
            sqlite3_close(db);
            RemoveDb(path);
        });
}

void BuildExportTree(FolderRecord& root, int favors, int folders) {
    std::vector<FolderRecord*> all;
    for (int i = 0; i < folders; ++i) {
        const int parent = FolderParent(i);
        FolderRecord& f = (parent < 0 ? root : *all[parent]).AddSubfolder();
        f.name = L"Folder " + std::to_wstring(i);
        all.push_back(&f);
    }
    for (int i = 0; i < favors; ++i) {
        FavorRecord& f = all[(i * 7) % folders]->favors.emplace_back();
        f.name = L"Bookmark number " + std::to_wstring(i) + L" about R&D <" + std::to_wstring(i % 7) + L">";
        f.location = L"https://site" + std::to_wstring(i) + L".example.com/path/page?id=" + std::to_wstring(i) + L"&x=1";
    }
}

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(h);
    return true;
}

}  // namespace benchfiles
