#include "backup/DatabaseCopy.h"
#include "backup/BackupFiles.h"
#include "store/TextConv.h"
#include <sqlite3.h>
#include <windows.h>
#include <algorithm>
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

// An empty database in memory whose pages live in one buffer of `capacity` bytes (grown
// when needed), so that the whole file can be written with one call afterwards.
int OpenImage(sqlite3_int64 capacity, Db& db) {
    int rc = Open(L":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, db);
    if (rc != SQLITE_OK) return rc;
    auto* buffer = static_cast<unsigned char*>(sqlite3_malloc64(static_cast<sqlite3_uint64>(capacity)));
    if (!buffer) return SQLITE_NOMEM;
    return sqlite3_deserialize(db.get(), "main", buffer, 0, capacity,
                               SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
}

sqlite3_int64 FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA a{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &a)) return 0;
    return (static_cast<sqlite3_int64>(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
}

// Writes the bytes to a new file and flushes them to the disk; empty when done, else why not.
std::string WriteWhole(const std::wstring& path, const unsigned char* bytes, sqlite3_int64 size) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ToUtf8(backupfiles::SystemText(GetLastError()));
    DWORD error = 0;
    for (sqlite3_int64 done = 0; done < size && !error;) {
        const DWORD chunk = static_cast<DWORD>(std::min<sqlite3_int64>(size - done, 1 << 30));
        DWORD put = 0;
        if (!WriteFile(file, bytes + done, chunk, &put, nullptr)) error = GetLastError();
        else if (put == 0) error = ERROR_WRITE_FAULT;
        done += put;
    }
    if (!error && !FlushFileBuffers(file)) error = GetLastError();
    CloseHandle(file);
    return error ? ToUtf8(backupfiles::SystemText(error)) : std::string();
}

}  // namespace

DbOutcome CopyDatabase(const std::wstring& source, const std::wstring& target, int busyMs) {
    Db from, image;
    int rc = Open(source, SQLITE_OPEN_READONLY, from);
    if (rc != SQLITE_OK) return Fail(from.get(), rc);
    sqlite3_busy_timeout(from.get(), busyMs);
    sqlite3_exec(from.get(), kReadTuning, nullptr, nullptr, nullptr);
    // The copy is taken into memory and checked there: writing it page by page to a file
    // costs several times a plain file copy under Wine.
    rc = OpenImage(FileSize(source) + 65536, image);
    if (rc != SQLITE_OK) return {DbOutcome::Kind::Failed, sqlite3_errstr(rc)};

    sqlite3_backup* backup = sqlite3_backup_init(image.get(), "main", from.get(), "main");
    if (!backup) return {DbOutcome::Kind::Failed, sqlite3_errmsg(image.get())};
    // All pages in one step: one read transaction on the source, so one consistent state.
    const int stepped = sqlite3_backup_step(backup, -1);
    rc = sqlite3_backup_finish(backup);
    // The step's own code tells a damaged source (NOTADB, CORRUPT) from a lock or a lack of memory.
    if (stepped != SQLITE_DONE) return Fail(stepped, sqlite3_errstr(stepped));
    if (rc != SQLITE_OK) return Fail(rc, sqlite3_errstr(rc));
    from.reset();  // the source is free for writers again before the check
    DbOutcome checked = QuickCheck(image.get());
    if (!checked.Ok()) return {DbOutcome::Kind::Damaged, checked.problem};  // it was just made: the source is

    sqlite3_int64 size = 0;
    const unsigned char* bytes = sqlite3_serialize(image.get(), "main", &size, SQLITE_SERIALIZE_NOCOPY);
    if (!bytes && size > 0) return {DbOutcome::Kind::Failed, sqlite3_errstr(SQLITE_NOMEM)};
    const std::string written = WriteWhole(target, bytes, size);
    if (!written.empty()) return {DbOutcome::Kind::Failed, written};
    return {};
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
