#include "backup/DatabaseCopy.h"
#include "store/TextConv.h"
#include <sqlite3.h>
#include <memory>

namespace {

struct CloseDb {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;

struct FinalizeStmt {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Stmt = std::unique_ptr<sqlite3_stmt, FinalizeStmt>;

// A file that is not a database, or whose pages do not hold together.
bool IsDamage(int code) {
    const int primary = code & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

DbOutcome Fail(int code, const std::string& problem) {
    return {IsDamage(code) ? DbOutcome::Kind::Damaged : DbOutcome::Kind::Failed, problem};
}

DbOutcome Fail(sqlite3* db, int code) {
    return Fail(code, db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
}

int Open(const std::wstring& path, int flags, Db& db) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(ToUtf8(path).c_str(), &raw, flags, nullptr);
    db.reset(raw);  // a failed open still hands back a handle to close
    return rc;
}

// Reads through a mapping of the file: page by page reads are slow under Wine.
constexpr const char kReadTuning[] = "pragma mmap_size = 268435456; pragma cache_size = -65536;";

DbOutcome QuickCheck(sqlite3* db) {
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(db, "pragma quick_check;", -1, &raw, nullptr);
    const Stmt check(raw);
    if (rc != SQLITE_OK) return Fail(db, rc);
    rc = sqlite3_step(check.get());
    if (rc != SQLITE_ROW) return Fail(db, rc == SQLITE_DONE ? SQLITE_CORRUPT : rc);
    const auto* first = reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0));
    const std::string finding = first ? first : "";
    if (finding == "ok") return {};
    return {DbOutcome::Kind::Damaged, finding};
}

}  // namespace

DbOutcome CopyDatabase(const std::wstring& source, const std::wstring& target, int busyMs) {
    Db from, to;
    int rc = Open(source, SQLITE_OPEN_READONLY, from);
    if (rc != SQLITE_OK) return Fail(from.get(), rc);
    sqlite3_busy_timeout(from.get(), busyMs);
    sqlite3_exec(from.get(), kReadTuning, nullptr, nullptr, nullptr);
    rc = Open(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, to);
    if (rc != SQLITE_OK) return {DbOutcome::Kind::Failed, to ? sqlite3_errmsg(to.get()) : sqlite3_errstr(rc)};
    // A new file nobody else reads: no journal (a copy cut short is thrown away), and a
    // page cache that keeps the written pages for the check that follows.
    sqlite3_exec(to.get(), "pragma journal_mode = off; pragma cache_size = -65536;", nullptr, nullptr, nullptr);

    sqlite3_backup* backup = sqlite3_backup_init(to.get(), "main", from.get(), "main");
    if (!backup) return {DbOutcome::Kind::Failed, sqlite3_errmsg(to.get())};
    // All pages in one step: one read transaction on the source, so one consistent state.
    const int stepped = sqlite3_backup_step(backup, -1);
    rc = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE) {
        // The step's own code tells a damaged source (NOTADB, CORRUPT) from a failed write.
        const std::string sourceProblem = sqlite3_errmsg(from.get());
        if (IsDamage(stepped) || IsDamage(sqlite3_errcode(from.get()))) return {DbOutcome::Kind::Damaged, sourceProblem};
        return {DbOutcome::Kind::Failed, rc != SQLITE_OK ? sqlite3_errmsg(to.get()) : sqlite3_errstr(stepped)};
    }
    if (rc != SQLITE_OK) return Fail(to.get(), rc);
    from.reset();  // the source is free for writers again before the check
    DbOutcome checked = QuickCheck(to.get());
    if (checked.kind == DbOutcome::Kind::Failed) checked.kind = DbOutcome::Kind::Damaged;  // it was just written
    return checked;
}

DbOutcome CheckDatabase(const std::wstring& path) {
    Db db;
    const int rc = Open(path, SQLITE_OPEN_READONLY, db);
    if (rc != SQLITE_OK) return Fail(db.get(), rc);
    sqlite3_exec(db.get(), kReadTuning, nullptr, nullptr, nullptr);
    return QuickCheck(db.get());
}

bool CountFavors(const std::wstring& path, FavorCounts& counts) {
    Db db;
    if (Open(path, SQLITE_OPEN_READONLY, db) != SQLITE_OK) return false;
    sqlite3_exec(db.get(), kReadTuning, nullptr, nullptr, nullptr);
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db.get(), "select (select count(*) from tbl_folder), (select count(*) from tbl_favor);",
                           -1, &raw, nullptr) != SQLITE_OK)
        return false;
    const Stmt count(raw);
    if (sqlite3_step(count.get()) != SQLITE_ROW) return false;
    counts.folders = sqlite3_column_int(count.get(), 0);
    counts.favors = sqlite3_column_int(count.get(), 1);
    return true;
}
