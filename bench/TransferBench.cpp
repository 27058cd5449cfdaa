// Imports and exports against the floor of doing the same work directly: a synthetic
// Firefox database of 100,000 bookmarks and a favorites folder of 10,000 .url files
// imported into a fresh store (next to 100,000 plain inserts in one transaction), and
// 100,000 favorites in 2,000 folders exported as bookmark HTML and 10,000 as .url files
// (next to writing the same bytes and files straight away).
#include "bench/Bench.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include "transfer/BookmarkHtml.h"
#include "transfer/CFavorTransfer.h"
#include "transfer/SaveImportedTree.h"
#include "transfer/ShortcutFile.h"
#include <sqlite3.h>
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kBookmarks = 100000;
constexpr int kFolders = 2000;
constexpr int kUrlFiles = 10000;
constexpr int kUrlFolders = 100;
constexpr int kHeavyRuns = 3;

std::wstring TempPath(const std::wstring& name) {
    wchar_t dir[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(path + L"\\" + name);
            else DeleteFileW((path + L"\\" + name).c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(path.c_str());
}

void RemoveDb(const std::wstring& path) {
    for (const wchar_t* s : {L"", L"-journal", L"-wal", L"-shm"}) DeleteFileW((path + s).c_str());
}

void Exec(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

// Parent of folder i (0-based): four levels of 20, 100, 380 and 1,500 folders.
int FolderParent(int i) {
    if (i < 20) return -1;
    if (i < 120) return i % 20;
    if (i < 500) return 20 + i % 100;
    return 120 + i % 380;
}

void MakePlaces(const std::wstring& path) {
    RemoveDb(path);
    sqlite3* db = nullptr;
    sqlite3_open(ToUtf8(path).c_str(), &db);
    Exec(db, "create table moz_places (id integer primary key, url longvarchar, title longvarchar, guid text);"
             "create table moz_bookmarks (id integer primary key, type integer, fk integer default null, "
             "parent integer, position integer, title longvarchar, guid text);"
             "begin;"
             "insert into moz_bookmarks values(1, 2, null, 0, 0, '', 'root________');"
             "insert into moz_bookmarks values(2, 2, null, 1, 0, 'Menu', 'menu________');"
             "insert into moz_bookmarks values(3, 2, null, 1, 1, 'Toolbar', 'toolbar_____');"
             "insert into moz_bookmarks values(4, 2, null, 1, 2, 'Tags', 'tags________');"
             "insert into moz_bookmarks values(5, 2, null, 1, 3, 'Other', 'unfiled_____');");
    sqlite3_stmt* folder = nullptr;
    sqlite3_prepare_v2(db, "insert into moz_bookmarks(id, type, parent, title) values(?, 2, ?, ?);", -1, &folder, nullptr);
    for (int i = 0; i < kFolders; ++i) {
        const int parent = FolderParent(i);
        sqlite3_bind_int(folder, 1, 100 + i);
        sqlite3_bind_int(folder, 2, parent < 0 ? 2 : 100 + parent);
        sqlite3_bind_text(folder, 3, ("Folder " + std::to_string(i)).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(folder);
        sqlite3_reset(folder);
    }
    sqlite3_finalize(folder);
    sqlite3_stmt* place = nullptr;
    sqlite3_stmt* mark = nullptr;
    sqlite3_prepare_v2(db, "insert into moz_places(id, url) values(?, ?);", -1, &place, nullptr);
    sqlite3_prepare_v2(db, "insert into moz_bookmarks(id, type, fk, parent, title) values(?, 1, ?, ?, ?);", -1, &mark, nullptr);
    for (int i = 0; i < kBookmarks; ++i) {
        const std::string n = std::to_string(i);
        sqlite3_bind_int(place, 1, i + 1);
        sqlite3_bind_text(place, 2, ("https://site" + n + ".example.com/path/page?id=" + n).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(place);
        sqlite3_reset(place);
        sqlite3_bind_int(mark, 1, 10000 + i);
        sqlite3_bind_int(mark, 2, i + 1);
        sqlite3_bind_int(mark, 3, i % 50 == 0 ? 5 : 100 + (i * 7) % kFolders);
        sqlite3_bind_text(mark, 4, ("Bookmark number " + n + " about something").c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(mark);
        sqlite3_reset(mark);
    }
    sqlite3_finalize(place);
    sqlite3_finalize(mark);
    Exec(db, "commit;");
    sqlite3_close(db);
}

// The floor: 100,000 favorite rows inserted through one statement in one transaction.
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

// One import into a fresh store: read phase, then the save phase; returns {read, save}.
// A run that does not read and store `expected` items is reported, so that a fast
// figure cannot come from an import that lost its work.
template <class Read>
std::pair<double, double> Import(int runs, const wchar_t* top, int expected, Read read) {
    const std::wstring storePath = TempPath(L"tm-bench-import.db");
    std::vector<double> reads, saves;
    for (int r = 0; r <= runs; ++r) {  // the first round warms up
        RemoveDb(storePath);
        CFavorStore store;
        store.Open(storePath);
        FolderRecord root;
        int count = 0;
        const double t0 = bench::NowMs();
        read(root, count);
        const double t1 = bench::NowMs();
        int steps = 0;
        const bool saved = SaveImportedTree(store, root, top, [&] { ++steps; }, [](const FolderRecord&) {});
        const double t2 = bench::NowMs();
        if (!saved || count != expected || steps != expected)
            std::printf("!! %ls: read %d items and stored %d of %d expected%s\n", top, count, steps, expected,
                        saved ? "" : ", and the save failed");
        FreeFolderChildren(root);
        if (r == 0) continue;
        reads.push_back(t1 - t0);
        saves.push_back(t2 - t1);
    }
    RemoveDb(storePath);
    std::sort(reads.begin(), reads.end());
    std::sort(saves.begin(), saves.end());
    return {reads[reads.size() / 2], saves[saves.size() / 2]};
}

void BuildExportTree(FolderRecord& root, int favors, int folders) {
    std::vector<FolderRecord*> all;
    for (int i = 0; i < folders; ++i) {
        auto* f = new FolderRecord;
        f->name = L"Folder " + std::to_wstring(i);
        const int parent = FolderParent(i);
        (parent < 0 ? root : *all[parent]).subfolders.push_back(f);
        all.push_back(f);
    }
    for (int i = 0; i < favors; ++i) {
        auto* f = new FavorRecord;
        f->name = L"Bookmark number " + std::to_wstring(i) + L" about R&D <" + std::to_wstring(i % 7) + L">";
        f->location = L"https://site" + std::to_wstring(i) + L".example.com/path/page?id=" + std::to_wstring(i) + L"&x=1";
        all[(i * 7) % folders]->favors.push_back(f);
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

void RunImports(const BenchOptions& options) {
    const int runs = std::min(options.runs, kHeavyRuns);
    const std::wstring places = TempPath(L"tm-bench-places\\places.sqlite");
    CreateDirectoryW(TempPath(L"tm-bench-places").c_str(), nullptr);
    MakePlaces(places);
    CFavorTransfer transfer;
    const auto firefox = Import(runs, L"Favorites From Firefox", kBookmarks + kFolders, [&](FolderRecord& root, int& count) {
        transfer.ReadFirefoxPlaces(places, root, count);
    });
    RemoveDb(places);
    RemoveDirectoryW(TempPath(L"tm-bench-places").c_str());
    const double floor = RawInsertFloor(runs);

    const std::wstring favorites = TempPath(L"tm-bench-favorites");
    RemoveTree(favorites);
    CreateDirectoryW(favorites.c_str(), nullptr);
    for (int d = 0; d < kUrlFolders; ++d) CreateDirectoryW((favorites + L"\\Folder " + std::to_wstring(d)).c_str(), nullptr);
    for (int i = 0; i < kUrlFiles; ++i) {
        const std::wstring dir = favorites + L"\\Folder " + std::to_wstring(i % kUrlFolders);
        WriteWhole(ShortcutPathFor(dir, L"Site " + std::to_wstring(i)),
                   "[InternetShortcut]\r\nURL=https://site" + std::to_string(i) + ".example.com/\r\n");
    }
    const auto folder = Import(runs, L"Favorites From IE", kUrlFiles + kUrlFolders, [&](FolderRecord& root, int& count) {
        transfer.ReadFavoritesFolder(favorites, root, count);
    });
    const double rawRead = bench::MedianMs(runs, [&] {
        for (int i = 0; i < kUrlFiles; ++i) {
            const std::wstring dir = favorites + L"\\Folder " + std::to_wstring(i % kUrlFolders);
            HANDLE h = CreateFileW(ShortcutPathFor(dir, L"Site " + std::to_wstring(i)).c_str(), GENERIC_READ,
                                   FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            char buffer[512];
            DWORD got = 0;
            ReadFile(h, buffer, sizeof buffer, &got, nullptr);
            CloseHandle(h);
        }
    });
    RemoveTree(favorites);

    bench::Table table({"operation", "import", "floor"});
    table.Row("Firefox import, 100,000 bookmarks in 2,000 folders (read + save) vs 100,000 raw inserts",
              {firefox.first + firefox.second, floor});
    table.Row("  read phase (ReadFirefoxPlaces)", {firefox.first});
    table.Row("  save phase (SaveImportedTree, one batch) vs 100,000 raw inserts", {firefox.second, floor});
    table.Row("Folder import, 10,000 .url files in 100 folders (read + save) vs reading the files",
              {folder.first + folder.second, rawRead});
    table.Row("  read phase (ReadFavoritesFolder through the shell)", {folder.first, rawRead});
    table.Row("  save phase (SaveImportedTree)", {folder.second});
    table.Print();
}

void RunExports(const BenchOptions& options) {
    const int runs = std::min(options.runs, kHeavyRuns);
    CFavorTransfer transfer;
    FolderRecord big;
    BuildExportTree(big, kBookmarks, kFolders);
    const std::wstring html = TempPath(L"tm-bench-export.html");
    int steps = 0;
    const double htmlMs = bench::MedianMs(runs, [&] { transfer.ExportToHtml([&] { ++steps; }, html, big); });
    std::string bytes;
    {
        std::wstring doc = BookmarkHtmlHeader();
        AppendBookmarkHtml(doc, big, false, nullptr);
        bytes = ToUtf8(doc);
    }
    const double rawHtml = bench::MedianMs(runs, [&] { WriteWhole(html, bytes); });
    DeleteFileW(html.c_str());
    FreeFolderChildren(big);

    FolderRecord small;
    BuildExportTree(small, kUrlFiles, kUrlFolders);
    const std::wstring dest = TempPath(L"tm-bench-export");
    auto fresh = [&] {
        RemoveTree(dest);
        CreateDirectoryW(dest.c_str(), nullptr);
    };
    const double urlMs = bench::MedianMs(runs, [&] { transfer.ExportToFolder([&] { ++steps; }, dest, small); }, fresh);
    const double rawUrl = bench::MedianMs(
        runs,
        [&] {
            for (int d = 0; d < kUrlFolders; ++d) CreateDirectoryW((dest + L"\\Folder " + std::to_wstring(d)).c_str(), nullptr);
            for (int i = 0; i < kUrlFiles; ++i) {
                WriteWhole(dest + L"\\Folder " + std::to_wstring(i % kUrlFolders) + L"\\Site " + std::to_wstring(i) + L".url",
                           "[InternetShortcut]\r\nURL=https://site" + std::to_string(i) + ".example.com/path/page\r\n");
            }
        },
        fresh);
    RemoveTree(dest);
    FreeFolderChildren(small);

    bench::Table table({"operation", "export", "direct write"});
    table.Row("HTML export, 100,000 favorites in 2,000 folders (" + std::to_string(bytes.size() / 1024) +
                  " KiB) vs one write of the same bytes",
              {htmlMs, rawHtml});
    table.Row(".url export, 10,000 favorites in 100 folders vs writing the files directly", {urlMs, rawUrl});
    table.Print();
}

const BenchSection kImportSection("transfer-import", "Firefox and favorites folder imports vs raw inserts and reads",
                                  RunImports);
const BenchSection kExportSection("transfer-export", "HTML and .url exports vs writing the same bytes and files",
                                  RunExports);

}  // namespace
