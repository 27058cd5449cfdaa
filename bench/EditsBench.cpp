// The one path for changes: deleting a folder of 10,000 favorites and taking the
// deletion back, beside the same rows deleted and inserted again straight through
// SQLite's C API in one transaction.
#include "bench/Bench.h"
#include "bench/BenchFiles.h"
#include "edits/FavorEdits.h"
#include "store/CFavorStore.h"
#include "store/TextConv.h"
#include <sqlite3.h>
#include <windows.h>
#include <string>
#include <vector>

namespace {

using benchfiles::RemoveDb;
using benchfiles::TempPath;

constexpr int kFolderFavors = 10000;
constexpr int kOtherFavors = 90000;

// The big folder's favorites, each with visits, and as many again elsewhere.
int Fill(CFavorStore& store) {
    FolderRecord big, other;
    big.name = L"Big";
    other.name = L"Other";
    CFavorStore::Batch batch(store);
    store.AddFolder(big);
    store.AddFolder(other);
    for (int i = 0; i < kFolderFavors + kOtherFavors; ++i) {
        FavorRecord f;
        f.pid = i < kFolderFavors ? big.id : other.id;
        f.name = L"Bookmark " + std::to_wstring(i) + L" about things";
        f.location = L"https://www.site" + std::to_wstring(i % 3000) + L".example.org/page/" + std::to_wstring(i);
        f.tags = L"tag" + std::to_wstring(i % 50);
        f.hits = i % 7;
        f.lastHit = L"2026-01-02 03:04:05";
        store.InsertFavorRow(f);
    }
    batch.Commit();
    return big.id;
}

// The same rows inserted with their ids, in one transaction, through a prepared statement.
void RawInsert(sqlite3* db, const std::vector<FavorRecord>& rows) {
    sqlite3_exec(db, "begin;", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db,
                       "insert into tbl_favor(id, pid, name, location, tags, hits, last_hit) "
                       "values(?,?,?,?,?,?,?);",
                       -1, &stmt, nullptr);
    for (const FavorRecord& r : rows) {
        sqlite3_bind_int(stmt, 1, r.id);
        sqlite3_bind_int(stmt, 2, r.pid);
        sqlite3_bind_text(stmt, 3, ToUtf8(r.name).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 4, ToUtf8(r.location).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 5, ToUtf8(r.tags).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(stmt, 6, r.hits);
        sqlite3_bind_text(stmt, 7, ToUtf8(r.lastHit).c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    sqlite3_exec(db, "commit;", nullptr, nullptr, nullptr);
}

void Run(const BenchOptions& options) {
    const int runs = options.runs;
    const std::wstring path = TempPath(L"tm-bench-edits.db");
    RemoveDb(path);
    CFavorStore store;
    store.Open(path);
    const int big = Fill(store);
    std::vector<FavorRecord> rows;
    store.LoadFavors(big, rows);
    FavorEdits edits(store);

    const double deleteFolder = bench::MedianMs(runs, [&] { edits.DeleteFolder(big); }, {}, [&] { edits.Undo(); });
    const double undo = bench::MedianMs(runs, [&] { edits.Undo(); }, [&] { edits.DeleteFolder(big); });
    const double redo = bench::MedianMs(runs, [&] { edits.Redo(); }, [&] { edits.Undo(); }, [&] { edits.Undo(); });
    store.Open(L":memory:");  // the raw runs have the file to themselves

    sqlite3* db = nullptr;
    sqlite3_open(ToUtf8(path).c_str(), &db);
    sqlite3_exec(db, "pragma cache_size = -65536; pragma mmap_size = 268435456;", nullptr, nullptr, nullptr);
    const std::string deleteSql = "delete from tbl_favor where pid = " + std::to_string(big) + ";";
    const auto rawDelete = [&] {
        sqlite3_exec(db, ("begin; " + deleteSql + " commit;").c_str(), nullptr, nullptr, nullptr);
    };
    const double rawInsert = bench::MedianMs(runs, [&] { RawInsert(db, rows); }, rawDelete);
    const double rawDeleted = bench::MedianMs(runs, rawDelete, {}, [&] { RawInsert(db, rows); });
    sqlite3_close(db);
    RemoveDb(path);

    bench::Table table({"operation", "edits", "raw"});
    table.Row("Delete a folder of 10,000 favorites vs one raw delete of its rows", {deleteFolder, rawDeleted});
    table.Row("Undo that deletion vs 10,000 raw inserts with their ids in one transaction", {undo, rawInsert});
    table.Row("Redo it vs one raw delete of its rows", {redo, rawDeleted});
    table.Print();
}

const BenchSection kEditsSection("edits", "undo and redo of a large step vs. the same rows through the SQLite C API",
                                 Run);

}  // namespace
