// Imports and exports against the floor of doing the same work directly: a synthetic
// Firefox database of 100,000 bookmarks and a favorites folder of 10,000 .url files
// imported into a fresh store (next to 100,000 plain inserts in one transaction), and
// 100,000 favorites in 2,000 folders exported as bookmark HTML and 10,000 as .url files
// (next to writing the same bytes and files straight away).
#include "bench/Bench.h"
#include "bench/BenchFiles.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include "transfer/BookmarkHtml.h"
#include "transfer/CFavorTransfer.h"
#include "edits/FavorEdits.h"
#include "transfer/ShortcutFile.h"
#include <sqlite3.h>
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace benchfiles;

constexpr int kUrlFiles = 10000;
constexpr int kUrlFolders = 100;

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
    table.Row("  save phase (one transaction) vs 100,000 raw inserts", {firefox.second, floor});
    table.Row("Folder import, 10,000 .url files in 100 folders (read + save) vs reading the files",
              {folder.first + folder.second, rawRead});
    table.Row("  read phase (ReadFavoritesFolder through the shell)", {folder.first, rawRead});
    table.Row("  save phase", {folder.second});
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
