// Finding duplicate locations over 100,000 favorites and the check on add, each next to
// a raw scan of every location through SQLite's C API in the same run (the least any
// answer that looks at every location can cost).
#include "bench/Bench.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include <sqlite3.h>
#include <windows.h>
#include <cstdio>
#include <string>

namespace {

constexpr int kFavorCount = 100000;

// Every tenth favorite repeats an earlier location written another way.
std::wstring Location(int i) {
    wchar_t text[128];
    if (i % 10 == 9)
        std::swprintf(text, 128, L"HTTP://www.Site%d.example.org:80/page/%d.html", (i - 9) % 3000, i - 9);
    else
        std::swprintf(text, 128, L"http://www.site%d.example.org/page/%d.html", i % 3000, i);
    return text;
}

long g_sink = 0;

// Every location read once, on a connection with the store's settings.
void RawScan(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "select location from tbl_favor", -1, &stmt, nullptr);
    while (sqlite3_step(stmt) == SQLITE_ROW) g_sink += sqlite3_column_bytes(stmt, 0);
    sqlite3_finalize(stmt);
}

void Run(const BenchOptions& options) {
    wchar_t dir[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, dir);
    const std::wstring path = std::wstring(dir) + L"tm_bench_cleanup.db";
    DeleteFileW(path.c_str());
    CFavorStore store;
    store.Open(path);
    {
        CFavorStore::Batch batch(store);
        for (int i = 0; i < kFavorCount; ++i) {
            FavorRecord r;
            r.pid = i % 200;
            r.name = L"favorite " + std::to_wstring(i);
            r.location = Location(i);
            store.AddFavor(r);
        }
        batch.Commit();
    }
    size_t groups = 0, rows = 0;
    const double duplicates = bench::MedianMs(options.runs, [&] {
        std::vector<FavorRecord> found;
        std::vector<size_t> sizes;
        store.FindDuplicates(found, sizes);
        groups = sizes.size();
        rows = found.size();
    });
    const double check = bench::MedianMs(options.runs, [&] {
        std::vector<FavorRecord> found;
        store.FindSameLocation(L"http://www.site1.example.org/page/not-stored.html", found);
    });
    sqlite3* db = nullptr;
    sqlite3_open(ToUtf8(path).c_str(), &db);
    sqlite3_exec(db, "pragma cache_size = -65536; pragma mmap_size = 268435456;", nullptr, nullptr, nullptr);
    const double scan = bench::MedianMs(options.runs, [&] { RawScan(db); });
    sqlite3_close(db);
    std::printf("%d favorites; %zu groups of duplicates, %zu favorites in them\n", kFavorCount, groups, rows);
    bench::Table table({"operation", "store", "raw location scan"});
    table.Row("FindDuplicates (target < 500 ms)", {duplicates, scan});
    table.Row("FindSameLocation, check on add (target < 20 ms)", {check, scan});
    table.Print();
}

const BenchSection kCleanupSection("cleanup", "duplicate locations and the check on add vs. a raw location scan", Run);

}  // namespace
